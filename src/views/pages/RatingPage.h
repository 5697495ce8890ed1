#pragma once
#include <vector>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QTableView;

namespace qx {

class TRatingsModel;
class TSortState;

// The tab "Рейтинг": the ratings of the stake comments, sorted by a header click through the
// workspace; the match and profit graphs of the selected rows, the efficiency modes, the rebuild
// and the CSV export.
class TRatingPage : public TViewPage, public TWorkspaceObserver {
public:
    TRatingPage(TPageContext& context, QWidget* parent);
    ~TRatingPage() override;
    std::vector<TPersistentList> PersistentLists() override;

    QTableView* List() const { return FList; }
    TRatingsModel* Model() const { return FModel; }
    TSortState* Sort() const { return FSort; }
    std::vector<int> SelectedRows() const;

    void RatingsChanged() override;

private:
    void RegisterCommands();
    void ShowGraph(const TGraphPlot& plot);
    void Export();
    // The selected rows made into script lines, then the script tab shown.
    void ToScript();

    QTableView* FList;
    TRatingsModel* FModel;
    TSortState* FSort;
};

} // namespace qx
