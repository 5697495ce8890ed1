// quadrix config get|set: the configuration keys the command line may read and change. A change
// goes through the workspace as the configuration dialog's OK does (files of the changed method
// groups rebuilt, methods registered again, views refreshed).
#include <ostream>
#include <string_view>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

// One key: its name in the configuration file, its stored text, and how a new text is checked
// and put in force. Set raises, changing nothing, when the text is not a valid value.
struct TConfigKey {
    std::string_view Name;
    std::string (*Get)(const TWorkspace& ws);
    void (*Set)(TWorkspace& ws, const std::string& value);
};

[[noreturn]] void Refuse(const std::string& key, const std::string& value, std::string_view allowed) {
    throw TAppError(FormatText("Некорректное значение ключа %s: \"%s\" (%s)",
                               {key, value, std::string(allowed)}));
}

// The formula keys go through the formula dialog's OK.
template <int I>
std::string GetFormula(const TWorkspace& ws) {
    return ws.Shredding().Formula[I];
}
template <int I>
void SetFormula(TWorkspace& ws, const std::string& value) {
    TShreddingFormulas f = ws.Shredding();
    f.Formula[I] = value;
    ws.ChangeFormulas(f);
}
template <int I>
std::string GetPlaces(const TWorkspace& ws) {
    return IntToStr(ws.Shredding().Digits[I]);
}
template <int I>
void SetPlaces(TWorkspace& ws, const std::string& value) {
    const auto places = TryStrToInt(value);
    if (!places || *places < 1 || *places > 5)
        Refuse("Formula" + std::to_string(I + 1) + "Digits", value, "целое число от 1 до 5");
    TShreddingFormulas f = ws.Shredding();
    f.Digits[I] = *places;
    ws.ChangeFormulas(f);
}

const TConfigKey kKeys[] = {
    {"ChannelSize", [](const TWorkspace& ws) { return IntToStr(ws.Config().ChannelSize); },
     [](TWorkspace& ws, const std::string& value) {
         const auto width = TryStrToInt(value);
         if (!width || *width < 1 || *width > 10) Refuse("ChannelSize", value, "целое число от 1 до 10");
         TConfigData c = ws.Config();
         c.ChannelSize = *width;
         ws.ChangeConfig(c);
     }},
    {"MatrixSegments", [](const TWorkspace& ws) { return ws.Config().MatrixSegmentsText(); },
     [](TWorkspace& ws, const std::string& value) {
         // Forty segment numbers 1..9, position after position, as the dialog's grid accepts them.
         const bool valid = value.size() == 40 && value.find_first_not_of("123456789") == std::string::npos;
         if (!valid) Refuse("MatrixSegments", value, "40 цифр от 1 до 9: позиция за позицией, цифры 0-9");
         TConfigData c = ws.Config();
         c.SetMatrixSegmentsText(value);
         ws.ChangeConfig(c);
     }},
    {"Formula1", GetFormula<0>, SetFormula<0>},
    {"Formula2", GetFormula<1>, SetFormula<1>},
    {"Formula3", GetFormula<2>, SetFormula<2>},
    {"Formula1Digits", GetPlaces<0>, SetPlaces<0>},
    {"Formula2Digits", GetPlaces<1>, SetPlaces<1>},
    {"Formula3Digits", GetPlaces<2>, SetPlaces<2>},
};

const TConfigKey& FindKey(const std::string& name) {
    for (const TConfigKey& k : kKeys)
        if (SameText(k.Name, name)) return k;
    std::string known;
    for (const TConfigKey& k : kKeys) known += (known.empty() ? "" : ", ") + std::string(k.Name);
    throw TAppError(FormatText("Неизвестный ключ конфигурации: %s (известны: %s)", {name, known}));
}

void Get(TCliContext& c, TCliArgs& args) {
    const std::vector<std::string> words = args.Positionals();
    if (words.size() > 1) throw TAppError("Неверное количество параметров команды");
    if (words.empty()) {
        for (const TConfigKey& k : kKeys) c.Out << k.Name << "=" << k.Get(c.Workspace) << "\n";
        return;
    }
    c.Out << FindKey(words[0]).Get(c.Workspace) << "\n";
}

void Set(TCliContext& c, TCliArgs& args) {
    const std::vector<std::string> words = args.Positionals();
    if (words.size() != 2) throw TAppError("Неверное количество параметров команды");
    const TConfigKey& key = FindKey(words[0]);
    key.Set(c.Workspace, words[1]);
    c.Out << key.Name << "=" << key.Get(c.Workspace) << "\n";
}

} // namespace

void AddConfigCommands(TCliCommandList& list) {
    list.push_back({{"config", "get"},
                    "config get [КЛЮЧ]  значение ключа конфигурации (ChannelSize, MatrixSegments, Formula1-3, Formula1Digits-3)",
                    Get});
    list.push_back({{"config", "set"}, "config set КЛЮЧ ЗНАЧЕНИЕ  изменить ключ конфигурации", Set});
}

} // namespace qx
