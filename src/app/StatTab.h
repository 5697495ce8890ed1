#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/MethodChooser.h"
#include "core/Config.h"
#include "stats/FullSet.h"
#include "stats/StatTable.h"

namespace qx {

class TWorkspace;

// Everything a computed table depends on. Besides the archive length, offset, window and method
// the table also follows edits of draws that keep the length, the weights, the sorted view, the
// full-set comparison and the engine settings, so all of them are part of the key.
struct TViewCacheKey {
    uint64_t ArchiveRevision = 0;
    int Offset = 0;
    int Window = 0;
    int Entry = -1;
    int Method = -1;
    bool Sorted = false;
    bool Prefetchs = false;
    TStatWeights Weights;
    uint64_t ConfigRevision = 0;
    bool Facts = true;
    friend bool operator==(const TViewCacheKey&, const TViewCacheKey&) = default;
};

// The key of a view computed now over that window and chooser.
TViewCacheKey CurrentViewKey(const TWorkspace& workspace, int window, const TMethodChooser& chooser);

struct TChartPoint {
    double X = 0;
    double Y = 0;
    std::string Label;
};

// The statistics tab's chart: the window's counts and, with norms, the full set's line.
struct TStatChart {
    std::vector<TChartPoint> Actual;  // "Фактические данные"
    std::vector<TChartPoint> Total;   // "Все возможные комбинации"
};

// The statistics tab as the engine keeps it: chooser, window length, sort, the last table with
// its selection. The window shows it; filters and scripts drive the same state without one.
class TStatTab {
public:
    explicit TStatTab(TWorkspace& workspace);

    TMethodChooser& Chooser() { return FChooser; }
    const TMethodChooser& Chooser() const { return FChooser; }
    int WindowLength() const;
    void SetWindowLength(int length);
    int SortColumn() const { return FSortColumn; }
    bool Descending() const { return FDescending; }
    // Re-sorts the rows shown; the selected rows stay selected.
    void SetSort(int column, bool descending);

    // Recomputes when forced or when an input of the cache key changed. True when it computed.
    bool Refresh(bool force);
    // While on (a script run) a table gets its facts only when sorted by a column made from them;
    // the table left when it is switched off gets them at its next refresh.
    void SetFactsOnDemand(bool on) { FFactsOnDemand = on; }
    bool FactsWanted() const { return !FFactsOnDemand || ColumnNeedsFacts(FSortColumn); }
    // "График идеального распределения": inverts and stores ShowTotalLine and computes the table
    // and its chart again.
    void ToggleTotalLine();
    void ResetCache() { FCache.reset(); }
    uint64_t Revision() const { return FRevision; }

    const TStatTable& Table() const { return FTable; }
    const std::optional<TFullSet>& FullSet() const { return FFullSet; }
    // Made with the table: counts by key order without norms, along the full-set records with
    // them (Total empty without norms). Empty for a table of fewer than two rows.
    const TStatChart& Chart() const { return FChart; }

    // Selection, as row indexes of the table in display order.
    const std::vector<int>& Selection() const { return FSelection; }
    void SetSelection(std::vector<int> rows);
    void ClearSelection() { FSelection.clear(); }
    // The selected statistic rows in table order, and their captions joined by "; ".
    std::vector<TStatDraw> SelectedRows() const;
    std::string SelectedValuesText() const;
    // A row as scripts read it (its texts are made if nothing showed them yet); the all-empty
    // record for a missing row.
    TStatValues StatValuesOfItem(int row) const;

private:
    void Clear();
    void MakeChart(TCustomStat& stat);

    TWorkspace& FWs;
    TMethodChooser FChooser{"cbDrawsStatType", false};
    int FSortColumn = 1;
    bool FDescending = false;
    bool FFactsOnDemand = false;
    std::optional<TViewCacheKey> FCache;
    TStatTable FTable;
    std::optional<TFullSet> FFullSet;
    TStatChart FChart;
    std::vector<int> FSelection;
    uint64_t FRevision = 0;
};

} // namespace qx
