#include "views/pages/GraphsPage.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TGraphsPage::TGraphsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsDrawsGraph", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* row = nullptr;
    QWidget* panel = MakePanel("pnlDrawsGraph", this, &row);
    FLength = AddSpin(row, "edDrawsGraphLen", "", "Количество тиражей, использующихся для построения графиков", 1,
                      INT_MAX);
    QComboBox* type = AddCombo(row, "cbDrawsGraphType", "Тип графика", 260);
    AddCommandButton(row, Ctx.Commands, "Обновить", "DrawsGraphDraw");
    auto* marks = new QCheckBox(Tx("Отображать метки на графике"), panel);
    marks->setObjectName("cbDrawsGraphShowMarks");
    row->addWidget(marks);
    for (QWidget* w : {static_cast<QWidget*>(FLength), static_cast<QWidget*>(type), static_cast<QWidget*>(marks)})
        w->setEnabled(false);
    layout->addWidget(panel);
    layout->addWidget(MakeChart("crtDrawsGraph", this), 1);
}

void TGraphsPage::ApplyKeys(const TMainFormKeys& keys) { FLength->setValue(keys.DrawsGraphLen); }

void TGraphsPage::StoreKeys(TMainFormKeys& keys) const { keys.DrawsGraphLen = FLength->value(); }

} // namespace qx
