#include "stats/StatTable.h"

#include <bit>
#include <cmath>
#include <limits>
#include <memory>

#include "stats/DigitValues.h"
#include "stats/StatFormat.h"
#include "stats/StatPasses.h"

namespace qx {
namespace {

const std::array<std::string, kStatColumnCount> kCaptions = {
    "Значение",   "Количество", "Кол-во в %", "Норма",      "Отклонение", "Откл-ие в %", "Глубина",
    "Глубина в %", "Вес",       "Посл. тираж", "Период min", "Период",     "Период max",  "Ожд. ПРД",
    "Ожд. СТФ",   "Ожд. КРН",   "Факт",       "+/- ПРД",    "+/- СТФ",    "+/- КРН"};

int32_t RoundToInt32(long double x) {
    const long double r = std::nearbyintl(x);
    if (!(r >= INT32_MIN)) return INT32_MIN;
    if (r > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(r);
}

// The cells of one row being written: each text is stored once, and the cells left unwritten
// read "-".
class TCells {
public:
    TCells(TStatTableRow& out, char separator) : FOut(out), FSep(separator) {}
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    // A text with no number behind it.
    void Text(TStatColumn c, std::string text) {
        const size_t i = Mark(c);
        FOut.Text[i] = std::move(text);
        FOut.Value[i] = std::numeric_limits<double>::quiet_NaN();
    }
    [[gnu::always_inline]] void Int(TStatColumn c, int64_t v) {
        const size_t i = Mark(c);
        SetIntText(FOut.Text[i], v);
        FOut.Value[i] = double(v);
    }
    [[gnu::always_inline]] void Signed(TStatColumn c, int64_t v) {
        const size_t i = Mark(c);
        SetSignedText(FOut.Text[i], v);
        FOut.Value[i] = double(v);
    }
    void Ratio(TStatColumn c, int64_t p, int64_t q, int decimals) {
        const size_t i = Mark(c);
        SetRatioText(FOut.Text[i], p, q, decimals, FSep);
        FOut.Value[i] = double(static_cast<long double>(p) / q);
    }
    void Weight(TStatColumn c, long double w) {
        const size_t i = Mark(c);
        SetWeightText(FOut.Text[i], w, FSep);
        FOut.Value[i] = double(w);
    }
    // "-" and no number in every cell not written.
    void Finish() {
        constexpr uint32_t kAll = (uint32_t(1) << kStatColumnCount) - 1;
        for (uint32_t rest = ~FWritten & kAll; rest != 0; rest &= rest - 1) {
            const size_t c = size_t(std::countr_zero(rest));
            std::string& cell = FOut.Text[c];
            if (cell.empty())  // a new row's
                cell.push_back('-');
            else
                cell.assign(1, '-');
            FOut.Value[c] = std::numeric_limits<double>::quiet_NaN();
        }
    }

private:
    size_t Mark(TStatColumn c) {
        const size_t i = size_t(ColumnIndex(c));
        FWritten |= uint32_t(1) << i;
        return i;
    }

    TStatTableRow& FOut;
    char FSep;
    uint32_t FWritten = 0;
};

// The twenty cells of a row from its statistic row, the table summary and the fact.
class TRowWriter {
public:
    TRowWriter(const TStatSummary& s, int n, bool hasNorms, const TStatWeights& w, char sep)
        : FSummary(s), FN(n), FHasNorms(hasNorms), FWeights(w), FSep(sep) {}

    void Write(const TCustomStat& stat, const TStatDraw& r, int32_t fact, TStatTableRow& out) const {
        out.Row = r;
        out.Fact = -1;
        TCells cells(out, FSep);
        Fill(cells, stat, r, fact, out.Fact);
        cells.Finish();
    }

private:
    void Fill(TCells& cells, const TCustomStat& stat, const TStatDraw& r, int32_t fact, int32_t& shownFact) const {
        using enum TStatColumn;
        cells.Text(Value, stat.ValueText(r));
        cells.Int(Count, r.Count);
        if (FSummary.Total != 0) cells.Ratio(CountPercent, int64_t(r.Count) * 100, FSummary.Total, 5);
        if (FHasNorms) {
            const int64_t dev = int64_t(r.Count) - r.Norm;
            cells.Int(Norm, r.Norm);
            cells.Int(Deviation, dev);
            if (r.Norm != 0)
                cells.Ratio(DeviationPercent, dev * 100, r.Norm, 5);
            else  // 0 when never counted, else 100
                cells.Ratio(DeviationPercent, r.Count == 0 ? 0 : 100, 1, 5);
        }
        if (r.Depth == 0) return;

        cells.Int(Depth, r.Depth);
        if (FSummary.MaxDepth != 0) cells.Ratio(DepthPercent, int64_t(r.Depth) * 100, FSummary.MaxDepth, 2);
        cells.Weight(Weight, RowWeight(r, FSummary, FHasNorms, FWeights));
        cells.Int(LastDraw, r.LastDraw);
        const int64_t count = r.Count, last = r.LastDraw;
        int64_t expected[3] = {0, 0, 0};
        bool shown[3] = {false, false, false};
        if (count >= 2) {
            cells.Int(PeriodMin, r.PeriodMin);
            cells.Ratio(Period, FN, count, 4);
            cells.Int(PeriodMax, r.PeriodMax);
            expected[0] = RoundRatio(FN + last * count, count);
            shown[0] = true;
        }
        if (count >= 1) {
            // 64-bit products: 32 bits overflow once draw numbers times counts pass 2^31.
            expected[1] = RoundRatio((count + 1) * last, count);
            expected[2] = RoundRatio((count + 2) * (last + 1), count + 1);
            shown[1] = shown[2] = true;
        }
        constexpr TStatColumn kExpected[3] = {ExpectedPeriod, ExpectedFormula1, ExpectedFormula2};
        constexpr TStatColumn kDiff[3] = {DiffPeriod, DiffFormula1, DiffFormula2};
        for (int k = 0; k < 3; ++k)
            if (shown[k]) cells.Int(kExpected[k], expected[k]);
        if (count < 1 || fact == -1) return;
        shownFact = fact;
        cells.Int(Fact, fact);
        for (int k = 0; k < 3; ++k)
            if (shown[k]) cells.Signed(kDiff[k], expected[k] - fact);
    }

    const TStatSummary& FSummary;
    int FN;
    bool FHasNorms;
    const TStatWeights& FWeights;
    char FSep;
};

} // namespace

const std::string& StatColumnCaption(int column) {
    static const std::string kNone;
    return column >= 0 && column < kStatColumnCount ? kCaptions[size_t(column)] : kNone;
}

long double RowWeight(const TStatDraw& row, const TStatSummary& s, bool hasNorms, const TStatWeights& w) {
    const long double dev = hasNorms ? static_cast<long double>(int64_t(row.Count) - row.Norm) : 0.0L;
    long double c = row.Count, d = dev, l = row.Depth;
    if (w.UsePercents) {
        c = s.Total == 0 ? 0.0L : row.Count * 100.0L / s.Total;
        d = !hasNorms || row.Norm == 0 ? 0.0L : dev * 100.0L / row.Norm;
        l = s.MaxDepth == 0 ? 0.0L : row.Depth * 100.0L / s.MaxDepth;
    }
    if (w.UseAbsValues) {
        c = std::fabs(c);
        d = std::fabs(d);
        l = std::fabs(l);
    }
    return w.Count * c + w.Deviation * d + w.Level * l;
}

long double NormScale(const TStatSummary& s, const TFullSet& f) {
    if (f.FullMax == f.FullMin) return static_cast<long double>(int64_t(s.MaxCount) + s.MinCount) / 2 / f.FullMax;
    return static_cast<long double>(s.MaxCount) / f.FullMax;
}

TStatValues StatValuesOf(const TStatTableRow& row) {
    TStatValues v;
    v.Value = row[TStatColumn::Value];
    v.Count = row[TStatColumn::Count];
    v.CountPercent = row[TStatColumn::CountPercent];
    v.Deviation = row[TStatColumn::Deviation];
    v.DeviationPercent = row[TStatColumn::DeviationPercent];
    v.Depth = row[TStatColumn::Depth];
    v.DepthPercent = row[TStatColumn::DepthPercent];
    v.Weight = row[TStatColumn::Weight];
    v.PeriodMin = row[TStatColumn::PeriodMin];
    v.Period = row[TStatColumn::Period];
    v.PeriodMax = row[TStatColumn::PeriodMax];
    return v;
}

TStatTable ComputeTable(TCustomStat& stat, const TStatTableParams& p) {
    TStatTable table;
    const int L = p.Current;
    const int64_t start = std::max<int64_t>(int64_t(L) - p.WindowLength + 1, 0);
    table.Start = static_cast<int>(std::min<int64_t>(start, INT32_MAX));
    if (L < start) return table;
    table.Length = L - table.Start + 1;

    TStatRows rows;
    const auto* source = stat.DigitSource();
    // Room for the usual number of rows: a digit-values method's values, a few for others.
    rows.Reserve(source ? std::min<size_t>(size_t(source->Table().ValueCount()), 256) : 16);
    stat.InitValues(L, rows);
    std::vector<int32_t> facts;
    if (!source || !detail::DigitsWindow(stat, *source, rows, p, table.Start, facts))
        detail::GenericWindow(stat, rows, p, table.Start, facts);

    table.Summary = Summarize(rows.Items());
    if (p.FullSet && stat.Class().HasFullSet() && p.FullSet->FullMax > 0) {
        const long double h = NormScale(table.Summary, *p.FullSet);
        for (const TFullSetRecord& rec : p.FullSet->Records) {
            const int r = rows.Find(rec.Key);
            if (r >= 0) rows[r].Norm = RoundToInt32(rec.Count * h);
        }
        table.HasNorms = true;
    }

    const TRowWriter writer(table.Summary, table.Length, table.HasNorms, p.Weights, p.DecimalSeparator);
    table.Rows.resize(size_t(rows.Size()));
    for (int r = 0; r < rows.Size(); ++r) writer.Write(stat, rows[r], facts[size_t(r)], table.Rows[size_t(r)]);
    return table;
}

} // namespace qx
