#include "views/pages/TablesPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortState.h"

namespace qx {

TTablesPage::TTablesPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsTables", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlTables", this, &row);
    AddCommandButton(row, Ctx.Commands, "Добавить регулярную ставку", "TablesAdd");
    AddCommandButton(row, Ctx.Commands, "Удалить регулярную ставку", "TablesDel");
    AddCommandButton(row, Ctx.Commands, "Сделать ставку по регуляру", "TablesStakeAdd");
    AddCommandButton(row, Ctx.Commands, "Тест регуляров", "TablesStakeTest");
    layout->addWidget(panel);
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeVirtualList("lvTables", this,
                            {{"Комментарий", 200}, {"Стартовая комбинация", 150, C}, {"Шаг", 60, C},
                             {"Текущая комбинация", 150, C}, {"Ставок", 60, C}});
    FSort = new TSortState(FList->horizontalHeader(), nullptr);
    layout->addWidget(FList, 1);
}

std::vector<TPersistentList> TTablesPage::PersistentLists() {
    return {{"lvTables", FList->horizontalHeader(), FSort}};
}

} // namespace qx
