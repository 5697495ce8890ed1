#include "stats/StatPasses.h"

#include "core/ArchiveQueries.h"
#include "stats/DigitValues.h"
#include "stats/OccurrenceIndex.h"
#include "stats/OwnPasses.h"

namespace qx::detail {
namespace {

const TDrawRecord kZeroDraw{};

const TDrawRecord& RecordAt(const TDrawsArray& draws, int i) {
    return i >= 0 && i < static_cast<int>(draws.size()) ? draws[size_t(i)] : kZeroDraw;
}

// One hit of value v from draw i, merged into its summary. The gap update of the merge rule is
// written without branches: comparisons of random gaps would mispredict.
[[gnu::always_inline]] inline void MergeValue(TValueSummary* state, std::vector<uint32_t>& seen, uint32_t v,
                                              bool periods, int32_t number, int i) {
    TValueSummary& s = state[v];
    if (s.Count++ == 0) seen.push_back(v);
    const bool measured = periods & (number > 0) & (s.Last > 0);
    // Both numbers are positive when the gap counts, so their difference fits 32 bits.
    const int32_t diff = int32_t(uint32_t(number) - uint32_t(s.Last));
    const uint32_t gap = diff < 0 ? 0u - uint32_t(diff) : uint32_t(diff);
    const uint16_t g = gap > kMaxPeriod ? kMaxPeriod : uint16_t(gap);
    const uint16_t lo = (g < s.PeriodMin) | (s.PeriodMin == 0) ? g : s.PeriodMin;
    const uint16_t hi = (g > s.PeriodMax) | (s.PeriodMax == 0) ? g : s.PeriodMax;
    s.PeriodMin = measured ? lo : s.PeriodMin;
    s.PeriodMax = measured ? hi : s.PeriodMax;
    s.Last = number;
    s.LastIndex = i;
}

// The merged summaries of the values seen, in order of first hit.
void CollectSummaries(const std::vector<TValueSummary>& state, const std::vector<uint32_t>& seen,
                      std::vector<TValueSummary>& out) {
    out.clear();
    for (uint32_t v : seen) {
        out.push_back(state[v]);
        out.back().Value = v;
        out.back().NextIndex = -2;  // found by the pass over the hidden draws
    }
}

// The summaries of the window's values by merging its draws, in order of first hit; false when a
// draw holds a digit outside 0..9.
bool MergeWindow(const TDigitValueTable& table, const TDrawsArray& draws, int start, int L, bool sorted,
                 std::vector<TValueSummary>& out) {
    constexpr uint32_t kPeriods = TDigitValueTable::kPeriodsBit;
    std::vector<TValueSummary> state(size_t(table.ValueCount()));
    std::vector<uint32_t> seen;
    TValueSummary* const st = state.data();
    const bool packedHits = table.HasPacked();
    const uint32_t* const packed = table.PackedData();
    for (int i = start; i <= L; ++i) {
        const TDrawRecord& rec = RecordAt(draws, i);
        const int ci = CodeIndexOf(DrawDigits(rec, sorted));
        if (ci < 0) return false;
        const int32_t number = rec.Number;
        if (packedHits) {
            uint32_t word = packed[ci];
            for (int k = 0; k < 4 && (word & 0x7F) != TDigitValueTable::kPackedEnd; ++k, word >>= 8)
                MergeValue(st, seen, word & 0x7F, (word & 0x80) != 0, number, i);
        } else {
            for (uint32_t h : table.Hits(ci)) MergeValue(st, seen, h & ~kPeriods, (h & kPeriods) != 0, number, i);
        }
    }
    CollectSummaries(state, seen, out);
    return true;
}

bool Blank(const TStatDraw& r) {
    return r.Count == 0 && r.Depth == 0 && r.LastDraw == 0 && r.PrevDraw == 0 && r.PeriodMin == 0 && r.PeriodMax == 0;
}

bool AllBlank(const TStatRows& rows) {
    for (int r = 0; r < rows.Size(); ++r)
        if (!Blank(rows[r])) return false;
    return true;
}

// Rows from the window's summaries: the listed ones where they are, then the others in order of
// first occurrence. Gives the row of every value id (-1 for values the window lacks).
template <class KeyOf>
std::vector<int> PlaceSummaries(const std::vector<TValueSummary>& summaries, int valueCount, KeyOf&& keyOf,
                                TStatRows& rows, int L) {
    std::vector<int> rowOfValue(size_t(valueCount), -1);
    for (const TValueSummary& s : summaries) {
        const TStatKey key = keyOf(s.Value);
        int r = rows.Find(key);
        if (r < 0) {
            TStatDraw blank;
            blank.Key = key;
            r = rows.Append(blank);
        }
        rowOfValue[s.Value] = r;
        TStatDraw& row = rows[r];
        row.Count = s.Count;
        row.LastDraw = row.PrevDraw = s.Last;
        row.Depth = L - s.LastIndex + 1;
        row.PeriodMin = s.PeriodMin;
        row.PeriodMax = s.PeriodMax;
    }
    return rowOfValue;
}

// Facts, for the rows the window fills (the others stay blank). A row whose newest occurrence is
// the draw its number leads to cannot occur again up to L, so its fact is its next occurrence:
// known from the summary, or found by one pass over the hidden draws that stops when all are
// found; hiddenHits(idx, found) calls found(value id) for each hit of hidden draw idx. Any other
// row (repeated draw numbers) searches alone.
template <class HiddenHits>
void FindFacts(TCustomStat& stat, const TStatRows& rows, const std::vector<TValueSummary>& summaries,
               const std::vector<int>& rowOfValue, int L, bool sorted, std::vector<int32_t>& facts,
               HiddenHits&& hiddenHits) {
    const TDrawsArray& draws = stat.Draws;
    const int high = static_cast<int>(draws.size()) - 1;
    facts.assign(size_t(rows.Size()), -1);
    std::vector<char> waiting(rowOfValue.size(), 0);
    int pending = 0;
    for (const TValueSummary& s : summaries) {
        if (s.Count < 1) continue;  // a row of uncounted hits only shows no fact
        const int r = rowOfValue[s.Value];
        const int z = IndexOfNumber(draws, rows[r].LastDraw);
        if (z != s.LastIndex) {
            facts[size_t(r)] = stat.FindNext(rows[r], z + 1, sorted, L);
        } else if (s.NextIndex >= 0) {
            facts[size_t(r)] = draws[size_t(s.NextIndex)].Number;
        } else if (s.NextIndex == -2) {
            waiting[s.Value] = 1;
            ++pending;
        }
    }
    for (int idx = L + 1; idx <= high && pending > 0; ++idx) {
        const int32_t number = draws[size_t(idx)].Number;
        hiddenHits(idx, [&](int v) {
            if (v >= 0 && waiting[size_t(v)]) {
                waiting[size_t(v)] = 0;
                facts[size_t(rowOfValue[size_t(v)])] = number;
                --pending;
            }
        });
    }
}

} // namespace

bool DigitsWindow(TCustomStat& stat, const TDigitValuesSource& source, TStatRows& rows, const TStatTableParams& p,
                  int start, std::vector<int32_t>& facts) {
    if (!AllBlank(rows)) return false;
    const TDigitValueTable& table = source.Table();
    const TDrawsArray& draws = stat.Draws;
    const int L = p.Current;
    const int high = static_cast<int>(draws.size()) - 1;
    const bool sorted = p.Sorted;

    // A method with few values against a long window reads the archive's occurrence index; the
    // rest merge the window's draws.
    std::vector<TValueSummary> summaries;
    bool summarized = false;
    if (TOccurrenceCache* cache = source.Occurrences(); cache && L <= high && table.ValueCount() * 4 <= L - start + 1)
        if (auto index = cache->Get(table, draws, sorted, start)) {
            index->Window(start, L, summaries);
            summarized = true;
        }
    if (!summarized && !MergeWindow(table, draws, start, L, sorted, summaries)) return false;

    const std::vector<int> rowOfValue =
        PlaceSummaries(summaries, table.ValueCount(), [&table](uint32_t v) { return table.Key(v); }, rows, L);
    if (!p.Facts) {
        facts.assign(size_t(rows.Size()), -1);
        return true;
    }
    FindFacts(stat, rows, summaries, rowOfValue, L, sorted, facts, [&](int idx, auto&& found) {
        const TDigits d = DrawDigits(draws[size_t(idx)], sorted);
        const int ci = CodeIndexOf(d);
        if (ci >= 0) {
            for (uint32_t h : table.Hits(ci)) found(int(h & ~TDigitValueTable::kPeriodsBit));
        } else {
            TDigitValues values;
            source.DigitValues(d, values);
            for (const TDigitValue& v : values) found(table.FindValue(v.Key));
        }
    });
    return true;
}

// Each row's fact from the method's FindNext, starting after the row's last draw.
static void MethodFacts(TCustomStat& stat, const TStatRows& rows, const TStatTableParams& p, std::vector<int32_t>& facts) {
    facts.assign(size_t(rows.Size()), -1);
    for (int r = 0; r < rows.Size(); ++r)
        if (NeedsFact(rows[r]))
            facts[size_t(r)] = stat.FindNext(rows[r], IndexOfNumber(stat.Draws, rows[r].LastDraw) + 1, p.Sorted, p.Current);
}

bool OwnWindow(TCustomStat& stat, TOwnWindowPass& pass, TStatRows& rows, const TStatTableParams& p, int start,
               std::vector<int32_t>& facts) {
    const TDrawsArray& draws = stat.Draws;
    const int L = p.Current;
    const int high = static_cast<int>(draws.size()) - 1;
    if (L > high || !AllBlank(rows)) return false;
    const auto keyOf = [&pass](uint32_t v) { return pass.ValueKey(v); };
    std::vector<TValueSummary> summaries;
    if (!pass.FactsByFindNext() && pass.WindowSummaries(start, L, p.Sorted, summaries)) {
        const std::vector<int> rowOfValue = PlaceSummaries(summaries, pass.ValueCount(), keyOf, rows, L);
        if (p.Facts)
            FindFacts(stat, rows, summaries, rowOfValue, L, p.Sorted, facts, [](int, auto&&) {});
        else
            facts.assign(size_t(rows.Size()), -1);
        return true;
    }
    if (!pass.BeginPass(start, high, L, p.Sorted)) return false;
    constexpr uint32_t kPeriods = TOwnWindowPass::kPeriodsBit;
    const int count = pass.ValueCount();  // known once the pass has begun
    std::vector<TValueSummary> state(static_cast<size_t>(count));
    std::vector<uint32_t> seen;
    std::vector<int32_t> uncounted(static_cast<size_t>(count));
    uint32_t ids[TOwnWindowPass::kMaxHits];
    const auto merge = [&](uint32_t h, int i) {
        const uint32_t v = h & TOwnWindowPass::kIdMask;
        const int at = (h & TOwnWindowPass::kPreviousDrawBit) && i > 0 ? i - 1 : i;
        MergeValue(state.data(), seen, v, (h & kPeriods) != 0, draws[size_t(at)].Number, at);
        uncounted[v] += (h & TOwnWindowPass::kUncountedBit) != 0;
    };
    if (const uint32_t* single = pass.HitPerDraw()) {
        for (int i = start; i <= L; ++i)
            if (const uint32_t h = single[i - start]; h != TOwnWindowPass::kNoHit) merge(h, i);
    } else {
        for (int i = start; i <= L; ++i) {
            const int n = pass.DrawHits(i, ids);
            for (int k = 0; k < n; ++k) merge(ids[k], i);
        }
    }
    for (TValueSummary& s : state) s.Count -= uncounted[size_t(&s - state.data())];
    CollectSummaries(state, seen, summaries);
    const std::vector<int> rowOfValue = PlaceSummaries(summaries, count, keyOf, rows, L);
    if (!p.Facts) {
        facts.assign(size_t(rows.Size()), -1);
        return true;
    }
    if (pass.FactsByFindNext()) {
        MethodFacts(stat, rows, p, facts);
        return true;
    }
    FindFacts(stat, rows, summaries, rowOfValue, L, p.Sorted, facts, [&](int idx, auto&& found) {
        const int n = pass.DrawHits(idx, ids);
        for (int k = 0; k < n; ++k) found(int(ids[k] & TOwnWindowPass::kIdMask));
    });
    return true;
}

void GenericWindow(TCustomStat& stat, TStatRows& rows, const TStatTableParams& p, int start,
                   std::vector<int32_t>& facts) {
    TLastValueArray lastValues;
    TRunState runState{};
    for (int i = start; i <= p.Current; ++i) stat.AddDraw(i, p.Current, lastValues, runState, rows, p.Sorted);
    if (p.Facts)
        MethodFacts(stat, rows, p, facts);
    else
        facts.assign(size_t(rows.Size()), -1);
}

} // namespace qx::detail
