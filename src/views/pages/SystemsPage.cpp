#include "views/pages/SystemsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortableList.h"

namespace qx {

TSystemsPage::TSystemsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsSystems", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlSystems", this, &row);
    AddCommandButton(row, Ctx.Commands, "Загрузить", "SystemsDownload");
    AddCommandButton(row, Ctx.Commands, "Обновить", "SystemsRefresh");
    AddCommandButton(row, Ctx.Commands, "Добавить", "SystemsAdd");
    AddCommandButton(row, Ctx.Commands, "Свойства", "SystemsProp");
    AddCommandButton(row, Ctx.Commands, "Удалить", "SystemsDel");
    layout->addWidget(panel);
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeSortableList("lvSystems", this,
                             {{"Название", 200}, {"Автор", 150}, {"Числа", 60, C}, {"Блок", 60, C},
                              {"Комбинаций", 80, Qt::AlignRight}, {"Дата создания", 100, C}, {"Статус", 80, C},
                              {"Загрузок", 70, C}, {"Последняя", 100, C}, {"Комментарии", 200}, {"Ссылка", 200}});
    FList->Sort().Set(2, false);
    layout->addWidget(FList, 1);
}

std::vector<TPersistentList> TSystemsPage::PersistentLists() {
    return {{"lvSystems", FList->header(), &FList->Sort()}};
}

} // namespace qx
