#include "views/pages/StatPage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <climits>

#include "core/FormState.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/FormStateIO.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/SortState.h"
#include "views/Tx.h"
#include "views/dialogs/FormFilterHelp.h"
#include "views/stat/ChooserControls.h"
#include "views/stat/StatCharts.h"
#include "views/stat/StatTableView.h"

namespace qx {
namespace {

constexpr const char* kIncludeCaption = "Оставить выделенные";
constexpr const char* kExcludeCaption = "Удалить выделенные";

// "Оставить выделенные (1 296)": the count grouped as the user's locale groups thousands.
QString CountCaption(const char* caption, std::optional<int> count) {
    return count ? Tx(caption) + " (" + QLocale().toString(*count) + ")" : Tx(caption);
}

} // namespace

TStatPage::TStatPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsDrawsStat", parent) {
    TFlowLayout* row = AddPanel("pnlDrawsStat");
    FLength = AddSpin(row, "edDrawsStatLen", "", "Количество тиражей, использующихся для расчета статистики",
                      1, INT_MAX);
    FMethod = AddCombo(row, "cbDrawsStatType", "Вид расчета статистики", 260);
    FMethod->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    AddButtons(row, {{"Избранное", "FiltersManager"},
                     {kIncludeCaption, "StatFilter_Include"},
                     {kExcludeCaption, "StatFilter_Exclude"},
                     {"Описание статистики", "FiltersInfo"},
                     {"Обновить", "DrawsStatCalc"}});
    FInclude = findChild<QPushButton*>("btnStatFilter_Include");
    FExclude = findChild<QPushButton*>("btnStatFilter_Exclude");
    TStatTab& tab = Ctx.Ws.StatTab();
    FControls =
        new TChooserControls(FLength, FMethod,
                             {tab.Chooser(), [this](int length) { Ctx.Ws.StatTab().SetWindowLength(length); },
                              "DrawsStatCalc", [this](bool force) { Compute(force); }},
                             Ctx.Commands, Ctx.Shell);

    FList = new TStatTableView(tab, this);
    FList->setObjectName("lvDrawsStat");
    FChart = new TStatChartView("crtDrawsStat", this);
    FSort = new TSortState(FList->horizontalHeader(), [this] {
        if (FShowing) return;
        Ctx.Ws.StatTab().SetSort(FSort->Column(), FSort->Descending());
        ShowTab();
    });
    FSort->Set(tab.SortColumn(), tab.Descending());
    connect(FList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (FShowing) return;
        Ctx.Ws.StatTab().SetSelection(FList->SelectedRows());
        ShowFilterCounts();
    });
    FSplit = MakeSplit("spDrawsStat", this, FList, FChart);
    AddContent(FSplit);
    RegisterCommands();
    ShowTab();
    Ctx.Ws.AddObserver(this);
}

TStatPage::~TStatPage() {
    Ctx.Ws.RemoveObserver(this);
}

void TStatPage::CombsChanged() {
    ShowFilterCounts();
}

void TStatPage::ShowFilterCounts() {
    std::optional<TSelectionPreview> counts;
    try {
        counts = Ctx.Ws.PreviewSelection();
    } catch (const std::exception&) {
        // The commands themselves report what fails; the captions stay plain meanwhile.
    }
    FInclude->setText(CountCaption(kIncludeCaption, counts ? std::optional(counts->Keep) : std::nullopt));
    FExclude->setText(CountCaption(kExcludeCaption, counts ? std::optional(counts->Remove) : std::nullopt));
}

void TStatPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    c.Register("DrawsStatCalc",
               {[this] { Compute(true); }, [this] { return CanCompute(); }, nullptr, nullptr});
    c.Register("DrawsStatePrefetchsEnabled", {[this] { TogglePrefetchs(); }, nullptr, nullptr, nullptr});
    c.Register("DrawsStatShowTotalLine", {[this] {
                                              Ctx.Ws.StatTab().ToggleTotalLine();
                                              ShowTab();
                                          },
                                          [&ws] { return ws.PrefetchsEnabled(); }, nullptr, nullptr});
    c.Register("StatFilter_Include", {[&ws] { ws.StatFilterInclude(); },
                                      [&ws] { return ws.StatFilterEnabled(); }, nullptr, nullptr});
    c.Register("StatFilter_Exclude", {[&ws] { ws.StatFilterExclude(); },
                                      [&ws] { return ws.StatFilterEnabled(); }, nullptr, nullptr});
    c.Register("FiltersInfo", {[this] { ShowMethodHelp(); },
                               [&ws] { return ws.StatTab().Chooser().Selected() >= 0; }, nullptr, nullptr});
}

bool TStatPage::CanCompute() const {
    return !Ctx.Ws.Archive().Empty() && Ctx.Ws.StatTab().Chooser().Selected() >= 0;
}

void TStatPage::Compute(bool force) {
    Ctx.Ws.RefreshStatTable(force);
    ShowTab();
}

void TStatPage::RefreshView(bool force) {
    // The workspace computes the table before it tells the window, so a refresh normally only
    // shows it; a forced one that finds nothing new (the tab shown again) computes here.
    if (force && Ctx.Ws.StatTab().Revision() == FShownRevision) Ctx.Ws.RefreshStatTable(true);
    ShowTab();
}

void TStatPage::ShowTab() {
    const TStatTab& tab = Ctx.Ws.StatTab();
    FShowing = true;
    FControls->Show(tab.WindowLength());
    if (FSort->Column() != tab.SortColumn() || FSort->Descending() != tab.Descending())
        FSort->Set(tab.SortColumn(), tab.Descending());
    if (FList->Model()->Sync() || FList->SelectedRows() != tab.Selection())
        FList->SelectRows(tab.Selection());
    if (FShownRevision != tab.Revision()) {
        FShownRevision = tab.Revision();
        FChart->Show(tab.Chart(), Ctx.Ws.FormKeys().ShowTotalLine);
    }
    FShowing = false;
    ShowFilterCounts();
}

void TStatPage::ShowNormColumns(bool on) {
    const std::vector<TListColumn> columns = StatListColumns(on);
    for (int column = kFirstNormColumn; column <= kLastNormColumn; ++column)
        FList->horizontalHeader()->resizeSection(column, columns[size_t(column)].Width);
}

void TStatPage::TogglePrefetchs() {
    Ctx.Ws.SetPrefetchsEnabled(!Ctx.Ws.PrefetchsEnabled());
    ShowNormColumns(Ctx.Ws.PrefetchsEnabled());
    ShowTab();
}

void TStatPage::ShowMethodHelp() {
    const TStatList& stats = Ctx.Ws.Stats();
    const int method = Ctx.Ws.StatTab().Chooser().RequireMethod();
    TFormFilterHelp dialog(stats.Items(method).HelpUrl(stats.HelpFile), stats.HelpFile, Ctx.Shell,
                           Ctx.Window);
    try {
        ReadPlacement(dialog, Ctx.Ws.ReadFormState(), TFormFilterHelp::kSection, true);
    } catch (const std::exception&) {
        // An unreadable window-state file leaves the window at its default place.
    }
    dialog.exec();
    Ctx.Ws.UpdateFormState([&](TIniFile& ini) { WritePlacement(dialog, ini, TFormFilterHelp::kSection); });
}

void TStatPage::BusyChanged(bool busy) {
    FControls->SetEnabled(!busy);
}

void TStatPage::ApplyKeys(const TMainFormKeys& keys) {
    FLength->setValue(keys.DrawsStatLen);
    SetBottomHeight(FSplit, keys.DrawsStatHeight);
    ShowNormColumns(keys.PrefetchsEnabled);
}

void TStatPage::StoreKeys(TMainFormKeys& keys) const {
    keys.DrawsStatLen = FLength->value();
    keys.DrawsStatHeight = BottomHeight(FSplit, keys.DrawsStatHeight);
}

std::vector<TPersistentList> TStatPage::PersistentLists() {
    return {{"lvDrawsStat", FList->horizontalHeader(), FSort}};
}

} // namespace qx
