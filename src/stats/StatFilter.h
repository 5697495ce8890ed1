#pragma once
#include <span>

#include "core/Game.h"
#include "stats/CustomStat.h"

namespace qx {

// Tests candidate combinations against selected rows of a table of the method: keeps those
// whose value matches (exclude false) or those whose value does not (exclude true), in their
// order. A candidate is judged as the draw following the current draw L. Allocates nothing per
// combination. survivors may be the array that candidates lie in (filtering in place).
void FilterCombinations(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                        std::span<const TCombCode> candidates, TCombsArray& survivors);

} // namespace qx
