#pragma once
#include "views/ViewPage.h"

class QSpinBox;
class QSplitter;
class QTableView;
class QTreeWidget;

namespace qx {

// The tab "Комбинации": the working combination list and the journal of applied filters.
// The list's commands arrive with the combination list itself.
class TCombsPage : public TViewPage {
public:
    TCombsPage(TPageContext& context, QWidget* parent);
    void ApplyKeys(const TMainFormKeys& keys) override;
    void StoreKeys(TMainFormKeys& keys) const override;
    std::vector<TPersistentList> PersistentLists() override;

private:
    QSpinBox* FExclude;
    QTableView* FCombs;
    QTreeWidget* FFilters;
    QSplitter* FSplit;
};

} // namespace qx
