#include "app/ExportSources.h"

#include <algorithm>
#include <stdexcept>

#include "app/Workspace.h"
#include "core/ConfigFile.h"
#include "scripts/RatingsText.h"

namespace qx {

TListTableSource::TListTableSource(std::string name, std::vector<TListColumn> columns, int rows, TCellText cell)
    : FName(std::move(name)), FColumns(std::move(columns)), FRows(rows), FCell(std::move(cell)) {}

void TListTableSource::Select(int first, int last) {
    FSelection.clear();
    for (int r = std::max(0, first); r <= std::min(last, FRows - 1); ++r) FSelection.push_back(r);
}

TSourceColumn TListTableSource::Column(int column) const {
    const TListColumn& c = FColumns.at(size_t(column));
    return {c.Caption, c.Alignment, c.Width};
}

TListTableSource DrawsListSource(const TWorkspace& ws) {
    const TDrawsArray& draws = ws.ViewDraws();
    return {"lvDraws", DrawsListColumns(), static_cast<int>(draws.size()),
            [&draws](int row, int column) { return DrawsListCell(draws, row, column); }};
}

TListTableSource CombsListSource(const TWorkspace& ws) {
    const TCombsArray& combs = ws.Combs().List();
    return {"lvCombs", CombsListColumns(), static_cast<int>(combs.size()),
            [&combs](int row, int column) { return CombsListCell(combs, row, column); }};
}

TListTableSource RatingsListSource(const TWorkspace& ws) {
    return {"lvRatings", RatingsListColumns(), ws.Ratings().Count(), [&ws](int row, int column) {
                return RatingCellText(ws.Ratings().Row(row), column, ws.RatingsEffMode(), ws.DecimalSeparator());
            }};
}

std::string StatTableCell(const TStatTable& table, int row, int column) {
    if (row < 0 || row >= table.Size() || column < 0 || column >= kStatColumnCount)
        throw std::out_of_range("statistic table cell");
    return std::string(table.Text(row, column));
}

TListTableSource StatTableSource(const TStatTable& table) {
    return {"lvDrawsStat", StatListColumns(table.HasNorms), static_cast<int>(table.Rows.size()),
            [&table](int row, int column) { return StatTableCell(table, row, column); }};
}

TExportEnvironment ExportEnvironment(const TWorkspace& ws) {
    const TProgramPaths& paths = ws.Paths();
    return {ws.Shell(), paths.Dir / (paths.ExeName + ".ini"), kConfigFileMode, ws.DecimalSeparator(), nullptr};
}

} // namespace qx
