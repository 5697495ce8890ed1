#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/ListColumns.h"
#include "export/ExportSource.h"
#include "export/ExportToSpreadsheet.h"

namespace qx {

class TWorkspace;

// One of the engine's tables as an export source, laid out as the window's list: its columns
// from the list's table, every row or the rows of a selection. The command-line tool exports
// through these.
class TListTableSource : public TExportSource {
public:
    using TCellText = std::function<std::string(int row, int column)>;
    TListTableSource(std::string name, std::vector<TListColumn> columns, int rows, TCellText cell);

    // Selects the rows first ... last (from 0, clipped to the table).
    void Select(int first, int last);

    TExportVariant Variant() const override { return TExportVariant::List; }
    std::string Name() const override { return FName; }
    int RowCount() const override { return FRows; }
    bool MultiSelect() const override { return true; }
    std::vector<int> Selection() const override { return FSelection; }
    int ColumnCount() const override { return static_cast<int>(FColumns.size()); }
    TSourceColumn Column(int column) const override;
    std::string CellText(int row, int column) const override { return FCell(row, column); }

private:
    std::string FName;
    std::vector<TListColumn> FColumns;
    int FRows;
    TCellText FCell;
    std::vector<int> FSelection;
};

// "lvDraws" over the archive as shown (the sorted view when it is on).
TListTableSource DrawsListSource(const TWorkspace& ws);
// "lvCombs" over the working combination list.
TListTableSource CombsListSource(const TWorkspace& ws);
// "lvRatings" over the ratings in their current order and efficiency mode.
TListTableSource RatingsListSource(const TWorkspace& ws);
// "lvDrawsStat" over a computed table; the table must outlive the source.
TListTableSource StatTableSource(const TStatTable& table);
// The table's cell text; the row's texts are made the first time one is asked for.
std::string StatTableCell(const TStatTable& table, int row, int column);

// The export's surroundings in a program directory: the shell, the configuration file named
// after the executable, the user's decimal separator.
TExportEnvironment ExportEnvironment(const TWorkspace& ws);

} // namespace qx
