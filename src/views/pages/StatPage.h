#pragma once
#include <cstdint>

#include "app/Workspace.h"
#include "views/ViewPage.h"

class QComboBox;
class QPushButton;
class QSpinBox;
class QSplitter;

namespace qx {

class TChooserControls;
class TSortState;
class TStatChartView;
class TStatTableView;

// The tab "Статистика": window length, method chooser, the statistics table of the engine's
// statistics tab with its chart. Owns the statistics commands and the keep/remove commands.
class TStatPage : public TViewPage, public TWorkspaceObserver {
public:
    TStatPage(TPageContext& context, QWidget* parent);
    ~TStatPage() override;
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    std::vector<TPersistentList> PersistentLists() override;
    void RefreshView(bool force) override;
    void BusyChanged(bool busy) override;
    // TWorkspaceObserver: the keep/remove counts follow the working list.
    void CombsChanged() override;

    QSpinBox* LengthEdit() const { return FLength; }
    QComboBox* MethodBox() const { return FMethod; }
    TStatTableView* List() const { return FList; }
    TStatChartView* Chart() const { return FChart; }
    TSortState& Sort() const { return *FSort; }

private:
    void RegisterCommands();
    // Shows the engine's tab as it is: chooser, length, sort, table with its selection, chart.
    void ShowTab();
    // "Обновить" (forced) and the chooser events (only when the inputs changed).
    void Compute(bool force);
    bool CanCompute() const;
    // Columns 3 to 5 show only while the full-set comparison is on.
    void ShowNormColumns(bool on);
    void TogglePrefetchs();
    void ShowMethodHelp();
    // The keep/remove buttons show what each would leave while rows are selected.
    void ShowFilterCounts();

    QSpinBox* FLength;
    QComboBox* FMethod;
    TChooserControls* FControls;
    TStatTableView* FList;
    TSortState* FSort;
    TStatChartView* FChart;
    QSplitter* FSplit;
    QPushButton* FInclude;
    QPushButton* FExclude;
    uint64_t FShownRevision = UINT64_MAX;
    bool FShowing = false;
};

} // namespace qx
