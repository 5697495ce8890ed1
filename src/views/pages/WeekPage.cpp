#include "views/pages/WeekPage.h"

#include <QChartView>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TWeekPage::TWeekPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsWeek", parent) {
    TFlowLayout* row = AddPanel("pnlWeek");
    FLength = AddSpin(row, "edWeekLen", "", "Количество тиражей, использующихся для расчета статистики", 1,
                      INT_MAX);
    FLength->setEnabled(false);
    AddButtons(row, {{"Обновить", "WeekStatCalc"},
                     {"Оставить выделенные", "WeekFilter_Include"},
                     {"Удалить выделенные", "WeekFilter_Exclude"}});
    FSplit = MakeSplit("spWeek", this, MakeGrid("sgWeek", this), MakeChart("crtWeek", this));
    AddContent(FSplit);
}

void TWeekPage::ApplyKeys(const TMainFormKeys& keys) {
    FLength->setValue(keys.WeekLen);
    SetBottomHeight(FSplit, keys.WeekHeight);
}

void TWeekPage::StoreKeys(TMainFormKeys& keys) const {
    keys.WeekLen = FLength->value();
    keys.WeekHeight = BottomHeight(FSplit, keys.WeekHeight);
}

} // namespace qx
