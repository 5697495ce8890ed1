#include "stats/StatTable.h"

#include <algorithm>
#include <atomic>
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
        case Count: return IntCell(R.Count);
        case CountPercent: return CountPercentCell();
        case Norm: return T.HasNorms ? IntCell(R.Norm) : DashCell();
        case Deviation: return T.HasNorms ? IntCell(Dev()) : DashCell();
        case DeviationPercent: return DeviationPercentCell();
        case Depth: return Occurred() ? IntCell(R.Depth) : DashCell();
        case DepthPercent: return DepthPercentCell();
        case Weight: return Occurred() ? RealCell(RowWeight(R, T.Summary, T.HasNorms, T.Weights), 2) : DashCell();
        case LastDraw: return Occurred() ? IntCell(R.LastDraw) : DashCell();
        case PeriodMin: return Periodic() ? IntCell(R.PeriodMin) : DashCell();
        case Period: return Periodic() ? RatioCell(T.Length, R.Count, 4) : DashCell();
        case PeriodMax: return Periodic() ? IntCell(R.PeriodMax) : DashCell();
        case ExpectedPeriod: return ExpectedCell(0);
        case ExpectedFormula1: return ExpectedCell(1);
        case ExpectedFormula2: return ExpectedCell(2);
        case Fact: return FactShown() ? IntCell(FFact) : DashCell();
        case DiffPeriod: return DiffCell(0);
        case DiffFormula1: return DiffCell(1);
        case DiffFormula2: return DiffCell(2);
        }
        return DashCell();
    }

    // Every cell; each expectation is worked out once for its own cell and its difference.
    void All(std::array<TStatCell, kStatColumnCount>& out) const {
        using enum TStatColumn;
        for (TStatColumn c : {Value, Count, CountPercent, Norm, Deviation, DeviationPercent, Depth, DepthPercent,
                              Weight, LastDraw, PeriodMin, Period, PeriodMax, Fact})
            out[size_t(ColumnIndex(c))] = Of(c);
        for (int k = 0; k < 3; ++k) {
            TStatCell& expected = out[size_t(ColumnIndex(ExpectedPeriod) + k)];
            TStatCell& diff = out[size_t(ColumnIndex(DiffPeriod) + k)];
            expected = diff = DashCell();
            if (!ExpectedShown(k)) continue;
            const int64_t e = ExpectedValue(k);
            expected = IntCell(e);
            if (FactShown()) diff = SignedCell(e - FFact);
        }
    }

private:
    int64_t Dev() const { return int64_t(R.Count) - R.Norm; }
    bool Occurred() const { return R.Depth != 0; }
    bool Periodic() const { return Occurred() && R.Count >= 2; }
    bool ExpectedShown(int k) const { return Occurred() && R.Count >= (k == 0 ? 2 : 1); }
    bool FactShown() const { return Occurred() && R.Count >= 1 && FFact != -1; }

    TStatCell CountPercentCell() const {
        return T.Summary.Total != 0 ? RatioCell(int64_t(R.Count) * 100, T.Summary.Total, 5) : DashCell();
    }
    TStatCell DeviationPercentCell() const {
        if (!T.HasNorms) return DashCell();
        if (R.Norm != 0) return RatioCell(Dev() * 100, R.Norm, 5);
        return RatioCell(R.Count == 0 ? 0 : 100, 1, 5);  // 0 when never counted, else 100
    }
    TStatCell DepthPercentCell() const {
        if (!Occurred() || T.Summary.MaxDepth == 0) return DashCell();
        return RatioCell(int64_t(R.Depth) * 100, T.Summary.MaxDepth, 2);
    }
    int64_t ExpectedValue(int k) const {
        // 64-bit products: 32 bits overflow once draw numbers times counts pass 2^31.
        const int64_t count = R.Count, last = R.LastDraw;
        switch (k) {
        case 0: return RoundRatio(T.Length + last * count, count);
        case 1: return RoundRatio((count + 1) * last, count);
        default: return RoundRatio((count + 2) * (last + 1), count + 1);
        }
    }
    TStatCell ExpectedCell(int k) const { return ExpectedShown(k) ? IntCell(ExpectedValue(k)) : DashCell(); }
    TStatCell DiffCell(int k) const {
        return ExpectedShown(k) && FactShown() ? SignedCell(ExpectedValue(k) - FFact) : DashCell();
    }

    const TStatTable& T;
    const TStatDraw& R;
    int32_t FFact;
};

std::atomic<uint64_t> gTextsMade{0};

// Ends of the texts of columns 1..19 in front of their characters.
constexpr size_t kTextEnds = kStatColumnCount - 1;
constexpr size_t kTextEndsSize = kTextEnds * sizeof(uint16_t);
// The longest text of a number cell: sign, 19 digits, separator.
constexpr size_t kMaxNumberText = 21;

} // namespace

namespace detail {

// The row texts of a table and its copies, in blocks that never move: 4 KB chunks filled in turn.
class TTextArena {
public:
    // Room for at most n bytes; Commit says where the bytes used end.
    char* Reserve(size_t n) {
        if (size_t(FEnd - FNext) < n) {
            const size_t size = std::max<size_t>(n, kChunk);
            FChunks.push_back(std::make_unique<char[]>(size));
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

namespace {
} // namespace

const std::string& StatColumnCaption(int column) {
    static const std::string kNone;
    return column >= 0 && column < kStatColumnCount ? kCaptions[size_t(column)] : kNone;
}

std::string_view TStatRowTexts::operator[](int column) const {
    if (column <= 0 || column >= kStatColumnCount) return column == 0 ? std::string_view(FValue) : std::string_view();
    uint16_t ends[kTextEnds];
    std::memcpy(ends, FBlock, kTextEndsSize);
    const size_t begin = column == 1 ? 0 : ends[column - 2];
    return {FBlock + kTextEndsSize + begin, size_t(ends[column - 1] - begin)};
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
    std::array<TStatCell, kStatColumnCount> cells;
    TRowCells(*this, row).All(cells);
    size_t room = kTextEndsSize;
    for (int c = 1; c < kStatColumnCount; ++c) {
        const TStatCell& cell = cells[size_t(c)];
        room += cell.Kind == TStatCell::Text ? CellTextLength(cell) : kMaxNumberText;
    }
    if (!FArena) FArena = std::make_shared<detail::TTextArena>();
    char* block = FArena->Reserve(room);
    char* const chars = block + kTextEndsSize;
    char* end = chars;
    uint16_t ends[kTextEnds];
    for (int c = 1; c < kStatColumnCount; ++c) {
        end = WriteCellText(cells[size_t(c)], DecimalSeparator, end);
        ends[c - 1] = static_cast<uint16_t>(end - chars);
    }
    std::memcpy(block, ends, kTextEndsSize);
    FArena->Commit(end);
    CountStatTextMade();
    return block;
}

uint64_t StatTextsMade() { return gTextsMade.load(std::memory_order_relaxed); }

void CountStatTextMade() { gTextsMade.fetch_add(1, std::memory_order_relaxed); }

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
