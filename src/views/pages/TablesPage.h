#pragma once
#include <vector>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QTableView;

namespace qx {

class TTextListModel;

// The tab "Регуляры": the regular table stakes (not sortable: the list keeps file order), their
// adding, deleting, a stake from one of them and the test over the newest draws. The regulars
// are held only while the tab is shown.
class TTablesPage : public TViewPage, public TWorkspaceObserver {
public:
    TTablesPage(TPageContext& context, QWidget* parent);
    ~TTablesPage() override;
    std::vector<TPersistentList> PersistentLists() override;
    void TabToggled(bool visible) override;

    QTableView* List() const { return FList; }
    // Selected list rows, ascending.
    std::vector<int> SelectedRows() const;

    void TablesChanged() override;

private:
    void RegisterCommands();
    void Add();
    void Delete();
    void StakeAdd();
    void StakeTest();

    QTableView* FList;
    TTextListModel* FModel;
};

} // namespace qx
