#include "views/pages/CombsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TCombsPage::TCombsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsCombs", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlCombs", this, &row);
    AddCommandButton(row, Ctx.Commands, "Новый", "CombsGen");
    AddCommandButton(row, Ctx.Commands, "Открыть", "CombsOpen");
    AddCommandButton(row, Ctx.Commands, "Сохранить", "CombsSave");
    AddCommandButton(row, Ctx.Commands, "Отменить", "CombsUndo");
    FExclude = AddSpin(row, "edCombsExclude", "", "Исключить указанное количество последних тиражей из списка комбинаций",
                       0, INT_MAX);
    FExclude->setEnabled(false);
    AddCommandButton(row, Ctx.Commands, "[-] Тиражи", "CombsDelExists");
    layout->addWidget(panel);

    FCombs = MakeVirtualList("lvCombs", this,
                             {{"№ п.п.", 80}, {"1", 30, Qt::AlignHCenter}, {"2", 30, Qt::AlignHCenter},
                              {"3", 30, Qt::AlignHCenter}, {"4", 30, Qt::AlignHCenter}, {"S", 30, Qt::AlignHCenter}});
    FFilters = MakeList("lvFilters", this, {{"Примененные фильтры", 150}, {"Значения", 100}, {"Комбинаций", 60}});
    FSplit = MakeSplit("spFilters", this, FCombs, FFilters);
    layout->addWidget(FSplit, 1);
}

void TCombsPage::ApplyKeys(const TMainFormKeys& keys) {
    FExclude->setValue(keys.DrawsExclude);
    SetBottomHeight(FSplit, keys.FiltersHeight);
}

void TCombsPage::StoreKeys(TMainFormKeys& keys) const {
    keys.DrawsExclude = FExclude->value();
    keys.FiltersHeight = BottomHeight(FSplit, keys.FiltersHeight);
}

std::vector<TPersistentList> TCombsPage::PersistentLists() {
    return {{"lvCombs", FCombs->horizontalHeader(), nullptr}, {"lvFilters", FFilters->header(), nullptr}};
}

} // namespace qx
