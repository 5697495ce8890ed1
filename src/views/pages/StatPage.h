#pragma once
#include "views/ViewPage.h"

class QChartView;
class QComboBox;
class QSpinBox;
class QSplitter;

namespace qx {

class TSortableList;

// The tab "Статистика": window length, method chooser, the statistics table and its chart.
// The table and its commands arrive with the statistics engine.
class TStatPage : public TViewPage {
public:
    TStatPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    std::vector<TPersistentList> PersistentLists() override;

private:
    QSpinBox* FLength;
    QComboBox* FMethod;
    TSortableList* FList;
    QChartView* FChart;
    QSplitter* FSplit;
};

} // namespace qx
