#pragma once
#include <vector>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QSpinBox;
class QTableView;

namespace qx {

class TDrawsModel;

// The tab "Архив тиражей": the panel with its buttons and the offset spin edit, and the virtual
// draws list. Owns the draw commands.
class TDrawsPage : public TViewPage, public TWorkspaceObserver {
public:
    TDrawsPage(TPageContext& context, QWidget* parent);
    ~TDrawsPage() override;

    QTableView* List() const { return FList; }
    QSpinBox* OffsetEdit() const { return FOffset; }
    TDrawsModel* Model() const { return FModel; }
    // Selected list rows, ascending.
    std::vector<int> SelectedRows() const;

    std::vector<TPersistentList> PersistentLists() override;
    void BusyChanged(bool busy) override;

    void DrawsListChanged(bool force) override;
    void DrawsOffsetChanged() override;
    void RefreshViews(bool force) override;

private:
    void RegisterCommands();
    void AddDraw();
    void EditDraw();
    void DeleteDraws();
    void ShowInfo();
    void ImportDraws();
    void ExportDraws();
    void SyncOffsetEdit();

    QTableView* FList;
    TDrawsModel* FModel;
    QSpinBox* FOffset;
    int FShownOffset = 0;
};

} // namespace qx
