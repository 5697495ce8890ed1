#include "views/pages/StakesPage.h"

#include <QHeaderView>
#include <QTableView>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TStakesPage::TStakesPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsStakes", parent) {
    TFlowLayout* row = AddPanel("pnlStakes");
    AddButtons(row, {{"Сделать ставку", "StakeAdd"},
                     {"Случайная ставка", "StakeAddRandom"},
                     {"Удалить все ставки", "StakeClear"},
                     {"Удалить по условию", "StakeFilter"},
                     {"Суммарный профит по тиражам", "StakesGraphDraws"},
                     {"Экспорт в Excel", "StakesXlsExport"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    FGrid = MakeVirtualList("sgStakes", this,
                            {{"№ тиража", 60, C},
                             {"Вид ставки", 60, C},
                             {"Моя ставка", 120, C},
                             {"Выборка", 60, C},
                             {"Результаты тиража", 120, C},
                             {"Совпадений", 60, C},
                             {"Совпадения", 60, C},
                             {"Профит", 60, Qt::AlignRight},
                             {"Комментарий", 1000}});
    FGrid->setShowGrid(true);
    AddContent(FGrid);
}

std::vector<TPersistentList> TStakesPage::PersistentLists() {
    return {{"sgStakes", FGrid->horizontalHeader(), nullptr}};
}

} // namespace qx
