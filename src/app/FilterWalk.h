#pragma once
#include <string>
#include <vector>

#include "combs/FilterItem.h"
#include "stats/CustomStat.h"
#include "stats/StatTable.h"

namespace qx {

// What a filter part walks over: a combination list with one level of undo and a selection of
// the walked table's rows. The workspace walks its own list and statistics tab; the filter
// editor's preview walks copies.
class TFilterWalkTarget {
public:
    virtual ~TFilterWalkTarget() = default;
    virtual int CombsCount() const = 0;
    // Makes these rows of the table (indexes, in any order) the selected ones.
    virtual void Select(const std::vector<int>& rows) = 0;
    virtual void SaveUndo() = 0;
    // Rebuilds the list from the undo copy by the selected rows (keep when exclude is false).
    virtual void Filter(TCustomStat& stat, bool exclude) = 0;
    // Takes back the last step that emptied the list.
    virtual void RollBack() = 0;
    // Polled before each row; true ends the walk.
    virtual bool StopRequested() = 0;
    // A line of the script log; none by default.
    virtual void Log(const std::string& line) { (void)line; }
    // Whether Log keeps its lines: the rows' texts are made for the log only.
    virtual bool Logging() const { return false; }
};

// Walks the rows of a computed, sorted table by the part's direction, condition and stop mode,
// selecting rows and filtering the target's list row by row or once for all selected rows; a
// step that empties the list is rolled back. stat is an object of the part's method.
void WalkFilterPart(const TFilterPart& part, const TStatTable& table, TCustomStat& stat,
                    TFilterWalkTarget& target);

// "< [%s] кол-во: %s (%s %%), ... >": a table row in the script log.
std::string RowLogText(const TStatValues& v);

} // namespace qx
