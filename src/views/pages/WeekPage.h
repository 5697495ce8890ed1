#pragma once
#include "views/ViewPage.h"

class QSpinBox;
class QSplitter;
class QTableView;

namespace qx {

class TGridModel;
class TWeekChartView;

// The tab "Неделя": digits by day of the week over the engine's week tab, with the chart of the
// grid's current cell.
class TWeekPage : public TViewPage {
public:
    TWeekPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    void RefreshView(bool force) override;
    void BusyChanged(bool busy) override;

    QSpinBox* LengthEdit() const { return FLength; }
    QTableView* Grid() const { return FGrid; }
    TGridModel* Model() const { return FModel; }
    TWeekChartView* Chart() const { return FChart; }

private:
    void RegisterCommands();
    void Compute(bool force);
    void ShowWeek();
    void ShowChart();

    QSpinBox* FLength;
    TGridModel* FModel;
    QTableView* FGrid;
    TWeekChartView* FChart;
    QSplitter* FSplit;
    TShownRevision FShown;
};

} // namespace qx
