#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "combs/FilterItem.h"
#include "scripts/ScriptSettings.h"

namespace qx {

class TStatList;

// A script line read into its fields. A line that is blank after trimming is a separator; any
// other line is a filter line: settings, seven filter fields, a comment. Fields are the words
// between "|" (a run of "|" counts as one), trimmed, so the single blank written for an empty
// filter keeps the positions and a "|" inside a comment cuts it.
struct TScriptLine {
    bool Separator = true;
    std::string SettingsText;
    TScriptSettings Settings;
    std::array<std::string, kFilterFields> Filters;  // trimmed; empty when there is no filter
    std::string Comment;                            // empty when blank
};

TScriptLine ParseScriptLine(std::string_view text);
// The fields of a line: the words between runs of "|", trimmed; a word of blanks is still a word.
std::vector<std::string_view> ScriptLineFields(std::string_view text);
inline bool IsScriptSeparator(std::string_view text) { return ParseScriptLine(text).Separator; }

// The line the editor writes: the settings, "|" and each filter as typed (a single blank when
// blank), "|", then the comment as typed unless blank. All blank gives "FULL:0#RAND| | | | | | | |".
std::string BuildScriptLine(const TScriptSettings& settings, const std::array<std::string, kFilterFields>& filters,
                            const std::string& comment);

// The list's nine cells ("Комментарии", "Опции", "Фильтр 1" … "Фильтр 7"): each filter parsed and
// printed again, so it shows normalised. A separator has nine empty cells.
inline constexpr int kScriptColumnCount = 2 + kFilterFields;
std::array<std::string, kScriptColumnCount> ScriptLineCells(std::string_view text, const TStatList& registry);

// The comment a script stake carries: "01.001: comment @ EXCL:100#RAND + TSD#NUMS:10#LMV:3#SF:1"
// (line and variant from 1; " @ " straight after the colon when the line has no comment). The
// stakes file keeps its first 255 characters.
std::string ScriptStakeLabel(int line, int64_t variant, const std::string& comment, const TScriptSettings& settings,
                             const std::string& recText);

} // namespace qx
