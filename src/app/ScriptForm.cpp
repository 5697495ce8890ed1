#include "app/ScriptForm.h"

#include <algorithm>

#include "scripts/ScriptLine.h"

namespace qx {

TScriptForm ScriptFormOf(std::string_view text, int32_t defaultCount) {
    TScriptForm form;
    form.ExcludeCount = std::max(0, defaultCount);
    const TScriptLine line = ParseScriptLine(text);
    if (line.Separator) return form;
    form.Comment = line.Comment;
    form.Source = line.Settings.Source;
    form.ExcludeCount = std::max(0, line.Settings.ExcludeCount);
    form.StakeMode = line.Settings.StakeMode;
    form.ClearStakes = line.Settings.ClearStakes;
    form.NewOnly = line.Settings.NewOnly;
    form.Filters = line.Filters;
    return form;
}

std::string ScriptLineOfForm(const TScriptForm& form) {
    TScriptSettings s;
    s.Source = uint8_t(form.Source);
    s.ExcludeCount = form.ExcludeCount;
    s.StakeMode = uint8_t(form.StakeMode);
    s.ClearStakes = form.ClearStakes;
    s.NewOnly = form.NewOnly;
    return BuildScriptLine(s, form.Filters, form.Comment);
}

} // namespace qx
