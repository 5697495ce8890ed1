#include "views/pages/RatingPage.h"

#include <QHeaderView>
#include <QTableView>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortState.h"

namespace qx {

TRatingPage::TRatingPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsRating", parent) {
    TFlowLayout* row = AddPanel("pnlRating");
    AddButtons(row, {{"Пересчитать рейтинг по текущим данным", "RatingsRefresh"},
                     {"График совпадений ставок", "StakesGraphOverlap"},
                     {"График профита ставок", "StakesGraphProfits"},
                     {"Экспорт в Excel", "RatingsXlsExport"},
                     {"Добавить в сценарий", "RatingsToScript"},
                     {"Количество совпадений", "RatingsGraphOverlap"}});
    const Qt::Alignment R = Qt::AlignRight, C = Qt::AlignHCenter;
    FList = MakeVirtualList("lvRatings", this,
                            {{"Комментарий", 250},
                             {"Ставок", 60, R},
                             {"Угадано", 60, R},
                             {"Среднее", 60, R},
                             {"Профит", 80, R},
                             {"Ср. профит", 70, R},
                             {"0", 45, C},
                             {"1", 45, C},
                             {"2", 45, C},
                             {"3", 45, C},
                             {"4", 45, C},
                             {"E0", 55, C},
                             {"E1", 55, C},
                             {"E2", 55, C},
                             {"E3", 55, C},
                             {"E4", 55, C}});
    // The ratings sort themselves by the header's settings once they exist.
    FSort = new TSortState(FList->horizontalHeader(), nullptr);
    AddContent(FList);
}

std::vector<TPersistentList> TRatingPage::PersistentLists() {
    return {{"lvRatings", FList->horizontalHeader(), FSort}};
}

} // namespace qx
