#include "views/pages/GraphsPage.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <climits>

#include "core/FormState.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TGraphsPage::TGraphsPage(TPageContext& context, QWidget* parent)
    : TViewPage(context, "tsDrawsGraph", parent) {
    TFlowLayout* row = AddPanel("pnlDrawsGraph");
    FLength = AddSpin(row, "edDrawsGraphLen", "",
                      "Количество тиражей, использующихся для построения графиков", 1, INT_MAX);
    QComboBox* type = AddCombo(row, "cbDrawsGraphType", "Тип графика", 260);
    AddButtons(row, {{"Обновить", "DrawsGraphDraw"}});
    auto* marks = new QCheckBox(Tx("Отображать метки на графике"), row->parentWidget());
    marks->setObjectName("cbDrawsGraphShowMarks");
    row->addWidget(marks);
    FLength->setEnabled(false);
    type->setEnabled(false);
    marks->setEnabled(false);
    AddContent(MakeChart("crtDrawsGraph", this));
}

void TGraphsPage::ApplyKeys(const TMainFormKeys& keys) {
    FLength->setValue(keys.DrawsGraphLen);
}

void TGraphsPage::StoreKeys(TMainFormKeys& keys) const {
    keys.DrawsGraphLen = FLength->value();
}

} // namespace qx
