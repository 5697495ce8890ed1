#include "stats/StatClass.h"

#include <array>

#include "core/Text.h"

namespace qx {
namespace {

struct TGroupText {
    const char* Tag;
    const char* LongName;
};
constexpr std::array<TGroupText, kGroupCount> kGroups = {{
    {"num", "Числа тиража"},
    {"sum", "Сумма чисел тиража"},
    {"dif", "Разности между числами тиража"},
    {"grp", "Каналы (группы чисел)"},
    {"mtx", "Матрица тиража"},
    {"sgm", "Сегменты матрицы тиража"},
    {"seq", "Последовательности чисел в одном тираже"},
    {"rep", "Повторяющиеся числа в нескольких тиражах"},
    {"ser", "Серии (цепочки) значений"},
    {"per", "Периоды повторения значений"},
    {"mov", "Переходы (изменения) значений между тиражами"},
    {"ogn", "Характеристическое число Огнева"},
    {"shr", "Методы шинковки"},
}};

} // namespace

std::string TStatClass::Name(int32_t variant) const { return FormatText(NameFormat(), {IntToStr(variant)}); }

std::string TStatClass::Code(int32_t variant) const { return FormatText(CodeFormat(), {IntToStr(variant)}); }

uint8_t TStatClass::FlagsEx() const {
    uint8_t f = Flags();
    if (IsGraph()) f |= kFlagG;
    return f;
}

std::string TStatClass::HelpUrl(int32_t variant, const std::filesystem::path& helpFile) const {
    std::error_code ec;
    if (helpFile.empty() || !std::filesystem::exists(helpFile, ec)) return {};
    const std::string topic = FormatText(HelpCodeFormat(), {IntToStr(variant)});
    return "ms-its:" + helpFile.string() + FormatText("::/Filters_%s_%s.htm", {"1049", topic});
}

std::string FlagLetters(uint8_t flags) {
    static constexpr char kLetters[] = "SNDPG";
    std::string s;
    for (int bit = 0; bit < 5; ++bit)
        if (flags & (1u << bit)) s += kLetters[bit];
    return s;
}

std::string GroupTag(int group) {
    return group >= 0 && group < kGroupCount ? kGroups[size_t(group)].Tag : std::string();
}

std::string GroupLongName(int group) {
    if (group < 0 || group >= kGroupCount) return "#ERROR#";
    return FormatText("{ %1:s } %0:s", {kGroups[size_t(group)].LongName, kGroups[size_t(group)].Tag});
}

} // namespace qx
