#include "views/pages/RatingPage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "app/ListColumns.h"
#include "scripts/RatingsText.h"
#include "views/Commands.h"
#include "views/FileDialogs.h"
#include "views/FlowLayout.h"
#include "views/FormGraph.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/SortState.h"
#include "views/Tx.h"
#include "views/stakes/RatingsModel.h"

namespace qx {

TRatingPage::TRatingPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsRating", parent) {
    TFlowLayout* row = AddPanel("pnlRating");
    AddButtons(row, {{"Пересчитать рейтинг по текущим данным", "RatingsRefresh"},
                     {"График совпадений ставок", "StakesGraphOverlap"},
                     {"График профита ставок", "StakesGraphProfits"},
                     {"Экспорт в Excel", "RatingsXlsExport"},
                     {"Добавить в сценарий", "RatingsToScript"},
                     {"Количество совпадений", "RatingsGraphOverlap"}});
    FList = MakeVirtualList("lvRatings", this, ColumnDefs(RatingsListColumns()));
    FModel = new TRatingsModel(Ctx.Ws, this);
    SetListModel(FList, FModel);
    // A header click sorts the ratings themselves (and saves them), not just the view.
    FSort = new TSortState(FList->horizontalHeader(), [this] {
        FList->clearSelection();
        RunCommand(Ctx.Shell, [&] { Ctx.Ws.SetRatingsSort({FSort->Column(), FSort->Descending()}); });
    });
    FSort->Set(Ctx.Ws.RatingsSort().Column, Ctx.Ws.RatingsSort().Descending);
    connect(FList, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) Ctx.Commands.Trigger("RatingsGraphOverlap");
    });
    AddContent(FList);
    RegisterCommands();
    Ctx.Ws.AddObserver(this);
}

TRatingPage::~TRatingPage() { Ctx.Ws.RemoveObserver(this); }

std::vector<TPersistentList> TRatingPage::PersistentLists() {
    return {{"lvRatings", FList->horizontalHeader(), FSort}};
}

std::vector<int> TRatingPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : FList->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TRatingPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto selected = [this] { return FList->selectionModel()->hasSelection(); };
    auto stakesAndRows = [&ws, selected] { return ws.StakesOpen() && ws.StakesCount() > 0 && selected(); };
    c.Register("StakesGraphOverlap", {[this] { ShowGraph(Ctx.Ws.StakesGraphComments(SelectedRows(), false)); },
                                      stakesAndRows, nullptr, nullptr});
    c.Register("StakesGraphProfits", {[this] { ShowGraph(Ctx.Ws.StakesGraphComments(SelectedRows(), true)); },
                                      stakesAndRows, nullptr, nullptr});
    c.Register("RatingsGraphOverlap", {[this] { ShowGraph(Ctx.Ws.RatingsGraphOverlap(SelectedRows())); }, selected,
                                       nullptr, nullptr});
    for (int mode = 0; mode < kRatingsEffModeCount; ++mode)
        c.Register("RatingsEffMode" + std::to_string(mode),
                   {[&ws, mode] { ws.SetRatingsEffMode(mode); }, nullptr, nullptr, nullptr});
    c.Register("RatingsRefresh", {[&ws] { ws.RatingsRefresh(); }, [&ws] { return ws.StakesOpen(); }, nullptr, nullptr});
    c.Register("RatingsToScript", {[this] { ToScript(); }, selected, nullptr, nullptr});
    c.Register("RatingsExport", {[this] { Export(); }, [&ws] { return !ws.Ratings().Empty(); }, nullptr, nullptr});
}

void TRatingPage::ShowGraph(const TGraphPlot& plot) { ShowGraphWindow(Ctx.Ws, plot, Ctx.Window); }

void TRatingPage::Export() {
    const TFileDialogOptions options{"dlgRatingsExport", "Экспорт рейтинга в CSV-файл", "CSV-файлы (*.csv)", "csv",
                                     true};
    const QString file = AskFileName(Ctx.Window, options, ToQ(Ctx.Ws.Paths().Dir.string()));
    if (!file.isEmpty()) Ctx.Ws.RatingsExport(FromQ(file));
}

void TRatingPage::ToScript() {
    if (!Ctx.Ws.RatingsToScript(SelectedRows())) return;
    auto* tabs = Ctx.Window->findChild<QTabWidget*>("pcMain");
    if (QWidget* script = Ctx.Window->findChild<QWidget*>("tsScript"); tabs && script) tabs->setCurrentWidget(script);
}

void TRatingPage::RatingsChanged() { FModel->Sync(); }

} // namespace qx
