#pragma once
#include <array>
#include <span>
#include <string>
#include <vector>

#include "stats/CustomStat.h"
#include "stats/StatTable.h"

// The statistics algorithms exactly as described, step by step and without shortcuts: the oracle
// the engine's fast algorithms are compared with (tests and benchmarks only).
namespace qx::oracle {

// Rows merged by a linear search in array order.
class TLiteralRows : public TStatSink {
public:
    TStatDrawArray Rows;
    void AddHit(const TStatDraw& hit, bool withPeriods) override;
};

TStatSummary LiteralSummary(const TStatDrawArray& rows);
// Stable insertion sort by the key order.
void LiteralKeySort(TStatDrawArray& rows);
// A fresh row array and last-value list for every draw from `from` to the newest.
int32_t LiteralFindNext(TCustomStat& stat, const TStatDraw& row, int from, bool sorted, int L);
// A table with every cell's text put together as described, row by row.
struct TLiteralRow {
    TStatDraw Row;
    int32_t Fact = -1;
    std::array<std::string, kStatColumnCount> Text;
    const std::string& operator[](TStatColumn c) const { return Text[size_t(ColumnIndex(c))]; }
};
struct TLiteralTable {
    std::vector<TLiteralRow> Rows;
    TStatSummary Summary;
    int Start = 0;
    int Length = 0;
    bool HasNorms = false;
};
TLiteralTable LiteralComputeTable(TCustomStat& stat, const TStatTableParams& params);
TStatValues LiteralStatValues(const TLiteralRow& row);
// Matches called for every candidate.
TCombsArray LiteralFilter(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                          std::span<const TCombCode> candidates);
TStatDrawArray LiteralFullSetTable(TCustomStat& stat);

} // namespace qx::oracle
