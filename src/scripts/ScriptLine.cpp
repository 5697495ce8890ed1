#include "scripts/ScriptLine.h"

#include <cstdio>

#include "core/Text.h"

namespace qx {
std::vector<std::string_view> ScriptLineFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == '|') ++i;
        if (i == text.size()) break;
        const size_t start = i;
        while (i < text.size() && text[i] != '|') ++i;
        fields.push_back(Trim(text.substr(start, i - start)));
    }
    return fields;
}

TScriptLine ParseScriptLine(std::string_view text) {
    TScriptLine line;
    if (Trim(text).empty()) return line;
    line.Separator = false;
    const std::vector<std::string_view> fields = ScriptLineFields(text);
    if (!fields.empty()) line.SettingsText = std::string(fields[0]);
    line.Settings = ParseScriptSettings(line.SettingsText);
    for (int k = 0; k < kFilterFields; ++k)
        if (size_t(k) + 1 < fields.size()) line.Filters[size_t(k)] = std::string(fields[size_t(k) + 1]);
    if (fields.size() > kFilterFields + 1) line.Comment = std::string(fields[kFilterFields + 1]);
    return line;
}

std::string BuildScriptLine(const TScriptSettings& settings, const std::array<std::string, kFilterFields>& filters,
                            const std::string& comment) {
    std::string text = ScriptSettingsText(settings);
    for (const std::string& filter : filters) text += Trim(filter).empty() ? std::string("| ") : "|" + filter;
    text += "|";
    if (!Trim(comment).empty()) text += comment;
    return text;
}

std::array<std::string, kScriptColumnCount> ScriptLineCells(std::string_view text, const TStatList& registry) {
    std::array<std::string, kScriptColumnCount> cells;
    const TScriptLine line = ParseScriptLine(text);
    if (line.Separator) return cells;
    cells[0] = line.Comment;
    cells[1] = ScriptSettingsDescription(line.Settings);
    for (int k = 0; k < kFilterFields; ++k)
        cells[size_t(k) + 2] = FilterItemText(ParseFilterItem(line.Filters[size_t(k)], registry));
    return cells;
}

std::string ScriptStakeLabel(int line, int64_t variant, const std::string& comment, const TScriptSettings& settings,
                             const std::string& recText) {
    char number[48];
    std::snprintf(number, sizeof number, "%.2d.%.3lld:", line, static_cast<long long>(variant));
    std::string label = number;
    label += comment.empty() ? " @ " : " " + comment + " @ ";
    return label + ScriptSettingsLabel(settings) + " + " + recText;
}

} // namespace qx
