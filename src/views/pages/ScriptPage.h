#pragma once
#include <array>
#include <optional>
#include <vector>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QComboBox;
class QLabel;
class QSplitter;
class QTableView;

namespace qx {

class TScriptModel;
class TSortableList;

// The tab "Сценарий": the script lines with their editing, running and log commands, the run's
// status panels, and the online script library panel.
class TScriptPage : public TViewPage, public TWorkspaceObserver {
public:
    TScriptPage(TPageContext& context, QWidget* parent);
    ~TScriptPage() override;
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    std::vector<TPersistentList> PersistentLists() override;

    QTableView* Lines() const { return FLines; }
    TScriptModel* Model() const { return FModel; }
    QLabel* Panel(int panel) const { return FPanels[size_t(panel)]; }
    // The selected rows in order; the focused row, -1 without one.
    std::vector<int> SelectedRows() const;
    int FocusedRow() const;

    void ScriptChanged() override;
    void ScriptRunChanged() override;
    void ScriptLibraryChanged() override;

    QWidget* LibraryPanel() const { return FLibrary; }
    QComboBox* LibraryFilter() const { return FLibraryFilter; }
    TSortableList* LibraryList() const { return FLibraryList; }

private:
    void RegisterCommands();
    bool FilterLineFocused() const;
    void SelectRow(int row);
    int DefaultExcludeCount() const;
    void AddLine(const char* title, const std::string& line);
    void EditLine();
    void OpenFile(bool append);
    void SaveFile();
    void Test();
    void RegisterLibraryCommands();
    void FillLibrary();
    void LibraryRate(int mark);
    // The properties dialog over data; the accepted data, nothing on Cancel.
    std::optional<tScriptData> LibraryDialog(const tScriptData& data, bool readOnly);

    QTableView* FLines;
    TScriptModel* FModel;
    std::array<QLabel*, 5> FPanels{};
    QWidget* FLibrary;
    QComboBox* FLibraryFilter;
    TSortableList* FLibraryList;
    QSplitter* FSplit;
};

} // namespace qx
