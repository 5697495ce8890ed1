#include "views/pages/StakesPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TStakesPage::TStakesPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsStakes", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlStakes", this, &row);
    AddCommandButton(row, Ctx.Commands, "Сделать ставку", "StakeAdd");
    AddCommandButton(row, Ctx.Commands, "Случайная ставка", "StakeAddRandom");
    AddCommandButton(row, Ctx.Commands, "Удалить все ставки", "StakeClear");
    AddCommandButton(row, Ctx.Commands, "Удалить по условию", "StakeFilter");
    AddCommandButton(row, Ctx.Commands, "Суммарный профит по тиражам", "StakesGraphDraws");
    AddCommandButton(row, Ctx.Commands, "Экспорт в Excel", "StakesXlsExport");
    layout->addWidget(panel);
    const Qt::Alignment C = Qt::AlignHCenter;
    FGrid = MakeVirtualList("sgStakes", this,
                            {{"№ тиража", 60, C}, {"Вид ставки", 60, C}, {"Моя ставка", 120, C}, {"Выборка", 60, C},
                             {"Результаты тиража", 120, C}, {"Совпадений", 60, C}, {"Совпадения", 60, C},
                             {"Профит", 60, Qt::AlignRight}, {"Комментарий", 1000}});
    FGrid->setShowGrid(true);
    layout->addWidget(FGrid, 1);
}

std::vector<TPersistentList> TStakesPage::PersistentLists() {
    return {{"sgStakes", FGrid->horizontalHeader(), nullptr}};
}

} // namespace qx
