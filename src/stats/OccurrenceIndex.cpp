#include "stats/OccurrenceIndex.h"

#include <algorithm>
#include <cstring>

#include "stats/DigitValues.h"

namespace qx {

std::shared_ptr<const TOccurrenceIndex> TOccurrenceIndex::Build(const TDigitValueTable& table,
                                                                const TDrawsArray& draws, bool sorted) {
    auto index = std::make_shared<TOccurrenceIndex>();
    const size_t n = draws.size();
    const size_t values = size_t(table.ValueCount());
    std::vector<int> codes(n);
    index->FDraws.resize(n);
    index->FStart.assign(values + 1, 0);
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(&index->FDraws[i], &draws[i], sizeof(TDrawKey));
        codes[i] = CodeIndexOf(DrawDigits(draws[i], sorted));
        if (codes[i] < 0) return nullptr;
        for (uint32_t h : table.Hits(codes[i])) ++index->FStart[(h & ~TDigitValueTable::kPeriodsBit) + 1];
    }
    for (size_t v = 0; v < values; ++v) index->FStart[v + 1] += index->FStart[v];
    const size_t hits = index->FStart[values];
    index->FHitDraw.resize(hits);
    index->FHitOrder.resize(hits);
    index->FGap.resize(hits);
    index->FLastZero.resize(hits);
    std::vector<uint32_t> next(index->FStart.begin(), index->FStart.end() - 1);
    std::vector<int32_t> previous(values, 0);  // draw number of the value's previous hit
    uint32_t order = 0;
    for (size_t i = 0; i < n; ++i) {
        const int32_t number = draws[i].Number;
        for (uint32_t h : table.Hits(codes[i])) {
            const uint32_t v = h & ~TDigitValueTable::kPeriodsBit;
            const uint32_t k = next[v]++;
            const bool first = k == index->FStart[v];
            index->FHitDraw[k] = int32_t(i);
            index->FHitOrder[k] = order++;
            // The merge rule measures a gap when the hit counts periods and both draw numbers are
            // positive; it is the distance in draw numbers, at most 65535.
            const bool measured = !first && (h & TDigitValueTable::kPeriodsBit) && number > 0 && previous[v] > 0;
            const int64_t gap = std::min<int64_t>(std::llabs(int64_t(number) - previous[v]), kMaxPeriod);
            index->FGap[k] = measured ? uint32_t(gap) : kNoGap;
            index->FLastZero[k] = measured && gap == 0 ? int32_t(k) : first ? -1 : index->FLastZero[k - 1];
            previous[v] = number;
        }
    }
    index->FBlockStart.assign(values + 1, 0);
    for (size_t v = 0; v < values; ++v) {
        const uint32_t count = index->FStart[v + 1] - index->FStart[v];
        index->FBlockStart[v + 1] = index->FBlockStart[v] + (count + kBlock - 1) / kBlock;
    }
    index->FBlockMin.assign(index->FBlockStart[values], kNoGap);
    index->FBlockMax.assign(index->FBlockStart[values], 0);
    for (size_t v = 0; v < values; ++v)
        for (uint32_t k = index->FStart[v]; k < index->FStart[v + 1]; ++k) {
            const uint32_t block = index->FBlockStart[v] + (k - index->FStart[v]) / kBlock;
            const uint32_t g = index->FGap[k];
            if (g == kNoGap) continue;
            index->FBlockMin[block] = std::min(index->FBlockMin[block], g);
            index->FBlockMax[block] = std::max(index->FBlockMax[block], g);
        }
    return index;
}

bool TOccurrenceIndex::Holds(const TDrawsArray& draws, int from) const {
    if (draws.size() != FDraws.size()) return false;
    for (size_t i = size_t(std::max(from, 0)); i < draws.size(); ++i) {
        TDrawKey key;
        std::memcpy(&key, &draws[i], sizeof key);
        if (!(key == FDraws[i])) return false;
    }
    return true;
}

void TOccurrenceIndex::GapRange(uint32_t v, uint32_t a, uint32_t b, uint32_t& lo, uint32_t& hi) const {
    lo = kNoGap;
    hi = 0;
    auto take = [&](uint32_t k) {
        const uint32_t g = FGap[k];
        if (g == kNoGap) return;
        lo = std::min(lo, g);
        hi = std::max(hi, g);
    };
    const uint32_t base = FStart[v];
    uint32_t k = a;
    while (k <= b && (k - base) % kBlock != 0) take(k++);
    while (k + kBlock - 1 <= b) {
        const uint32_t block = FBlockStart[v] + (k - base) / kBlock;
        lo = std::min(lo, FBlockMin[block]);
        hi = std::max(hi, FBlockMax[block]);
        k += kBlock;
    }
    while (k <= b) take(k++);
}

void TOccurrenceIndex::Window(int start, int L, std::vector<TValueSummary>& out) const {
    out.clear();
    const uint32_t values = uint32_t(FStart.size() - 1);
    for (uint32_t v = 0; v < values; ++v) {
        const int32_t* begin = FHitDraw.data() + FStart[v];
        const int32_t* end = FHitDraw.data() + FStart[v + 1];
        const int32_t* first = std::lower_bound(begin, end, start);
        if (first == end || *first > L) continue;
        const int32_t* after = std::upper_bound(first, end, L);
        const uint32_t a = uint32_t(first - FHitDraw.data()), b = uint32_t(after - FHitDraw.data()) - 1;
        TValueSummary s;
        s.Value = v;
        s.Count = int32_t(b - a + 1);
        s.LastIndex = FHitDraw[b];
        s.Last = FDraws[size_t(s.LastIndex)].Number;
        s.NextIndex = after == end ? -1 : *after;
        s.FirstOrder = FHitOrder[a];
        // The window's first hit meets a blank row and measures nothing. After a measured gap of
        // 0 the smallest gap starts afresh.
        if (b > a) {
            uint32_t lo, hi;
            GapRange(v, a + 1, b, lo, hi);
            s.PeriodMax = uint16_t(hi);
            const int32_t zero = FLastZero[b];
            if (zero > int32_t(a)) {
                if (uint32_t(zero) == b)
                    lo = kNoGap;
                else
                    GapRange(v, uint32_t(zero) + 1, b, lo, hi);
            }
            s.PeriodMin = lo == kNoGap ? 0 : uint16_t(lo);
        }
        out.push_back(s);
    }
    std::sort(out.begin(), out.end(),
              [](const TValueSummary& x, const TValueSummary& y) { return x.FirstOrder < y.FirstOrder; });
}

std::shared_ptr<const TOccurrenceIndex> TOccurrenceCache::Get(const TDigitValueTable& table, const TDrawsArray& draws,
                                                              bool sorted, int from) {
    std::lock_guard lock(FLock);
    TSlot& slot = FSlots[sorted ? 1 : 0];
    if (!FRevision) {
        if (!slot.Index || !slot.Index->Holds(draws, from)) slot.Index = TOccurrenceIndex::Build(table, draws, sorted);
        return slot.Index;
    }
    const uint64_t revision = FRevision();
    if (slot.Checked && slot.Draws == &draws && slot.Revision == revision) return slot.Index;
    // A new revision can hold the same draws (a record written back unchanged): kept when it does.
    if (!slot.Index || !slot.Index->Holds(draws, 0)) slot.Index = TOccurrenceIndex::Build(table, draws, sorted);
    slot.Checked = true;
    slot.Draws = &draws;
    slot.Revision = revision;
    return slot.Index;
}

} // namespace qx
