#pragma once
#include "views/ViewPage.h"

class QTableView;

namespace qx {

class TSortState;

// The tab "Рейтинг": ratings of the script lines; they arrive with the ratings.
class TRatingPage : public TViewPage {
public:
    TRatingPage(TPageContext& context, QWidget* parent);
    std::vector<TPersistentList> PersistentLists() override;

private:
    QTableView* FList;
    TSortState* FSort;
};

} // namespace qx
