#include "views/pages/TablesPage.h"

#include <QHeaderView>
#include <QTableView>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortState.h"

namespace qx {

TTablesPage::TTablesPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsTables", parent) {
    TFlowLayout* row = AddPanel("pnlTables");
    AddButtons(row, {{"Добавить регулярную ставку", "TablesAdd"},
                     {"Удалить регулярную ставку", "TablesDel"},
                     {"Сделать ставку по регуляру", "TablesStakeAdd"},
                     {"Тест регуляров", "TablesStakeTest"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeVirtualList("lvTables", this,
                            {{"Комментарий", 200},
                             {"Стартовая комбинация", 150, C},
                             {"Шаг", 60, C},
                             {"Текущая комбинация", 150, C},
                             {"Ставок", 60, C}});
    FSort = new TSortState(FList->horizontalHeader(), nullptr);
    AddContent(FList);
}

std::vector<TPersistentList> TTablesPage::PersistentLists() {
    return {{"lvTables", FList->horizontalHeader(), FSort}};
}

} // namespace qx
