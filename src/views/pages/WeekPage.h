#pragma once
#include "views/ViewPage.h"

class QSpinBox;
class QSplitter;

namespace qx {

// The tab "Неделя": statistics by day of the week; it arrives with the week view.
class TWeekPage : public TViewPage {
public:
    TWeekPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;

private:
    QSpinBox* FLength;
    QSplitter* FSplit;
};

} // namespace qx
