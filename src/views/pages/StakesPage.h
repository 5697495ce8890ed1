#pragma once
#include <optional>
#include <utility>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QTableView;

namespace qx {

class TCombsPage;
class TStakesModel;

// The tab "Ставки": the stakes grid over the stakes file and every stake command (adding from the
// combination list, deleting, checking, the profit graph, the log and scroll options).
class TStakesPage : public TViewPage, public TWorkspaceObserver {
public:
    TStakesPage(TPageContext& context, QWidget* parent);
    ~TStakesPage() override;
    std::vector<TPersistentList> PersistentLists() override;

    QTableView* Grid() const { return FGrid; }
    TStakesModel* Model() const { return FModel; }
    // The selected grid rows as the stakes operations count them (record index + 1); none
    // without a selection.
    std::optional<std::pair<int64_t, int64_t>> SelectedRows() const;

    void StakesChanged(bool refresh, bool selectLast) override;

private:
    void RegisterCommands();
    TCombsPage* Combs() const;
    std::optional<TCombCode> FirstSelectedComb() const;
    void AddStake(std::optional<TCombCode> numbers);
    void AddForCombs(bool selectedOnly);
    void DeleteSelected();
    void DeleteByCondition();
    void ShowProfitGraph();

    QTableView* FGrid;
    TStakesModel* FModel;
};

} // namespace qx
