#pragma once
#include "views/ViewPage.h"

class QTableView;

namespace qx {

class TSortState;

// The tab "Регуляры": regular table stakes; they arrive with the regular stakes.
class TTablesPage : public TViewPage {
public:
    TTablesPage(TPageContext& context, QWidget* parent);
    std::vector<TPersistentList> PersistentLists() override;

private:
    QTableView* FList;
    TSortState* FSort;
};

} // namespace qx
