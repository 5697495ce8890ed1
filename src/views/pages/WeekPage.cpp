#include "views/pages/WeekPage.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"

namespace qx {

TWeekPage::TWeekPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsWeek", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlWeek", this, &row);
    FLength = AddSpin(row, "edWeekLen", "", "Количество тиражей, использующихся для расчета статистики", 1, INT_MAX);
    FLength->setEnabled(false);
    AddCommandButton(row, Ctx.Commands, "Обновить", "WeekStatCalc");
    AddCommandButton(row, Ctx.Commands, "Оставить выделенные", "WeekFilter_Include");
    AddCommandButton(row, Ctx.Commands, "Удалить выделенные", "WeekFilter_Exclude");
    layout->addWidget(panel);
    FSplit = MakeSplit("spWeek", this, MakeGrid("sgWeek", this), MakeChart("crtWeek", this));
    layout->addWidget(FSplit, 1);
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
