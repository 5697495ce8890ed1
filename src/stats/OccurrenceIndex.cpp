#include "stats/OccurrenceIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "stats/DigitValues.h"

namespace qx {

std::shared_ptr<const TOccurrenceIndex> TOccurrenceIndex::Build(const TDigitValueTable& table,
                                                                const TDrawsArray& draws, bool sorted) {
    return Build(table.ValueCount(), draws, [&](int i, uint32_t* ids) {
        const int ci = CodeIndexOf(DrawDigits(draws[size_t(i)], sorted));
        if (ci < 0) return -1;
        int n = 0;
        for (uint32_t h : table.Hits(ci)) ids[n++] = h;
        return n;
    });
}

std::shared_ptr<const TOccurrenceIndex> TOccurrenceIndex::Build(int valueCount, const TDrawsArray& draws,
                                                                const THitsOfDraw& hitsOf) {
    static_assert(TDigitValueTable::kPeriodsBit == kPeriodsBit);
    auto index = std::make_shared<TOccurrenceIndex>();
    TOccurrenceIndex& x = *index;
    const size_t n = draws.size();
    const size_t values = size_t(valueCount);
    // Every draw's hits, read once.
    std::vector<uint32_t> hitStart(n + 1, 0);
    std::vector<uint32_t> drawHits;
    drawHits.reserve(n * 4);
    x.FDraws.resize(n);
    x.FStart.assign(values + 1, 0);
    uint32_t ids[kMaxDrawHits];
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(&x.FDraws[i], &draws[i], sizeof(TDrawKey));
        const int count = hitsOf(int(i), ids);
        if (count < 0) return nullptr;
        for (int k = 0; k < count; ++k) {
            drawHits.push_back(ids[k]);
            ++x.FStart[(ids[k] & ~kPeriodsBit) + 1];
        }
        hitStart[i + 1] = uint32_t(drawHits.size());
    }
    for (size_t v = 0; v < values; ++v) x.FStart[v + 1] += x.FStart[v];
    const size_t hits = x.FStart[values];
    x.FHitDraw.resize(hits);
    x.FHitOrder.resize(hits);
    x.FHitPeriods.resize(hits);
    x.FGaps.resize(hits);
    x.FLastZero.resize(hits);
    std::vector<uint32_t> next(x.FStart.begin(), x.FStart.end() - 1);
    std::vector<int32_t> previous(values, 0);  // draw number of the value's previous hit
    uint32_t order = 0;
    for (size_t i = 0; i < n; ++i) {
        const int32_t number = draws[i].Number;
        for (uint32_t j = hitStart[i]; j < hitStart[i + 1]; ++j) {
            const uint32_t h = drawHits[j];
            const uint32_t v = h & ~kPeriodsBit;
            const uint32_t k = next[v]++;
            const bool first = k == x.FStart[v];
            x.FHitDraw[k] = int32_t(i);
            x.FHitOrder[k] = order++;
            x.FHitPeriods[k] = (h & kPeriodsBit) != 0;
            // The merge rule measures a gap when the hit counts periods and both draw numbers are
            // positive; it is the distance in draw numbers, at most 65535.
            const bool measured = !first && (h & kPeriodsBit) && number > 0 && previous[v] > 0;
            const uint32_t gap = uint32_t(std::min<int64_t>(std::llabs(int64_t(number) - previous[v]), kMaxPeriod));
            x.FGaps[k] = !measured ? kNoGaps : gap == 0 ? kNoGaps : (gap - 1) | gap << 16;
            x.FLastZero[k] = measured && gap == 0 ? int32_t(k) : first ? -1 : x.FLastZero[k - 1];
            previous[v] = number;
        }
    }

    // Blocks: the gaps within each up to and from every hit, then the table over whole blocks.
    x.FPrefix.resize(hits);
    x.FSuffix.resize(hits);
    x.FBlockStart.assign(values + 1, 0);
    std::vector<uint32_t> blocks;
    for (size_t v = 0; v < values; ++v) {
        const uint32_t begin = x.FStart[v], end = x.FStart[v + 1];
        for (uint32_t k = begin; k < end; ++k)
            x.FPrefix[k] = (k - begin) % kBlock == 0 ? x.FGaps[k] : Combine(x.FPrefix[k - 1], x.FGaps[k]);
        for (uint32_t k = end; k-- > begin;) {
            const bool last = k + 1 == end || (k + 1 - begin) % kBlock == 0;
            x.FSuffix[k] = last ? x.FGaps[k] : Combine(x.FGaps[k], x.FSuffix[k + 1]);
            if ((k - begin) % kBlock == 0) blocks.push_back(x.FSuffix[k]);
        }
        // Pushed last block first: put this value's blocks in order.
        std::reverse(blocks.begin() + x.FBlockStart[v], blocks.end());
        x.FBlockStart[v + 1] = uint32_t(blocks.size());
    }
    x.FChunks = n / kChunk + 2;
    x.FChunkFirst.resize(values * x.FChunks);
    for (size_t v = 0; v < values; ++v) {
        uint32_t k = x.FStart[v];
        for (size_t c = 0; c < x.FChunks; ++c) {
            while (k < x.FStart[v + 1] && size_t(x.FHitDraw[k]) < c * kChunk) ++k;
            x.FChunkFirst[v * x.FChunks + c] = k;
        }
    }

    x.FLevels = blocks;
    x.FLevelStart = {0};
    for (size_t width = 1; 2 * width <= blocks.size(); width *= 2) {
        const uint32_t below = x.FLevelStart.back();
        const size_t count = blocks.size() - 2 * width + 1;
        x.FLevelStart.push_back(uint32_t(x.FLevels.size()));
        for (size_t i = 0; i < count; ++i) x.FLevels.push_back(Combine(x.FLevels[below + i], x.FLevels[below + i + width]));
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

uint32_t TOccurrenceIndex::Gaps(uint32_t v, uint32_t a, uint32_t b) const {
    const uint32_t base = FStart[v];
    const uint32_t blockA = (a - base) / kBlock, blockB = (b - base) / kBlock;
    if (blockA == blockB) {
        if ((a - base) % kBlock == 0) return FPrefix[b];
        uint32_t r = kNoGaps;
        for (uint32_t k = a; k <= b; ++k) r = Combine(r, FGaps[k]);
        return r;
    }
    uint32_t r = Combine(FSuffix[a], FPrefix[b]);
    if (blockB > blockA + 1) {
        const uint32_t first = FBlockStart[v] + blockA + 1, count = blockB - blockA - 1;
        const int level = std::bit_width(count) - 1;
        const uint32_t* row = FLevels.data() + FLevelStart[size_t(level)];
        r = Combine(r, Combine(row[first], row[first + count - (1u << level)]));
    }
    return r;
}

uint32_t TOccurrenceIndex::FirstHitFrom(uint32_t v, int i) const {
    const uint32_t* chunk = FChunkFirst.data() + v * FChunks + size_t(i / kChunk);
    return uint32_t(std::lower_bound(FHitDraw.data() + chunk[0], FHitDraw.data() + chunk[1], i) - FHitDraw.data());
}

bool TOccurrenceIndex::Summary(uint32_t v, int start, int L, TValueSummary& s) const {
    const uint32_t a = FirstHitFrom(v, start), after = FirstHitFrom(v, L + 1);
    if (after <= a) return false;  // no hit in the window
    const uint32_t b = after - 1;
    s = TValueSummary{};
    s.Value = v;
    s.Count = int32_t(b - a + 1);
    s.LastIndex = FHitDraw[b];
    s.Last = FDraws[size_t(s.LastIndex)].Number;
    s.NextIndex = after == FStart[v + 1] ? -1 : FHitDraw[after];
    s.FirstOrder = FHitOrder[a];
    // The window's first hit meets a blank row and measures nothing. After a measured gap of 0 the
    // smallest gap starts afresh.
    if (b > a) {
        const uint32_t gaps = Gaps(v, a + 1, b);
        s.PeriodMax = uint16_t(gaps >> 16);
        uint32_t smallest = gaps & 0xFFFF;
        const int32_t zero = FLastZero[b];
        if (zero > int32_t(a)) smallest = uint32_t(zero) == b ? kNoGaps : Gaps(v, uint32_t(zero) + 1, b) & 0xFFFF;
        s.PeriodMin = smallest == kNoGaps ? 0 : uint16_t(smallest + 1);
    }
    return true;
}

bool TOccurrenceIndex::MergedSummary(std::span<const uint32_t> values, int start, int L, TValueSummary& s) const {
    if (values.size() == 1) return Summary(values[0], start, L, s);
    constexpr size_t kMaxMerged = 8;
    uint32_t at[kMaxMerged], end[kMaxMerged];
    const size_t n = std::min(values.size(), kMaxMerged);
    s = TValueSummary{};
    s.NextIndex = -1;
    for (size_t j = 0; j < n; ++j) {
        at[j] = FirstHitFrom(values[j], start);
        end[j] = FirstHitFrom(values[j], L + 1);
        if (end[j] < FStart[values[j] + 1]) {
            const int32_t next = FHitDraw[end[j]];
            s.NextIndex = s.NextIndex < 0 ? next : std::min(s.NextIndex, next);
        }
    }
    s.Value = values[0];
    for (;;) {
        // The next hit of the merged values in the archive's order.
        size_t best = n;
        for (size_t j = 0; j < n; ++j)
            if (at[j] < end[j] && (best == n || FHitOrder[at[j]] < FHitOrder[at[best]])) best = j;
        if (best == n) break;
        const uint32_t k = at[best]++;
        const int32_t number = FDraws[size_t(FHitDraw[k])].Number;
        if (s.Count++ == 0) s.FirstOrder = FHitOrder[k];
        if (FHitPeriods[k] && number > 0 && s.Last > 0) {
            const uint16_t g = uint16_t(std::min<int64_t>(std::llabs(int64_t(number) - s.Last), kMaxPeriod));
            if (g < s.PeriodMin || s.PeriodMin == 0) s.PeriodMin = g;
            if (g > s.PeriodMax || s.PeriodMax == 0) s.PeriodMax = g;
        }
        s.Last = number;
        s.LastIndex = FHitDraw[k];
    }
    return s.Count > 0;
}

void TOccurrenceIndex::Window(int start, int L, std::vector<TValueSummary>& out) const {
    out.clear();
    const uint32_t values = uint32_t(FStart.size() - 1);
    out.reserve(values);
    TValueSummary s;
    for (uint32_t v = 0; v < values; ++v)
        if (Summary(v, start, L, s)) out.push_back(s);
    SortByFirstHit(out);
}

void SortByFirstHit(std::vector<TValueSummary>& summaries) {
    std::sort(summaries.begin(), summaries.end(),
              [](const TValueSummary& x, const TValueSummary& y) { return x.FirstOrder < y.FirstOrder; });
}

std::shared_ptr<const TOccurrenceIndex> TOccurrenceCache::Get(const TDigitValueTable& table, const TDrawsArray& draws,
                                                              bool sorted, int from) {
    return Get(draws, sorted, from, [&] { return TOccurrenceIndex::Build(table, draws, sorted); });
}

std::shared_ptr<const TOccurrenceIndex> TOccurrenceCache::Get(const TDrawsArray& draws, bool sorted, int from,
                                                              const TBuild& build, int variant) {
    std::lock_guard lock(FLock);
    const size_t at = size_t(variant) * 2 + (sorted ? 1 : 0);
    if (FSlots.size() <= at) FSlots.resize(at + 1);
    TSlot& slot = FSlots[at];
    if (!FRevision) {
        if (!slot.Index || !slot.Index->Holds(draws, from)) slot.Index = build();
        return slot.Index;
    }
    const uint64_t revision = FRevision();
    if (slot.Checked && slot.Draws == &draws && slot.Revision == revision) return slot.Index;
    // A new revision can hold the same draws (a record written back unchanged): kept when it does.
    if (!slot.Index || !slot.Index->Holds(draws, 0)) slot.Index = build();
    slot.Checked = true;
    slot.Draws = &draws;
    slot.Revision = revision;
    return slot.Index;
}

} // namespace qx
