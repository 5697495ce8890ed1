#pragma once
#include <string>
#include <vector>

#include "core/Game.h"
#include "export/ExportField.h"
#include "stats/StatTable.h"

namespace qx {

// A column of one of the program's lists as the window shows it: caption, alignment and width
// in pixels. The window's lists and the exports made without a window take them from here.
struct TListColumn {
    const char* Caption;
    TFieldAlignment Alignment = kAlignLeft;
    int Width = 80;
};

// "lvDraws": number, the four digits, their sum, the date label.
const std::vector<TListColumn>& DrawsListColumns();
// "lvCombs": running number, the four digits, their sum.
const std::vector<TListColumn>& CombsListColumns();
// "lvDrawsStat": the statistic table's columns; the three full-set columns are 0 wide unless
// the table compares with the full set.
std::vector<TListColumn> StatListColumns(bool norms);
// "lvRatings": key, counts, averages, profits, the five match counts and E0..E4.
const std::vector<TListColumn>& RatingsListColumns();
inline constexpr int kFirstNormColumn = 3;
inline constexpr int kLastNormColumn = 5;

// The texts of the lists' cells. Row 0 of the draws list is the newest draw.
std::string DrawsListCell(const TDrawsArray& draws, int row, int column);
std::string CombsListCell(const TCombsArray& combs, int row, int column);

} // namespace qx
