#pragma once
#include <array>

#include "views/ViewPage.h"

class QSpinBox;
class QSplitter;

namespace qx {

class TSortableList;

// The tab "Схема": the layout scheme and the five comparison lists; they arrive with the
// layout view.
class TLayoutPage : public TViewPage {
public:
    TLayoutPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;

private:
    QSpinBox* FLength;
    std::array<QSpinBox*, 5> FCompareLengths{};
    std::array<TSortableList*, 5> FCompareLists{};
    QSplitter* FSplit;
};

} // namespace qx
