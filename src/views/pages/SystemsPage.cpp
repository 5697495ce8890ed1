#include "views/pages/SystemsPage.h"

#include <QHeaderView>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortableList.h"

namespace qx {

TSystemsPage::TSystemsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsSystems", parent) {
    TFlowLayout* row = AddPanel("pnlSystems");
    AddButtons(row, {{"Загрузить", "SystemsDownload"},
                     {"Обновить", "SystemsRefresh"},
                     {"Добавить", "SystemsAdd"},
                     {"Свойства", "SystemsProp"},
                     {"Удалить", "SystemsDel"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeSortableList("lvSystems", this,
                             {{"Название", 200},
                              {"Автор", 150},
                              {"Числа", 60, C},
                              {"Блок", 60, C},
                              {"Комбинаций", 80, Qt::AlignRight},
                              {"Дата создания", 100, C},
                              {"Статус", 80, C},
                              {"Загрузок", 70, C},
                              {"Последняя", 100, C},
                              {"Комментарии", 200},
                              {"Ссылка", 200}});
    FList->Sort().Set(2, false);
    AddContent(FList);
}

std::vector<TPersistentList> TSystemsPage::PersistentLists() {
    return {{"lvSystems", FList->header(), &FList->Sort()}};
}

} // namespace qx
