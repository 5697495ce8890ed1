#include "stats/StatTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// The cells of one row, worked out from its statistic row and what the table knows. The rules
// that blank cells with "-" live here and nowhere else.
class TRowCells {
public:
    TRowCells(const TStatTable& t, const TStatTableRow& row) : T(t), R(row.Row), FFact(row.Fact) {}

    TStatCell Of(TStatColumn c) const {
        using enum TStatColumn;
        switch (c) {
        case Value: return DashCell();
        case Count: return CountCell();
        case CountPercent: return CountPercentCell();
        case Norm: return NormCell();
        case Deviation: return DeviationCell();
        case DeviationPercent: return DeviationPercentCell();
        case Depth: return DepthCell();
        case DepthPercent: return DepthPercentCell();
        case Weight: return WeightCell();
        case LastDraw: return LastDrawCell();
        case PeriodMin: return PeriodMinCell();
        case Period: return PeriodCell();
        case PeriodMax: return PeriodMaxCell();
        case ExpectedPeriod: return ExpectedCell(0);
        case ExpectedFormula1: return ExpectedCell(1);
        case ExpectedFormula2: return ExpectedCell(2);
        case Fact: return FactCell();
        case DiffPeriod: return DiffCell(0);
        case DiffFormula1: return DiffCell(1);
        case DiffFormula2: return DiffCell(2);
        }
        return DashCell();
    }

    // The cells of columns 1..19 in order, each given to put; each expectation is worked out once
    // for its own cell and its difference.
    template <class Put>
    [[gnu::always_inline]] void EachCell(Put&& put) const {
        put(CountCell());
        put(CountPercentCell());
        put(NormCell());
        put(DeviationCell());
        put(DeviationPercentCell());
        put(DepthCell());
        put(DepthPercentCell());
        put(WeightCell());
        put(LastDrawCell());
        put(PeriodMinCell());
        put(PeriodCell());
        put(PeriodMaxCell());
        int64_t expected[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k) {
            if (ExpectedShown(k)) expected[k] = ExpectedValue(k);
            put(ExpectedShown(k) ? IntCell(expected[k]) : DashCell());
        }
        put(FactCell());
        for (int k = 0; k < 3; ++k) put(Differs(k) ? SignedCell(expected[k] - FFact) : DashCell());
    }

private:
    int64_t Dev() const { return int64_t(R.Count) - R.Norm; }
    bool Occurred() const { return R.Depth != 0; }
    bool Periodic() const { return Occurred() && R.Count >= 2; }
    bool ExpectedShown(int k) const { return Occurred() && R.Count >= (k == 0 ? 2 : 1); }
    bool FactShown() const { return Occurred() && R.Count >= 1 && FFact != -1; }
    bool Differs(int k) const { return FactShown() && ExpectedShown(k); }

    TStatCell CountCell() const { return IntCell(R.Count); }
    TStatCell CountPercentCell() const {
        return T.Summary.Total != 0 ? RatioCell(int64_t(R.Count) * 100, T.Summary.Total, 5) : DashCell();
    }
    TStatCell NormCell() const { return T.HasNorms ? IntCell(R.Norm) : DashCell(); }
    TStatCell DeviationCell() const { return T.HasNorms ? IntCell(Dev()) : DashCell(); }
    TStatCell DeviationPercentCell() const {
        if (!T.HasNorms) return DashCell();
        if (R.Norm != 0) return RatioCell(Dev() * 100, R.Norm, 5);
        return RatioCell(R.Count == 0 ? 0 : 100, 1, 5);  // 0 when never counted, else 100
    }
    TStatCell DepthCell() const { return Occurred() ? IntCell(R.Depth) : DashCell(); }
    TStatCell DepthPercentCell() const {
        if (!Occurred() || T.Summary.MaxDepth == 0) return DashCell();
        return RatioCell(int64_t(R.Depth) * 100, T.Summary.MaxDepth, 2);
    }
    TStatCell WeightCell() const {
        if (!Occurred()) return DashCell();
        // Whole coefficients without percentages: the extended-precision sum is exact, so the
        // integers give it, except a zero, whose sign only the real sum knows ("-0.00").
        const TStatTable::TWholeWeights& w = T.WholeWeights;
        if (w.Valid && !T.Weights.UsePercents) {
            int64_t c = R.Count, d = T.HasNorms ? Dev() : 0, l = R.Depth;
            if (T.Weights.UseAbsValues) {
                c = std::abs(c);
                d = std::abs(d);
                l = std::abs(l);
            }
            const int64_t weight = w.Count * c + w.Deviation * d + w.Level * l;
            if (weight != 0) return WeightCellOf(weight);
        }
        return RealCell(RowWeight(R, T.Summary, T.HasNorms, T.Weights), 2);
    }
    static TStatCell WeightCellOf(int64_t weight) {
        TStatCell c = IntCell(weight * 100);
        c.Decimals = 2;
        return c;
    }
    TStatCell LastDrawCell() const { return Occurred() ? IntCell(R.LastDraw) : DashCell(); }
    TStatCell PeriodMinCell() const { return Periodic() ? IntCell(R.PeriodMin) : DashCell(); }
    TStatCell PeriodCell() const { return Periodic() ? RatioCell(T.Length, R.Count, 4) : DashCell(); }
    TStatCell PeriodMaxCell() const { return Periodic() ? IntCell(R.PeriodMax) : DashCell(); }
    [[gnu::always_inline]] int64_t ExpectedValue(int k) const {
        // 64-bit products: 32 bits overflow once draw numbers times counts pass 2^31.
        const int64_t count = R.Count, last = R.LastDraw;
        switch (k) {
        case 0: return RoundRatio(T.Length + last * count, count);
        case 1: return RoundRatio((count + 1) * last, count);
        default: return RoundRatio((count + 2) * (last + 1), count + 1);
        }
    }
    TStatCell ExpectedCell(int k) const { return ExpectedShown(k) ? IntCell(ExpectedValue(k)) : DashCell(); }
    TStatCell FactCell() const { return FactShown() ? IntCell(FFact) : DashCell(); }
    TStatCell DiffCell(int k) const { return Differs(k) ? SignedCell(ExpectedValue(k) - FFact) : DashCell(); }

    const TStatTable& T;
    const TStatDraw& R;
    int32_t FFact;
};

// Counted per thread: a row's texts are counted where they are made, without a locked add.
thread_local uint64_t tTextsMade = 0;

// Ends of the texts of columns 1..19 in front of their characters.
constexpr size_t kTextEnds = kStatColumnCount - 1;
constexpr size_t kTextEndsSize = kTextEnds * sizeof(uint16_t);

// Coefficients up to 2^20 keep every product and the sum of three well inside 64 bits.
TStatTable::TWholeWeights WholeWeightsOf(const TStatWeights& w) {
    constexpr long double kLimit = 1 << 20;
    TStatTable::TWholeWeights whole;
    for (long double c : {w.Count, w.Deviation, w.Level})
        if (!(std::fabs(c) <= kLimit && c == std::trunc(c))) return whole;
    whole.Valid = true;
    whole.Count = static_cast<int64_t>(w.Count);
    whole.Deviation = static_cast<int64_t>(w.Deviation);
    whole.Level = static_cast<int64_t>(w.Level);
    return whole;
}

} // namespace

namespace detail {

// The row texts of a table and its copies, in blocks that never move: 4 KB chunks filled in turn.
class TTextArena {
public:
    // Room for at most n bytes; Commit says where the bytes used end.
    char* Reserve(size_t n) {
        if (size_t(FEnd - FNext) < n) {
            const size_t size = std::max<size_t>(n, kChunk);
            FChunks.push_back(std::make_unique_for_overwrite<char[]>(size));
            FNext = FChunks.back().get();
            FEnd = FNext + size;
        }
        return FNext;
    }
    void Commit(char* end) { FNext = end; }

private:
    static constexpr size_t kChunk = 4096;
    std::vector<std::unique_ptr<char[]>> FChunks;
    char* FNext = nullptr;
    char* FEnd = nullptr;
};

} // namespace detail

const std::string& StatColumnCaption(int column) {
    static const std::string kNone;
    return column >= 0 && column < kStatColumnCount ? kCaptions[size_t(column)] : kNone;
}

std::string_view TStatRowTexts::operator[](int column) const {
    if (column <= 0 || column >= kStatColumnCount) return column == 0 ? std::string_view(FValue) : std::string_view();
    uint16_t ends[2] = {0, 0};  // of the column before and of this one
    if (column == 1)
        std::memcpy(&ends[1], FBlock, sizeof(uint16_t));
    else
        std::memcpy(ends, FBlock + sizeof(uint16_t) * size_t(column - 2), sizeof ends);
    return {FBlock + kTextEndsSize + ends[0], size_t(ends[1] - ends[0])};
}

TStatCell TStatTable::Cell(int row, TStatColumn column) const {
    return TRowCells(*this, Rows[size_t(row)]).Of(column);
}

TStatRowTexts TStatTable::Texts(int row) const {
    const TStatTableRow& r = Rows[size_t(row)];
    if (!r.TextBlock) r.TextBlock = MakeTexts(r);
    return {r.ValueText(), r.TextBlock};
}

const char* TStatTable::MakeTexts(const TStatTableRow& row) const {
    std::array<TStatCell, kTextEnds> cells;
    size_t n = 0;
    bool printed = false;
    TRowCells(*this, row).EachCell([&](const TStatCell& cell) __attribute__((always_inline)) {
        printed |= cell.Kind == TStatCell::Text;
        cells[n++] = cell;
    });
    if (!FArena) FArena = std::make_shared<detail::TTextArena>();
    // A row with a text only printf prints (absurd weights) is made apart.
    if (printed) return MakePrintedTexts(row);
    // Number texts are written straight into the arena, with room for the longest of them.
    char* const block = FArena->Reserve(kTextEndsSize + kTextEnds * kMaxCellNumberText);
    char* const chars = block + kTextEndsSize;
    char* end = chars;
    for (size_t c = 0; c < kTextEnds; ++c) {
        end = WriteCellText(cells[c], DecimalSeparator, end);
        const auto e = static_cast<uint16_t>(end - chars);
        std::memcpy(block + sizeof e * c, &e, sizeof e);
    }
    FArena->Commit(end);
    CountStatTextMade();
    return block;
}

const char* TStatTable::MakePrintedTexts(const TStatTableRow& row) const {
    std::string chars;
    uint16_t ends[kTextEnds];
    size_t column = 0;
    TRowCells(*this, row).EachCell([&](const TStatCell& cell) {
        chars += CellText(cell, DecimalSeparator);
        ends[column++] = static_cast<uint16_t>(chars.size());
    });
    char* const block = FArena->Reserve(kTextEndsSize + chars.size());
    std::memcpy(block, ends, kTextEndsSize);
    std::memcpy(block + kTextEndsSize, chars.data(), chars.size());
    FArena->Commit(block + kTextEndsSize + chars.size());
    CountStatTextMade();
    return block;
}

uint64_t StatTextsMade() { return tTextsMade; }

void CountStatTextMade() { ++tTextsMade; }

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

TStatValues StatValuesOf(const TStatTable& table, int row) {
    using enum TStatColumn;
    const TStatRowTexts t = table.Texts(row);
    TStatValues v;
    v.Value = t[Value];
    v.Count = t[Count];
    v.CountPercent = t[CountPercent];
    v.Deviation = t[Deviation];
    v.DeviationPercent = t[DeviationPercent];
    v.Depth = t[Depth];
    v.DepthPercent = t[DepthPercent];
    v.Weight = t[Weight];
    v.PeriodMin = t[PeriodMin];
    v.Period = t[Period];
    v.PeriodMax = t[PeriodMax];
    return v;
}

TStatTable ComputeTable(TCustomStat& stat, const TStatTableParams& p) {
    TStatTable table;
    table.Weights = p.Weights;
    table.WholeWeights = WholeWeightsOf(p.Weights);
    table.DecimalSeparator = p.DecimalSeparator;
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
    bool done = source && detail::DigitsWindow(stat, *source, rows, p, table.Start, facts);
    if (TOwnWindowPass* pass = stat.OwnWindowPass(); !done && pass)
        done = detail::OwnWindow(stat, *pass, rows, p, table.Start, facts);
    if (!done) detail::GenericWindow(stat, rows, p, table.Start, facts);

    table.Summary = Summarize(rows.Items());
    if (p.FullSet && stat.Class().HasFullSet() && p.FullSet->FullMax > 0) {
        const long double h = NormScale(table.Summary, *p.FullSet);
        for (const TFullSetRecord& rec : p.FullSet->Records) {
            const int r = rows.Find(rec.Key);
            if (r >= 0) rows[r].Norm = RoundToInt32(rec.Count * h);
        }
        table.HasNorms = true;
    }

    table.ValueTexts = stat.ValueTexts();
    TValueTexts::TLookup values(*table.ValueTexts, stat);
    table.Rows.resize(size_t(rows.Size()));
    for (int r = 0; r < rows.Size(); ++r) {
        TStatTableRow& out = table.Rows[size_t(r)];
        out.Row = rows[r];
        out.Fact = facts[size_t(r)];
        out.Value = values.Get(out.Row.Key);
    }
    return table;
}

} // namespace qx
