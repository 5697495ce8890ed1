#pragma once
#include <cstdint>

#include "views/ViewPage.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace qx {

class TChooserControls;
class TGraphChartView;

// The tab "Графики": for a method that gives one number per draw, that number for every draw of
// a window of the engine's graphs tab, with its mean and its most frequent value.
class TGraphsPage : public TViewPage {
public:
    TGraphsPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    void RefreshView(bool force) override;
    void BusyChanged(bool busy) override;

    QSpinBox* LengthEdit() const { return FLength; }
    QComboBox* MethodBox() const { return FMethod; }
    QCheckBox* MarksBox() const { return FMarks; }
    TGraphChartView* Chart() const { return FChart; }

private:
    void ShowGraph();
    void Compute(bool force);

    QSpinBox* FLength;
    QComboBox* FMethod;
    QCheckBox* FMarks;
    TChooserControls* FControls;
    TGraphChartView* FChart;
    uint64_t FShownRevision = UINT64_MAX;
};

} // namespace qx
