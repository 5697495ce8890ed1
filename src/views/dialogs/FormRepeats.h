#pragma once
#include <QDialog>

#include "app/RepeatsForm.h"
#include "stats/Repeats.h"

class QChartView;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableView;

namespace qx {

class TTextListModel;
class TWorkspace;

// "Количество повторов в зависимости от тиража": for each of the newest draws how many earlier
// draws repeat it in 1..4 positions, as a list and a chart. Lengths, chart height, column widths
// and placement live in section TFormRepeats of the window-state file and are written on close.
class TFormRepeats : public QDialog {
public:
    static constexpr int kDesignWidth = 1086;
    static constexpr int kDesignHeight = 693;

    TFormRepeats(TWorkspace& ws, QWidget* parent);
    // RefreshRepeats: the list and the chart over the spin edits' length and depth.
    void Refresh();
    void done(int result) override;

    const TRepeatsResult& Result() const { return FResult; }
    QSpinBox* LengthEdit() const { return FLength; }
    QSpinBox* DeepEdit() const { return FDeep; }
    QTableView* List() const { return FList; }
    QChartView* Chart() const { return FChart; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillChart();
    void SaveKeys();

    TWorkspace& FWs;
    TRepeatsResult FResult;
    QSpinBox* FLength;
    QSpinBox* FDeep;
    QPushButton* FCalc;
    QTableView* FList;
    TTextListModel* FModel;
    QChartView* FChart;
    QSplitter* FSplit;
    int FGraphHeight = TRepeatsKeys{}.GraphHeight;
    bool FPlaced = false;
};

} // namespace qx
