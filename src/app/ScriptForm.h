#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "combs/FilterItem.h"

namespace qx {

// What the line editor "Создание новой строки" / "Редактирование строки" shows, as the state of
// its controls.
struct TScriptForm {
    std::string Comment;
    int Source = 0;            // index of cbStartCombsType
    int32_t ExcludeCount = 0;  // edDrawsExclude, 0 … 2147483647
    int StakeMode = 0;         // index of cbResultCombsMode
    bool ClearStakes = false;
    bool NewOnly = false;
    std::array<std::string, kFilterFields> Filters;
    friend bool operator==(const TScriptForm&, const TScriptForm&) = default;
};

// The editor on opening: the default count (the combination tab's field) and an empty line, or
// the line's comment, settings (its count replacing the default) and trimmed filter fields.
TScriptForm ScriptFormOf(std::string_view line, int32_t defaultCount);
// OK: the line built from the controls exactly as they stand; nothing is validated.
std::string ScriptLineOfForm(const TScriptForm& form);

} // namespace qx
