#pragma once
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "stats/StatKey.h"

namespace qx {

// One value of a statistic table and what the window says about it.
struct TStatDraw {
    int32_t LastDraw = 0;   // draw number of the newest occurrence (0 = never)
    int32_t Depth = 0;      // 1 = the current draw, 2 = the one before...; 0 = never
    int32_t PrevDraw = 0;   // working field: the previous occurrence while scanning
    uint16_t PeriodMin = 0; // smallest gap in draw numbers (0 = fewer than two occurrences)
    uint16_t PeriodMax = 0;
    int32_t Count = 0;
    int32_t Norm = 0;       // expected count from the full set; 0 when none
    TStatKey Key;
    friend bool operator==(const TStatDraw&, const TStatDraw&) = default;
};
static_assert(sizeof(TStatDraw) == 32);

using TStatDrawArray = std::vector<TStatDraw>;

struct TStatSummary {
    int32_t MinCount = INT32_MAX;  // an empty array leaves it here
    int32_t MaxCount = 0;
    int32_t MaxDepth = 0;
    int64_t Total = 0;
    friend bool operator==(const TStatSummary&, const TStatSummary&) = default;
};
TStatSummary Summarize(std::span<const TStatDraw> rows);

// Computation-wide memory of the last draw number of each value (periods family).
struct TLastValue {
    int32_t LastDraw = 0;
    TStatKey Key;
};
using TLastValueArray = std::vector<TLastValue>;

// Runs of presence or absence per value index, kept across the draws of one computation. Value
// indexes reach 10 (ten channels of width 1), so the table has room beyond the ten digits.
struct TRunEntry {
    int32_t RunLength = 0;
    int32_t RunLastDraw = 0;
    int32_t RunDepth = 0;
};
inline constexpr int kRunStateSize = 16;
using TRunState = std::array<TRunEntry, kRunStateSize>;

// Largest gap a row can hold; longer gaps stay at it instead of wrapping round.
inline constexpr uint16_t kMaxPeriod = 65535;

// Merges a hit into the row that holds its key (the hit's key is not looked at).
inline void MergeHit(TStatDraw& row, const TStatDraw& hit, bool withPeriods) {
    row.Count += hit.Count;
    // Draws arrive oldest first, so this keeps the most recent occurrence.
    if (row.Depth == 0 || (hit.Depth > 0 && row.Depth >= hit.Depth)) {
        row.LastDraw = hit.LastDraw;
        row.Depth = hit.Depth;
    }
    if (withPeriods && hit.LastDraw > 0 && row.PrevDraw > 0) {
        const int64_t gap = std::llabs(int64_t(row.PrevDraw) - hit.LastDraw);
        const uint16_t g = gap > kMaxPeriod ? kMaxPeriod : uint16_t(gap);
        if (g < row.PeriodMin || row.PeriodMin == 0) row.PeriodMin = g;
        if (g > row.PeriodMax || row.PeriodMax == 0) row.PeriodMax = g;
    }
    row.PrevDraw = hit.LastDraw;
}

// A row made from the first hit of its key.
inline TStatDraw RowOfHit(const TStatDraw& hit) {
    TStatDraw row = hit;
    row.Norm = 0;
    return row;
}

// Stable sort by the key order (the order of full-set records and of the chart without norms).
void KeySort(TStatDrawArray& rows);

} // namespace qx
