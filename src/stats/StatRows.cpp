#include "stats/StatRows.h"

#include <algorithm>

namespace qx {

TStatSummary Summarize(std::span<const TStatDraw> rows) {
    TStatSummary s;
    for (const TStatDraw& r : rows) {
        s.MinCount = std::min(s.MinCount, r.Count);
        s.MaxCount = std::max(s.MaxCount, r.Count);
        s.MaxDepth = std::max(s.MaxDepth, r.Depth);
        s.Total += r.Count;
    }
    return s;
}

void KeySort(TStatDrawArray& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TStatDraw& a, const TStatDraw& b) { return KeyOrderLess(a.Key, b.Key); });
}

int TStatRows::Append(const TStatDraw& hit) {
    FIndex.Add(hit.Key, static_cast<int>(FRows.size()));
    FRows.push_back(RowOfHit(hit));
    return static_cast<int>(FRows.size()) - 1;
}

void TStatRows::AddHit(const TStatDraw& hit, bool withPeriods) {
    const int r = Find(hit.Key);
    if (r >= 0)
        MergeHit(FRows[size_t(r)], hit, withPeriods);
    else
        Append(hit);
}

void TStatRows::Clear() {
    FRows.clear();
    FIndex.Clear();
}

void TStatRows::Reserve(size_t rows) {
    FRows.reserve(rows);
    FIndex.Reserve(rows);
}

} // namespace qx
