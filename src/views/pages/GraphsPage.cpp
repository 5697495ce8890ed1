#include "views/pages/GraphsPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <climits>

#include "app/Workspace.h"
#include "core/FormState.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/stat/ChooserControls.h"
#include "views/stat/StatCharts.h"

namespace qx {

TGraphsPage::TGraphsPage(TPageContext& context, QWidget* parent)
    : TViewPage(context, "tsDrawsGraph", parent) {
    TFlowLayout* row = AddPanel("pnlDrawsGraph");
    FLength = AddSpin(row, "edDrawsGraphLen", "",
                      "Количество тиражей, использующихся для построения графиков", 1, INT_MAX);
    FMethod = AddCombo(row, "cbDrawsGraphType", "Тип графика", 260);
    FMethod->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    AddButtons(row, {{"Обновить", "DrawsGraphDraw"}});
    // Unchecked at every start; not stored.
    FMarks = new QCheckBox(Tx("Отображать метки на графике"), row->parentWidget());
    FMarks->setObjectName("cbDrawsGraphShowMarks");
    row->addWidget(FMarks);
    FChart = new TGraphChartView("crtDrawsGraph", this);
    AddContent(FChart);

    TGraphTab& tab = Ctx.Ws.GraphTab();
    FControls = new TChooserControls(FLength, FMethod,
                                     {tab.Chooser(),
                                      [this](int length) { Ctx.Ws.GraphTab().SetWindowLength(length); },
                                      "DrawsGraphDraw", [this](bool force) { Compute(force); }},
                                     Ctx.Commands, Ctx.Shell);
    connect(FMarks, &QCheckBox::clicked, this, [this](bool on) { FChart->SetMarks(on); });
    Ctx.Commands.Register(
        "DrawsGraphDraw",
        {[this] { Compute(true); },
         [this] { return !Ctx.Ws.Archive().Empty() && Ctx.Ws.GraphTab().Chooser().Selected() >= 0; }, nullptr,
         nullptr});
    ShowGraph();
}

void TGraphsPage::Compute(bool force) {
    Ctx.Ws.GraphTab().Refresh(force);
    ShowGraph();
}

void TGraphsPage::RefreshView(bool force) {
    // As on the statistics tab: the workspace has computed already unless the tab was hidden.
    if (force && Ctx.Ws.GraphTab().Revision() == FShownRevision) Ctx.Ws.GraphTab().Refresh(true);
    ShowGraph();
}

void TGraphsPage::ShowGraph() {
    const TGraphTab& tab = Ctx.Ws.GraphTab();
    FControls->Show(tab.WindowLength());
    if (FShownRevision == tab.Revision()) return;
    FShownRevision = tab.Revision();
    if (tab.Chooser().Selected() < 0 || Ctx.Ws.Archive().Empty())
        FChart->Clear();
    else
        FChart->Show(tab.Series(), ToQ(tab.Chooser().SelectedText()), FMarks->isChecked());
}

void TGraphsPage::BusyChanged(bool busy) {
    FControls->SetEnabled(!busy);
}

void TGraphsPage::ApplyKeys(const TMainFormKeys& keys) {
    FLength->setValue(keys.DrawsGraphLen);
}

void TGraphsPage::StoreKeys(TMainFormKeys& keys) const {
    keys.DrawsGraphLen = FLength->value();
}

} // namespace qx
