#include "scripts/RatingLine.h"

#include "core/Text.h"
#include "scripts/ScriptLine.h"

namespace qx {
namespace {

// " + " in any letter case has no letters, so a plain search replaces it.
std::string ReplacePluses(std::string_view text) {
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(" + "); at != std::string_view::npos; at = text.find(" + ", from)) {
        out.append(text.substr(from, at - from));
        out += '|';
        from = at + 3;
    }
    out.append(text.substr(from));
    return out;
}

} // namespace

std::optional<std::string> ScriptLineOfRatingKey(std::string_view key, const TStatList& registry) {
    std::string comment;
    std::string text(key);
    if (const size_t at = key.find('@'); at != std::string_view::npos) {
        comment = std::string(Trim(key.substr(0, at)));
        text = std::string(Trim(key.substr(at + 1)));
    }
    text = ReplacePluses(text);
    while (ScriptLineFields(text).size() <= size_t(kFilterFields)) text += "| ";
    text += "|" + comment;
    const TScriptLine line = ParseScriptLine(text);
    for (const std::string& filter : line.Filters)
        if (ParseFilterItem(filter, registry).Defined) return text;
    return std::nullopt;
}

} // namespace qx
