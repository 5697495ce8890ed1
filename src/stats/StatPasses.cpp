#include "stats/StatPasses.h"

#include "core/ArchiveQueries.h"
#include "stats/DigitValues.h"

namespace qx::detail {
namespace {

const TDrawRecord kZeroDraw{};

const TDrawRecord& RecordAt(const TDrawsArray& draws, int i) {
    return i >= 0 && i < static_cast<int>(draws.size()) ? draws[size_t(i)] : kZeroDraw;
}

// What the merges of one value's hits leave in its row. A row starts blank, every window draw
// lies deeper than the next, so the merge rule reduces to: count, newest draw, gaps.
struct TValueState {
    int32_t Count = 0;
    int32_t Last = 0;       // draw number of the newest hit (LastDraw and PrevDraw of the row)
    int32_t LastIndex = 0;  // its archive index
    uint16_t PeriodMin = 0;
    uint16_t PeriodMax = 0;
};

// One hit of value v from draw i. The gap update of the merge rule is written without branches:
// comparisons of random gaps would mispredict.
[[gnu::always_inline]] inline void MergeValue(TValueState* state, std::vector<uint32_t>& seen, uint32_t v,
                                              bool periods, int32_t number, int i) {
    TValueState& s = state[v];
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

bool Blank(const TStatDraw& r) {
    return r.Count == 0 && r.Depth == 0 && r.LastDraw == 0 && r.PrevDraw == 0 && r.PeriodMin == 0 && r.PeriodMax == 0;
}

} // namespace

bool DigitsWindow(TCustomStat& stat, const TDigitValuesSource& source, TStatRows& rows, const TStatTableParams& p,
                  int start, std::vector<int32_t>& facts) {
    for (int r = 0; r < rows.Size(); ++r)
        if (!Blank(rows[r])) return false;
    const TDigitValueTable& table = source.Table();
    const TDrawsArray& draws = stat.Draws;
    const int L = p.Current;
    const bool sorted = p.Sorted;
    constexpr uint32_t kPeriods = TDigitValueTable::kPeriodsBit;

    std::vector<TValueState> state(size_t(table.ValueCount()));
    std::vector<uint32_t> seen;  // value ids in order of their first hit
    TValueState* const st = state.data();
    const bool packedHits = table.HasPacked();
    const uint32_t* const packed = table.PackedData();
    for (int i = start; i <= L; ++i) {
        const TDrawRecord& rec = RecordAt(draws, i);
        const int ci = CodeIndexOf(DrawDigits(rec, sorted));
        if (ci < 0) return false;  // nothing written to the rows yet
        const int32_t number = rec.Number;
        if (packedHits) {
            uint32_t word = packed[ci];
            for (int k = 0; k < 4 && (word & 0x7F) != TDigitValueTable::kPackedEnd; ++k, word >>= 8)
                MergeValue(st, seen, word & 0x7F, (word & 0x80) != 0, number, i);
        } else {
            for (uint32_t h : table.Hits(ci)) MergeValue(st, seen, h & ~kPeriods, (h & kPeriods) != 0, number, i);
        }
    }

    // Rows: the listed ones where they are, then the others in order of first occurrence.
    std::vector<int> rowOf(state.size(), -1);
    auto fill = [&](TStatDraw& row, const TValueState& s) {
        row.Count = s.Count;
        row.LastDraw = row.PrevDraw = s.Last;
        row.Depth = L - s.LastIndex + 1;
        row.PeriodMin = s.PeriodMin;
        row.PeriodMax = s.PeriodMax;
    };
    for (int r = 0; r < rows.Size(); ++r) {
        const int v = table.FindValue(rows[r].Key);
        if (v < 0) continue;
        rowOf[size_t(v)] = r;
        if (state[size_t(v)].Count > 0) fill(rows[r], state[size_t(v)]);
    }
    for (uint32_t v : seen) {
        if (rowOf[v] >= 0) continue;
        TStatDraw row;
        row.Key = table.Key(v);
        fill(row, state[v]);
        rowOf[v] = rows.Append(row);
    }

    // Facts. A row whose newest occurrence is the draw its number leads to cannot occur again up
    // to L, so its fact is the first occurrence after L: those rows share one pass over the hidden
    // draws that stops when all are found. Any other row (repeated draw numbers) searches alone.
    facts.assign(size_t(rows.Size()), -1);
    std::vector<char> waiting(state.size(), 0);
    int pending = 0;
    for (int r = 0; r < rows.Size(); ++r) {
        const TStatDraw& row = rows[r];
        if (!NeedsFact(row)) continue;
        const int v = table.FindValue(row.Key);
        const int z = IndexOfNumber(draws, row.LastDraw);
        if (v >= 0 && z == state[size_t(v)].LastIndex) {
            waiting[size_t(v)] = 1;
            ++pending;
        } else {
            facts[size_t(r)] = stat.FindNext(row, z + 1, sorted, L);
        }
    }
    const int high = static_cast<int>(draws.size()) - 1;
    for (int idx = L + 1; idx <= high && pending > 0; ++idx) {
        const TDrawRecord& rec = draws[size_t(idx)];
        auto found = [&](int v) {
            if (v >= 0 && waiting[size_t(v)]) {
                waiting[size_t(v)] = 0;
                facts[size_t(rowOf[size_t(v)])] = rec.Number;
                --pending;
            }
        };
        const TDigits d = DrawDigits(rec, sorted);
        const int ci = CodeIndexOf(d);
        if (ci >= 0) {
            for (uint32_t h : table.Hits(ci)) found(int(h & ~kPeriods));
        } else {
            TDigitValues values;
            source.DigitValues(d, values);
            for (const TDigitValue& v : values) found(table.FindValue(v.Key));
        }
    }
    return true;
}

void GenericWindow(TCustomStat& stat, TStatRows& rows, const TStatTableParams& p, int start,
                   std::vector<int32_t>& facts) {
    TLastValueArray lastValues;
    TRunState runState{};
    for (int i = start; i <= p.Current; ++i) stat.AddDraw(i, p.Current, lastValues, runState, rows, p.Sorted);
    facts.assign(size_t(rows.Size()), -1);
    for (int r = 0; r < rows.Size(); ++r)
        if (NeedsFact(rows[r]))
            facts[size_t(r)] = stat.FindNext(rows[r], IndexOfNumber(stat.Draws, rows[r].LastDraw) + 1, p.Sorted, p.Current);
}

} // namespace qx::detail
