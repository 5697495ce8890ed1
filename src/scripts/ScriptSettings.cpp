#include "scripts/ScriptSettings.h"

#include <array>
#include <vector>

#include "core/Text.h"

namespace qx {
namespace {

constexpr TScriptCodeInfo kError{kScriptCodeError, kScriptCodeError, kScriptCodeError};

constexpr std::array<TScriptCodeInfo, kScriptSourceCount> kSources{{
    {"FULL", "Исходный список (рекомендуется для тестов)", "Исходный список"},
    {"EXCL", "Удалить N последних тиражей (для прогнозов)", "Исключить %d тиражей"},
    {"CURR", "Текущий список (для последовательного выполнения)", "Текущий список"},
}};

constexpr std::array<TScriptCodeInfo, kScriptStakeModeCount> kModes{{
    {"RAND", "Выбрать одну случайную комбинацию", "Случайно"},
    {"FIRST", "Выбрать первую комбинацию в списке", "Первая"},
    {"LAST", "Выбрать последнюю комбинацию в списке", "Последняя"},
    {"ALL", "Выбрать все комбинации (не рекомендуется)", "Все"},
    {"SYSA", "Системная игра [вся система]", "Система [все]"},
    {"SYSC", "Системная игра [система * комбинации]", "Система [комб]"},
    {"STOP", "Остановить выполнение сценария", "Остановить"},
    {"SKIP", "Пропустить (игнорировать) эту ставку", "Пропустить"},
    {"NONE", "Не делать ставок (для последовательного выполнения)", "Не делать ставок"},
}};

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

} // namespace

const TScriptCodeInfo& ScriptSourceInfo(int source) {
    return source >= 0 && source < kScriptSourceCount ? kSources[size_t(source)] : kError;
}

const TScriptCodeInfo& ScriptStakeModeInfo(int mode) {
    return mode >= 0 && mode < kScriptStakeModeCount ? kModes[size_t(mode)] : kError;
}

TScriptSettings ParseScriptSettings(std::string_view text) {
    TScriptSettings s;
    const std::vector<std::string_view> words = SplitWords(text, "#");
    if (words.empty()) return s;
    for (int i = 0; i < kScriptSourceCount; ++i)
        if (StartsWithIgnoringCase(words[0], kSources[size_t(i)].Code)) {
            s.Source = uint8_t(i);
            break;
        }
    const std::vector<std::string_view> sourceWords = SplitWords(words[0], ":");
    if (sourceWords.size() > 1) s.ExcludeCount = StrToIntDef(sourceWords[1], 0);
    if (words.size() > 1)
        for (int i = 0; i < kScriptStakeModeCount; ++i)
            if (SameText(words[1], kModes[size_t(i)].Code)) {
                s.StakeMode = uint8_t(i);
                break;
            }
    for (size_t w = 2; w < words.size(); ++w) {
        if (SameText(words[w], "CLR")) s.ClearStakes = true;
        if (SameText(words[w], "NEX")) s.NewOnly = true;
    }
    return s;
}

std::string ScriptSettingsText(const TScriptSettings& s) {
    std::string text = std::string(ScriptSourceInfo(s.Source).Code) + ":" + std::to_string(s.ExcludeCount) + "#" +
                       ScriptStakeModeInfo(s.StakeMode).Code;
    if (s.ClearStakes) text += "#CLR";
    if (s.NewOnly) text += "#NEX";
    return text;
}

std::string ScriptSettingsLabel(const TScriptSettings& s) {
    std::string text = ScriptSourceInfo(s.Source).Code;
    if (s.Source == ssExcl) text += ":" + std::to_string(s.ExcludeCount);
    text += std::string("#") + ScriptStakeModeInfo(s.StakeMode).Code;
    if (s.NewOnly) text += "#NEX";
    return text;
}

std::string ScriptSettingsDescription(const TScriptSettings& s) {
    std::string text = FormatText(ScriptSourceInfo(s.Source).ShortCaption, {std::to_string(s.ExcludeCount)});
    text += std::string("; ") + ScriptStakeModeInfo(s.StakeMode).ShortCaption;
    if (s.ClearStakes) text += "; Удалить ставки";
    text += s.NewOnly ? "; Только новые ставки" : "; Все создаваемые ставки";
    return text;
}

} // namespace qx
