#include "stats/StatRows.h"

#include <algorithm>
#include <bit>

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

int TStatRows::Find(TStatKey key) const {
    if (FSlots.empty()) return -1;
    const size_t mask = FSlots.size() - 1;
    for (size_t s = SlotOf(key.Raw());; s = (s + 1) & mask) {
        const int32_t v = FSlots[s];
        if (v == 0) return -1;
        if (FRows[size_t(v - 1)].Key == key) return v - 1;
    }
}

int TStatRows::Append(const TStatDraw& hit) {
    if ((FRows.size() + 1) * 2 > FSlots.size()) Rehash(std::max<size_t>(16, FSlots.size() * 2));
    FRows.push_back(RowOfHit(hit));
    const size_t mask = FSlots.size() - 1;
    size_t s = SlotOf(hit.Key.Raw());
    while (FSlots[s] != 0) s = (s + 1) & mask;
    FSlots[s] = static_cast<int32_t>(FRows.size());
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
    std::fill(FSlots.begin(), FSlots.end(), 0);
}

void TStatRows::Reserve(size_t rows) {
    FRows.reserve(rows);
    if (rows * 2 > FSlots.size()) Rehash(std::bit_ceil(std::max<size_t>(16, rows * 2)));
}

void TStatRows::Rehash(size_t slots) {
    FSlots.assign(slots, 0);
    FShift = 64 - std::countr_zero(slots);
    const size_t mask = slots - 1;
    for (size_t i = 0; i < FRows.size(); ++i) {
        size_t s = SlotOf(FRows[i].Key.Raw());
        while (FSlots[s] != 0) s = (s + 1) & mask;
        FSlots[s] = static_cast<int32_t>(i + 1);
    }
}

} // namespace qx
