#pragma once
#include "views/ViewPage.h"

class QTableView;

namespace qx {

// The tab "Ставки": the stakes grid; the stakes file and its commands arrive with the stakes.
class TStakesPage : public TViewPage {
public:
    TStakesPage(TPageContext& context, QWidget* parent);
    std::vector<TPersistentList> PersistentLists() override;

private:
    QTableView* FGrid;
};

} // namespace qx
