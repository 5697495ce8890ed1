#pragma once
#include <cstdint>
#include <vector>

#include "stats/CustomStat.h"

namespace qx {

// How the 10,000 combinations distribute over a method's values: the source of a table's norms,
// whether it was just computed or read from the method's full-set file.
struct TFullSetRecord {
    TStatKey Key;
    int32_t Count = 0;
    friend bool operator==(const TFullSetRecord&, const TFullSetRecord&) = default;
};
struct TFullSet {
    int32_t FullMin = 0;  // smallest and largest Count among the records
    int32_t FullMax = 0;
    std::vector<TFullSetRecord> Records;  // in key order
    friend bool operator==(const TFullSet&, const TFullSet&) = default;
};

// Every combination of the full set in generation order through AddCombination, then the key
// sort: one row per value with the number of combinations giving it.
TStatDrawArray ComputeFullSetTable(TCustomStat& stat);
// The records and trailer of a full-set table.
TFullSet FullSetOf(const TStatDrawArray& fullSetTable);

} // namespace qx
