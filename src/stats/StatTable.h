#pragma once
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Config.h"
#include "stats/CustomStat.h"
#include "stats/FullSet.h"
#include "stats/StatFormat.h"
#include "stats/ValueTexts.h"

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

// One row of a statistic table: what the window says about one value. The table works out every
// cell's number from it, and the cell texts only when they are asked for.
struct TStatTableRow {
    TStatDraw Row;      // the statistic row behind the cells
    int32_t Fact = -1;  // draw number of the next occurrence after the current draw; -1 when none or not shown
    const TValueText* Value = nullptr;  // the value's text and readings, kept by the method
    // The texts of the other cells once made (the table's): their ends, then their characters.
    mutable const char* TextBlock = nullptr;

    const std::string& ValueText() const { return Value->Text; }
};

// The twenty texts of a row.
class TStatRowTexts {
public:
    TStatRowTexts(const std::string& value, const char* block) : FValue(value), FBlock(block) {}
    std::string_view operator[](int column) const;
    std::string_view operator[](TStatColumn c) const { return (*this)[ColumnIndex(c)]; }

private:
    const std::string& FValue;
    const char* FBlock;
};

namespace detail {
class TTextArena;
}

// The statistic table over a window: the rows with what their cells are computed from. Sorting,
// filter conditions, stop modes and scripts read the cells' numbers; the texts of a row are made
// the first time something shows them (the list, the command line, export) and kept, so no row's
// texts are made twice. Not for use from two threads at once.
class TStatTable {
public:
    std::vector<TStatTableRow> Rows;
    TStatSummary Summary;
    int Start = 0;    // first archive index of the window
    int Length = 0;   // draws actually used (N)
    bool HasNorms = false;
    TStatWeights Weights;
    char DecimalSeparator = '.';
    std::shared_ptr<TValueTexts> ValueTexts;  // where the rows' value entries live

    int Size() const { return static_cast<int>(Rows.size()); }
    // The number a cell shows, worked out from the row; the value column has none (a dash).
    TStatCell Cell(int row, TStatColumn column) const;
    // The texts of a row, made on the first call.
    TStatRowTexts Texts(int row) const;
    std::string_view Text(int row, int column) const { return Texts(row)[column]; }
    std::string_view Text(int row, TStatColumn c) const { return Texts(row)[c]; }

    // Weights whose coefficients are whole numbers (the usual ones) give weights worked out in
    // integers; set from Weights by ComputeTable.
    struct TWholeWeights {
        bool Valid = false;
        int64_t Count = 0, Deviation = 0, Level = 0;
    };
    TWholeWeights WholeWeights;

private:
    const char* MakeTexts(const TStatTableRow& row) const;
    const char* MakePrintedTexts(const TStatTableRow& row) const;

    mutable std::shared_ptr<detail::TTextArena> FArena;
};

// How many row texts and value texts the engine has made in this thread. Steps that only read
// numbers (filters, scripts) must leave it unchanged; tests check that.
uint64_t StatTextsMade();
void CountStatTextMade();

// One table row as text, the way scripts read it.
struct TStatValues {
    std::string Value;
    int32_t NumValue = 0;  // filled by the script executor
    std::string Count, CountPercent, Deviation, DeviationPercent, Depth, DepthPercent, Weight, PeriodMin, Period,
        PeriodMax;
    friend bool operator==(const TStatValues&, const TStatValues&) = default;
};
TStatValues StatValuesOf(const TStatTable& table, int row);

// The statistic table over the window of draws ending at the current draw.
TStatTable ComputeTable(TCustomStat& stat, const TStatTableParams& params);

// Weight of a row: Count, deviation and depth (or their percentages, or absolute values) times
// the coefficients, in extended precision.
long double RowWeight(const TStatDraw& row, const TStatSummary& summary, bool hasNorms, const TStatWeights& w);
// The norm scale: (MaxCount + MinCount) / 2 / FullMax for a uniform full set, else
// MaxCount / FullMax. Only for FullMax > 0.
long double NormScale(const TStatSummary& summary, const TFullSet& fullSet);

} // namespace qx
