#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "core/Game.h"
#include "stats/CustomStat.h"

namespace qx {

// Tests candidate combinations against selected rows of a table of the method: keeps those
// whose value matches (exclude false) or those whose value does not (exclude true), in their
// order. A candidate is judged as the draw following the current draw L. Allocates nothing per
// combination. survivors may be the array that candidates lie in (filtering in place).
void FilterCombinations(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                        std::span<const TCombCode> candidates, TCombsArray& survivors);

// Working memory of the filter test that a caller keeps between calls, so that testing again
// allocates nothing once it has grown to the method's size.
struct TFilterScratch {
    std::vector<char> Matched;    // per value of the method's table: matches a selected row
    std::vector<uint64_t> Parts;  // the selected rows' compared key parts, sorted
    std::vector<uint8_t> Passes;  // per code of the full set: whether it matches (long lists, own filter tables)
};

// How many candidates match the selected rows, by the same test as FilterCombinations: what
// keeping them would leave; removing them leaves the rest. Period methods judge a candidate by
// the exclude argument too: what removing leaves is the rest of the count with exclude true.
int CountMatches(TCustomStat& stat, TSelectedRows selected, bool sorted, int L,
                 std::span<const TCombCode> candidates, TFilterScratch& scratch, bool exclude = false);

} // namespace qx
