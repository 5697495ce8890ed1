#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/Config.h"
#include "stats/CustomStat.h"
#include "stats/FullSet.h"

namespace qx {

// Columns of a statistic table, in display order.
enum class TStatColumn : int {
    Value, Count, CountPercent, Norm, Deviation, DeviationPercent, Depth, DepthPercent, Weight, LastDraw,
    PeriodMin, Period, PeriodMax, ExpectedPeriod, ExpectedFormula1, ExpectedFormula2, Fact, DiffPeriod,
    DiffFormula1, DiffFormula2
};
inline constexpr int kStatColumnCount = 20;
constexpr int ColumnIndex(TStatColumn c) { return static_cast<int>(c); }
// "Значение", "Количество", ...
const std::string& StatColumnCaption(int column);

struct TStatTableParams {
    int Current = -1;       // L: archive index of the current draw
    int WindowLength = 0;   // draws in the window, the current one included
    bool Sorted = false;    // digits of every draw sorted ascending first
    TStatWeights Weights;
    // Norms come from here; none (or an unusable one) gives a table without norms.
    const TFullSet* FullSet = nullptr;
    char DecimalSeparator = '.';
    // The next occurrences after the current draw (the column "Факт" and the three differences
    // from it). Script steps that neither show nor sort by them go without.
    bool Facts = true;
};
// Whether sorting by the column needs the facts.
constexpr bool ColumnNeedsFacts(int column) { return column >= 16 && column <= 19; }

struct TStatTableRow {
    TStatDraw Row;  // the statistic row behind the texts
    std::array<std::string, kStatColumnCount> Text;
    // The numbers behind the texts; NaN where the text is "-" and in the value column.
    std::array<double, kStatColumnCount> Value;
    int32_t Fact = -1;  // draw number of the next occurrence after the current draw; -1 when none or not shown
    const std::string& operator[](TStatColumn c) const { return Text[size_t(ColumnIndex(c))]; }
};

struct TStatTable {
    std::vector<TStatTableRow> Rows;
    TStatSummary Summary;
    int Start = 0;    // first archive index of the window
    int Length = 0;   // draws actually used (N)
    bool HasNorms = false;
};

// One table row as text, the way scripts read it.
struct TStatValues {
    std::string Value;
    int32_t NumValue = 0;  // filled by the script executor
    std::string Count, CountPercent, Deviation, DeviationPercent, Depth, DepthPercent, Weight, PeriodMin, Period,
        PeriodMax;
    friend bool operator==(const TStatValues&, const TStatValues&) = default;
};
TStatValues StatValuesOf(const TStatTableRow& row);

// The statistic table over the window of draws ending at the current draw.
TStatTable ComputeTable(TCustomStat& stat, const TStatTableParams& params);

// Weight of a row: Count, deviation and depth (or their percentages, or absolute values) times
// the coefficients, in extended precision.
long double RowWeight(const TStatDraw& row, const TStatSummary& summary, bool hasNorms, const TStatWeights& w);
// The norm scale: (MaxCount + MinCount) / 2 / FullMax for a uniform full set, else
// MaxCount / FullMax. Only for FullMax > 0.
long double NormScale(const TStatSummary& summary, const TFullSet& fullSet);

} // namespace qx
