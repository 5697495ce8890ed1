#pragma once
#include <optional>
#include <vector>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QSpinBox;
class QSplitter;
class QTableView;
class QTreeWidget;

namespace qx {

class TCombsModel;

// The tab "Комбинации": the working combination list and the journal of applied filters. Owns
// the list's commands.
class TCombsPage;
// The main window's combination page (none while it is being built).
TCombsPage* FindCombsPage(QWidget* window);

class TCombsPage : public TViewPage, public TWorkspaceObserver {
public:
    TCombsPage(TPageContext& context, QWidget* parent);
    ~TCombsPage() override;

    QTableView* List() const { return FCombs; }
    TCombsModel* Model() const { return FModel; }
    QTreeWidget* Journal() const { return FFilters; }
    QSpinBox* ExcludeEdit() const { return FExclude; }
    // Selected list rows, ascending.
    std::vector<int> SelectedRows() const;

    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    std::vector<TPersistentList> PersistentLists() override;

    void CombsChanged() override;
    void RefreshViews(bool force) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    void Generate();
    void OpenFile();
    void SaveFile();
    void DeleteSelected();
    void ShowInfo();
    void FindInDraws();
    void Copy();
    void Paste();
    void SelectAll();
    // The combination of the first selected row; none without a selection.
    std::optional<TCombCode> SelectedCode() const;
    bool HasSelection() const;
    void FillJournal();

    QSpinBox* FExclude;
    QTableView* FCombs;
    TCombsModel* FModel;
    QTreeWidget* FFilters;
    QSplitter* FSplit;
    bool FClipboardHasText = false;
};

} // namespace qx
