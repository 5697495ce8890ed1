#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/StatTab.h"
#include "app/ViewGrid.h"
#include "app/ViewRefresh.h"
#include "core/DrawHelpers.h"
#include "core/Game.h"

namespace qx {

class TWorkspace;

inline constexpr int kWeekDays = 7;
using TDayNames = std::array<std::string, kWeekDays>; // Monday first
// The short day names of the built-in interface language.
const TDayNames& BuiltInShortDayNames();

// Day of the week of a draw label, Monday = 1 ... Sunday = 7; none for a label that gives no
// date, a day missing from its month included.
std::optional<int> LabelWeekday(std::string_view label);

// How often each digit was drawn on each day of the week in a window of draws, every position
// counting. The grid is 11 x 8: digits "0" ... "9" head columns 1 to 10, day names rows 1 to 7.
class TWeekCounts {
public:
    static constexpr int kColumns = kDigitCount + 1;
    static constexpr int kRows = kWeekDays + 1;
    static TWeekCounts Count(const TDrawsArray& draws, int current, int length);

    int At(int digit, int weekday) const { return FCounts[size_t(digit)][size_t(weekday - 1)]; }
    int Max() const { return FMax; }
    std::string Text(int column, int row, const TDayNames& days) const;
    // White to red by the count; none for empty and header cells.
    std::optional<TColour> Colour(int column, int row) const;
    // Mode 1: the seven days of the cell's digit, labelled with the day names; otherwise the ten
    // digits of the cell's day. x from 1.
    std::vector<TChartPoint> ChartPoints(int mode, int column, int row, const TDayNames& days) const;

private:
    std::array<std::array<int, kWeekDays>, kDigitCount> FCounts{};
    int FMax = 0;
};

inline constexpr const char* kWeekProgress = "Построение статистики по дням недели...";

// The week tab as the engine keeps it: the counts, the grid's current cell and the chart of it.
class TWeekTab {
public:
    explicit TWeekTab(TWorkspace& workspace);

    // While the tab is shown: forced, or when the archive, the offset or the window changed.
    bool Refresh(bool force);
    void ResetCache() { FRefresh.Reset(); }
    const TWeekCounts& Counts() const { return FCounts; }
    uint64_t Revision() const { return FRefresh.Revision(); }

    // The grid's current cell, kept among the data cells.
    void SetCurrentCell(int column, int row);
    int CurrentColumn() const { return FColumn; }
    int CurrentRow() const { return FRow; }
    // The chart of the current cell in the stored chart mode.
    std::vector<TChartPoint> Chart() const;

    const TDayNames& DayNames() const { return FDays; }
    void SetDayNames(const TDayNames& days) { FDays = days; }
    std::string Text(int column, int row) const { return FCounts.Text(column, row, FDays); }

private:
    TWorkspace& FWs;
    TViewRefresh FRefresh;
    TWeekCounts FCounts;
    TDayNames FDays = BuiltInShortDayNames();
    int FColumn = 1;
    int FRow = 1;
};

} // namespace qx
