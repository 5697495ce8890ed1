#include "views/pages/CombsPage.h"

#include <QHeaderView>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TCombsPage::TCombsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsCombs", parent) {
    TFlowLayout* row = AddPanel("pnlCombs");
    AddButtons(row, {{"Новый", "CombsGen"},
                     {"Открыть", "CombsOpen"},
                     {"Сохранить", "CombsSave"},
                     {"Отменить", "CombsUndo"}});
    FExclude = AddSpin(row, "edCombsExclude", "",
                       "Исключить указанное количество последних тиражей из списка комбинаций", 0, INT_MAX);
    FExclude->setEnabled(false);
    AddButtons(row, {{"[-] Тиражи", "CombsDelExists"}});

    FCombs = MakeVirtualList("lvCombs", this,
                             {{"№ п.п.", 80},
                              {"1", 30, Qt::AlignHCenter},
                              {"2", 30, Qt::AlignHCenter},
                              {"3", 30, Qt::AlignHCenter},
                              {"4", 30, Qt::AlignHCenter},
                              {"S", 30, Qt::AlignHCenter}});
    FFilters =
        MakeList("lvFilters", this, {{"Примененные фильтры", 150}, {"Значения", 100}, {"Комбинаций", 60}});
    FSplit = MakeSplit("spFilters", this, FCombs, FFilters);
    AddContent(FSplit);
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
