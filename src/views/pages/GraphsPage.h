#pragma once
#include "views/ViewPage.h"

class QSpinBox;

namespace qx {

// The tab "Графики": per-draw graphs of a statistic over a window of draws; the graphs arrive
// with the statistics engine.
class TGraphsPage : public TViewPage {
public:
    TGraphsPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;

private:
    QSpinBox* FLength;
};

} // namespace qx
