#include "views/pages/StatPage.h"

#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QSpinBox>
#include <QSplitter>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/SortableList.h"

namespace qx {

TStatPage::TStatPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsDrawsStat", parent) {
    TFlowLayout* row = AddPanel("pnlDrawsStat");
    FLength = AddSpin(row, "edDrawsStatLen", "", "Количество тиражей, использующихся для расчета статистики",
                      1, INT_MAX);
    FMethod = AddCombo(row, "cbDrawsStatType", "Вид расчета статистики", 260);
    FLength->setEnabled(false);
    FMethod->setEnabled(false);
    AddButtons(row, {{"Избранное", "FiltersManager"},
                     {"Оставить выделенные", "StatFilter_Include"},
                     {"Удалить выделенные", "StatFilter_Exclude"},
                     {"Описание статистики", "FiltersInfo"},
                     {"Обновить", "DrawsStatCalc"}});

    const Qt::Alignment R = Qt::AlignRight, C = Qt::AlignHCenter;
    FList = MakeSortableList(
        "lvDrawsStat", this,
        {{"Значение", 120},     {"Количество", 80, R},  {"Кол-во в %", 80, R}, {"Норма", 80, R},
         {"Отклонение", 80, R}, {"Откл-ие в %", 80, R}, {"Глубина", 80, R},    {"Глубина в %", 80, R},
         {"Вес", 80, R},        {"Посл. тираж", 80, C}, {"Период min", 80, R}, {"Период", 80, R},
         {"Период max", 80, R}, {"Ожд. ПРД", 80, C},    {"Ожд. СТФ", 80, C},   {"Ожд. КРН", 80, C},
         {"Факт", 80, C},       {"+/- ПРД", 80, C},     {"+/- СТФ", 80, C},    {"+/- КРН", 80, C}});
    FList->Sort().Set(1, false);
    FChart = MakeChart("crtDrawsStat", this);
    FSplit = MakeSplit("spDrawsStat", this, FList, FChart);
    AddContent(FSplit);
}

void TStatPage::ApplyKeys(const TMainFormKeys& keys) {
    FLength->setValue(keys.DrawsStatLen);
    SetBottomHeight(FSplit, keys.DrawsStatHeight);
    // The full-set columns show only while the comparison is on.
    for (int column = 3; column <= 5; ++column)
        FList->header()->resizeSection(column, keys.PrefetchsEnabled ? 80 : 0);
}

void TStatPage::StoreKeys(TMainFormKeys& keys) const {
    keys.DrawsStatLen = FLength->value();
    keys.DrawsStatHeight = BottomHeight(FSplit, keys.DrawsStatHeight);
}

std::vector<TPersistentList> TStatPage::PersistentLists() {
    return {{"lvDrawsStat", FList->header(), &FList->Sort()}};
}

} // namespace qx
