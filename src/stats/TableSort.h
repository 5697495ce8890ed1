#pragma once
#include <functional>
#include <string_view>
#include <vector>

#include "stats/StatTable.h"

namespace qx {

// Order of the rows of a sortable list: each text of the sort column, with "," read as ".", is
// taken as a real number; two numbers compare as numbers, anything else as texts ignoring letter
// case; equal texts of a column other than the caption (column 0) are ordered by their captions;
// descending reverses the comparison. Rows that still compare equal keep their order. Column -1
// leaves the rows as they are. Returns the row indexes in display order.
std::vector<int> SortListRows(int rowCount, int column, bool descending,
                              const std::function<std::string_view(int row, int column)>& text);

// Sorts the rows of a statistic table by that rule, reading the numbers the cells show and the
// method's value texts: no cell text is made.
void SortStatTable(TStatTable& table, int column, bool descending);

} // namespace qx
