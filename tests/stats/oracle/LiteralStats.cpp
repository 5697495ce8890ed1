#include "LiteralStats.h"

#include <cmath>
#include <cstdio>

#include "core/ArchiveQueries.h"

namespace qx::oracle {
namespace {

std::string Printf(const char* format, long double x, char separator) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, x);
    std::string s = buf;
    for (char& c : s)
        if (c == '.') c = separator;
    return s;
}

std::string Decimal(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", v);
    return buf;
}

long long Rnd(long double x) { return static_cast<long long>(std::nearbyintl(x)); }

} // namespace

void TLiteralRows::AddHit(const TStatDraw& hit, bool withPeriods) {
    for (TStatDraw& row : Rows) {
        if (row.Key.Raw() != hit.Key.Raw()) continue;
        row.Count = row.Count + hit.Count;
        if (row.Depth == 0 || (hit.Depth > 0 && row.Depth >= hit.Depth)) {
            row.LastDraw = hit.LastDraw;
            row.Depth = hit.Depth;
        }
        if (withPeriods && hit.LastDraw > 0 && row.PrevDraw > 0) {
            long long gap = static_cast<long long>(row.PrevDraw) - hit.LastDraw;
            if (gap < 0) gap = -gap;
            if (gap > 65535) gap = 65535;
            if (gap < row.PeriodMin || row.PeriodMin == 0) row.PeriodMin = static_cast<uint16_t>(gap);
            if (gap > row.PeriodMax || row.PeriodMax == 0) row.PeriodMax = static_cast<uint16_t>(gap);
        }
        row.PrevDraw = hit.LastDraw;
        return;
    }
    TStatDraw added;
    added.Key = hit.Key;
    added.LastDraw = hit.LastDraw;
    added.Depth = hit.Depth;
    added.PrevDraw = hit.PrevDraw;
    added.PeriodMin = hit.PeriodMin;
    added.PeriodMax = hit.PeriodMax;
    added.Count = hit.Count;
    added.Norm = 0;
    Rows.push_back(added);
}

TStatSummary LiteralSummary(const TStatDrawArray& rows) {
    TStatSummary s;
    s.MinCount = 2147483647;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Count < s.MinCount) s.MinCount = rows[i].Count;
        if (rows[i].Count > s.MaxCount) s.MaxCount = rows[i].Count;
        if (rows[i].Depth > s.MaxDepth) s.MaxDepth = rows[i].Depth;
        s.Total += rows[i].Count;
    }
    return s;
}

void LiteralKeySort(TStatDrawArray& rows) {
    for (size_t i = 1; i < rows.size(); ++i) {
        TStatDraw item = rows[i];
        size_t j = i;
        while (j > 0) {
            const TStatKey& a = rows[j - 1].Key;
            bool greater = false;
            for (int part = 1; part <= 4; ++part) {
                const uint16_t x = uint16_t(a.K(part)), y = uint16_t(item.Key.K(part));
                if (x != y) {
                    greater = x > y;
                    break;
                }
            }
            if (!greater) break;
            rows[j] = rows[j - 1];
            --j;
        }
        rows[j] = item;
    }
}

int32_t LiteralFindNext(TCustomStat& stat, const TStatDraw& row, int from, bool sorted, int L) {
    TRunState runState{};
    const int high = static_cast<int>(stat.Draws.size()) - 1;
    for (int idx = from; idx <= high; ++idx) {
        TLiteralRows rows;
        TLastValueArray lastValues;
        stat.AddDraw(idx, L, lastValues, runState, rows, sorted);
        for (const TStatDraw& produced : rows.Rows)
            if (produced.Key == row.Key) return produced.LastDraw;
    }
    return -1;
}

TLiteralTable LiteralComputeTable(TCustomStat& stat, const TStatTableParams& p) {
    TLiteralTable table;
    const int L = p.Current;
    long long start = static_cast<long long>(L) - p.WindowLength + 1;
    if (start < 0) start = 0;
    table.Start = static_cast<int>(start);
    if (L < start) return table;
    const int N = L - table.Start + 1;
    table.Length = N;

    TLiteralRows rows;
    TLastValueArray lastValues;
    TRunState runState{};
    stat.InitValues(L, rows);
    for (int i = table.Start; i <= L; ++i) stat.AddDraw(i, L, lastValues, runState, rows, p.Sorted);
    const TStatSummary s = LiteralSummary(rows.Rows);
    table.Summary = s;

    if (p.FullSet != nullptr && (stat.Class().Flags() & 2) != 0 && p.FullSet->FullMax > 0) {
        long double h;
        if (p.FullSet->FullMax == p.FullSet->FullMin)
            h = (static_cast<long double>(s.MaxCount) + s.MinCount) / 2 / p.FullSet->FullMax;
        else
            h = static_cast<long double>(s.MaxCount) / p.FullSet->FullMax;
        for (const TFullSetRecord& rec : p.FullSet->Records)
            for (TStatDraw& row : rows.Rows)
                if (row.Key == rec.Key) row.Norm = static_cast<int32_t>(Rnd(rec.Count * h));
        table.HasNorms = true;
    }

    const char sep = p.DecimalSeparator;
    for (const TStatDraw& r : rows.Rows) {
        TLiteralRow out;
        out.Row = r;
        auto put = [&](TStatColumn c, std::string text) { out.Text[size_t(ColumnIndex(c))] = text; };
        put(TStatColumn::Value, stat.ValueText(r));
        put(TStatColumn::Count, Decimal(r.Count));
        if (s.Total == 0) {
            put(TStatColumn::CountPercent, "-");
        } else {
            const long double v = static_cast<long double>(r.Count) * 100 / s.Total;
            put(TStatColumn::CountPercent, Printf("%.5Lf", v, sep));
        }
        if (table.HasNorms) {
            put(TStatColumn::Norm, Decimal(r.Norm));
            put(TStatColumn::Deviation, Decimal(static_cast<long long>(r.Count) - r.Norm));
            long double v;
            if (r.Norm == 0)
                v = r.Count == 0 ? 0 : 100;
            else
                v = static_cast<long double>(static_cast<long long>(r.Count) - r.Norm) * 100 / r.Norm;
            put(TStatColumn::DeviationPercent, Printf("%.5Lf", v, sep));
        } else {
            put(TStatColumn::Norm, "-");
            put(TStatColumn::Deviation, "-");
            put(TStatColumn::DeviationPercent, "-");
        }
        for (int c = ColumnIndex(TStatColumn::Depth); c < kStatColumnCount; ++c) out.Text[size_t(c)] = "-";
        if (r.Depth != 0) {
            put(TStatColumn::Depth, Decimal(r.Depth));
            if (s.MaxDepth != 0) {
                const long double v = static_cast<long double>(r.Depth) * 100 / s.MaxDepth;
                put(TStatColumn::DepthPercent, Printf("%.2Lf", v, sep));
            }
            // Weight.
            const TStatWeights& w = p.Weights;
            long double dev = 0;
            if (table.HasNorms) dev = static_cast<long double>(r.Count) - r.Norm;
            long double c, d, l;
            if (w.UsePercents) {
                c = s.Total == 0 ? 0 : static_cast<long double>(r.Count) * 100 / s.Total;
                d = (!table.HasNorms || r.Norm == 0) ? 0 : dev * 100 / r.Norm;
                l = s.MaxDepth == 0 ? 0 : static_cast<long double>(r.Depth) * 100 / s.MaxDepth;
            } else {
                c = r.Count;
                d = dev;
                l = r.Depth;
            }
            if (w.UseAbsValues) {
                c = c < 0 ? -c : c;
                d = d < 0 ? -d : d;
                l = l < 0 ? -l : l;
            }
            const long double weight = w.Count * c + w.Deviation * d + w.Level * l;
            put(TStatColumn::Weight, Printf("%.2Lf", weight, sep));
            put(TStatColumn::LastDraw, Decimal(r.LastDraw));

            long long expected[3] = {0, 0, 0};
            bool have[3] = {false, false, false};
            if (r.Count >= 2) {
                put(TStatColumn::PeriodMin, Decimal(r.PeriodMin));
                const long double period = static_cast<long double>(N) / r.Count;
                put(TStatColumn::Period, Printf("%.4Lf", period, sep));
                put(TStatColumn::PeriodMax, Decimal(r.PeriodMax));
                expected[0] = Rnd(static_cast<long double>(N) / r.Count + r.LastDraw);
                have[0] = true;
            }
            if (r.Count >= 1) {
                const long long p1 = static_cast<long long>(r.Count + 1) * r.LastDraw;
                expected[1] = Rnd(static_cast<long double>(p1) / r.Count);
                const long long p2 = static_cast<long long>(r.Count + 2) * (static_cast<long long>(r.LastDraw) + 1);
                expected[2] = Rnd(static_cast<long double>(p2) / (r.Count + 1));
                have[1] = have[2] = true;
            }
            const TStatColumn expCols[3] = {TStatColumn::ExpectedPeriod, TStatColumn::ExpectedFormula1,
                                            TStatColumn::ExpectedFormula2};
            const TStatColumn diffCols[3] = {TStatColumn::DiffPeriod, TStatColumn::DiffFormula1,
                                             TStatColumn::DiffFormula2};
            for (int k = 0; k < 3; ++k)
                if (have[k]) put(expCols[k], Decimal(expected[k]));
            if (r.Count >= 1) {
                const int z = IndexOfNumber(stat.Draws, r.LastDraw);
                const int32_t fact = LiteralFindNext(stat, r, z + 1, p.Sorted, L);
                if (fact != -1) {
                    out.Fact = fact;
                    put(TStatColumn::Fact, Decimal(fact));
                    for (int k = 0; k < 3; ++k) {
                        if (!have[k]) continue;
                        const long long diff = expected[k] - fact;
                        put(diffCols[k], (diff > 0 ? "+" : "") + Decimal(diff));
                    }
                }
            }
        }
        table.Rows.push_back(out);
    }
    return table;
}

TStatValues LiteralStatValues(const TLiteralRow& row) {
    using enum TStatColumn;
    TStatValues v;
    v.Value = row[Value];
    v.Count = row[Count];
    v.CountPercent = row[CountPercent];
    v.Deviation = row[Deviation];
    v.DeviationPercent = row[DeviationPercent];
    v.Depth = row[Depth];
    v.DepthPercent = row[DepthPercent];
    v.Weight = row[Weight];
    v.PeriodMin = row[PeriodMin];
    v.Period = row[Period];
    v.PeriodMax = row[PeriodMax];
    return v;
}

TCombsArray LiteralFilter(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                          std::span<const TCombCode> candidates) {
    const int lref = L < 0 ? 0 : L;
    stat.Prepare(-1, lref, sorted);
    TCombsArray survivors;
    for (TCombCode code : candidates) {
        const bool m = stat.Matches(code, selected, exclude, sorted, lref);
        if (m != exclude) survivors.push_back(code);
    }
    return survivors;
}

TStatDrawArray LiteralFullSetTable(TCustomStat& stat) {
    TLiteralRows rows;
    for (int d1 = 0; d1 < 10; ++d1)
        for (int d2 = 0; d2 < 10; ++d2)
            for (int d3 = 0; d3 < 10; ++d3)
                for (int d4 = 0; d4 < 10; ++d4) stat.AddCombination(MakeCode(d1, d2, d3, d4), rows);
    LiteralKeySort(rows.Rows);
    return rows.Rows;
}

} // namespace qx::oracle
