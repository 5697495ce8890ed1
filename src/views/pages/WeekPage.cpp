#include "views/pages/WeekPage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <climits>

#include "app/Workspace.h"
#include "core/FormState.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/grid/GridModel.h"
#include "views/pages/WeekChart.h"

namespace qx {
namespace {

constexpr int kColumnWidth = 30;

// The short day names of the interface language, Monday first, each with a capital letter.
TDayNames InterfaceDayNames() {
    TDayNames names;
    const QLocale locale;
    for (int day = 1; day <= kWeekDays; ++day) {
        QString name = locale.dayName(day, QLocale::ShortFormat);
        if (!name.isEmpty()) name[0] = name[0].toUpper();
        names[size_t(day - 1)] = name.toStdString();
    }
    return names;
}

} // namespace

TWeekPage::TWeekPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsWeek", parent) {
    TFlowLayout* row = AddPanel("pnlWeek");
    FLength = AddSpin(row, "edWeekLen", "", "Количество тиражей, использующихся для расчета статистики", 1,
                      INT_MAX);
    AddButtons(row, {{"Обновить", "WeekStatCalc"},
                     {"Оставить выделенные", "WeekFilter_Include"},
                     {"Удалить выделенные", "WeekFilter_Exclude"}});

    TWeekTab& tab = Ctx.Ws.WeekTab();
    tab.SetDayNames(InterfaceDayNames());
    TGridSource source;
    source.HeaderColumn = true;
    source.Columns = [] { return TWeekCounts::kColumns; };
    source.Rows = [] { return TWeekCounts::kRows; };
    source.Text = [&tab](int column, int row) { return tab.Text(column, row); };
    source.Colour = [&tab](int column, int row) { return tab.Counts().Colour(column, row); };
    FModel = new TGridModel(std::move(source), Qt::AlignHCenter, this);
    FGrid = MakeGridView("sgWeek", this, FModel);
    FGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    FChart = new TWeekChartView("crtWeek", this);
    FSplit = MakeSplit("spWeek", this, FGrid, FChart);
    AddContent(FSplit);

    connect(FLength, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { Ctx.Ws.FormKeys().WeekLen = value; });
    OnSpinEnter(FLength, [this] { RunCommand(Ctx.Shell, [this] { Compute(false); }); });
    connect(FGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                Ctx.Ws.WeekTab().SetCurrentCell(FModel->GridColumn(current.column()),
                                                FModel->GridRow(current.row()));
                ShowChart();
            });
    RegisterCommands();
    ShowWeek();
}

void TWeekPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto shown = [&ws] { return ws.FormKeys().TabWeek; };
    auto filterable = [&ws] { return ws.FormKeys().TabWeek && ws.Combs().Count() > 0; };
    c.Register("WeekStatCalc",
               {[this] { Compute(true); }, [&ws] { return ws.FormKeys().TabWeek && !ws.Archive().Empty(); },
                nullptr, nullptr});
    c.Register("WeekFilter_Include",
               {[this] { Ctx.Ws.WeekFilter(SelectedGridRect(FGrid), false); }, filterable, nullptr, nullptr});
    c.Register("WeekFilter_Exclude",
               {[this] { Ctx.Ws.WeekFilter(SelectedGridRect(FGrid), true); }, filterable, nullptr, nullptr});
    c.Register("ViewWeekChartMode", {[this] {
                                         TBusyScope busy(Ctx.Shell, "");
                                         Ctx.Ws.SetFormKey("WeekChartMode",
                                                           Ctx.Ws.FormKeys().WeekChartMode == 1 ? 0 : 1);
                                         ShowChart();
                                     },
                                     shown, nullptr, nullptr});
    c.Register("ViewWeekChartType", {[this] {
                                         TBusyScope busy(Ctx.Shell, "");
                                         Ctx.Ws.SetFormKey("WeekChartType", !Ctx.Ws.FormKeys().WeekChartType);
                                         ShowChart();
                                     },
                                     shown, nullptr, nullptr});
}

void TWeekPage::Compute(bool force) {
    Ctx.Ws.WeekTab().Refresh(force);
    ShowWeek();
}

void TWeekPage::RefreshView(bool force) {
    if (force && FShown.Shown(Ctx.Ws.WeekTab().Revision())) Ctx.Ws.WeekTab().Refresh(true);
    ShowWeek();
}

void TWeekPage::ShowWeek() {
    const TWeekTab& tab = Ctx.Ws.WeekTab();
    if (!FShown.Take(tab.Revision())) return;
    // The counts change in place: the grid keeps its size, its selection and its current cell.
    FModel->RepaintAll();
    if (!FGrid->currentIndex().isValid())
        FGrid->selectionModel()->setCurrentIndex(FModel->index(tab.CurrentRow() - 1, tab.CurrentColumn() - 1),
                                                 QItemSelectionModel::NoUpdate);
    ShowChart();
}

void TWeekPage::ShowChart() {
    FChart->Show(Ctx.Ws.WeekTab().Chart(), Ctx.Ws.FormKeys().WeekChartType);
}

void TWeekPage::BusyChanged(bool busy) {
    FLength->setEnabled(!busy);
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
