#pragma once
#include <cstdint>
#include <string>
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

// What a method's full set must look like: its keys in key order and the total of its counts
// (the values of all 10,000 combinations). Quick for methods with a digit-value table; others
// compute their full-set table.
struct TFullSetShape {
    std::vector<TStatKey> Keys;
    int64_t Total = 0;
};
TFullSetShape FullSetShapeOf(TCustomStat& stat);
// Why a full set read from a file cannot be the method's (a record count or key that is not one
// of its values, a count not above 0, counts not summing to its total, a trailer that is not the
// records' smallest and largest count); empty when it can be.
std::string FullSetDefect(const TFullSet& set, const TFullSetShape& shape);

} // namespace qx
