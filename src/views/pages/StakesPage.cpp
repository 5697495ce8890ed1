#include "views/pages/StakesPage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

#include "core/FormState.h"
#include "stakes/StakesGrid.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/FormGraph.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/dialogs/FormStake.h"
#include "views/dialogs/FormStakeFilter.h"
#include "views/pages/CombsPage.h"
#include "views/stakes/StakesModel.h"

namespace qx {

TStakesPage::TStakesPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsStakes", parent) {
    TFlowLayout* row = AddPanel("pnlStakes");
    AddButtons(row, {{"Сделать ставку", "StakeAdd"},
                     {"Случайная ставка", "StakeAddRandom"},
                     {"Удалить все ставки", "StakeClear"},
                     {"Удалить по условию", "StakeFilter"},
                     {"Суммарный профит по тиражам", "StakesGraphDraws"},
                     {"Экспорт в Excel", "StakesXlsExport"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    FGrid = MakeVirtualList("sgStakes", this,
                            {{kStakeColumns[0].Caption, 60, C},
                             {kStakeColumns[1].Caption, 60, C},
                             {kStakeColumns[2].Caption, 120, C},
                             {kStakeColumns[3].Caption, 60, C},
                             {kStakeColumns[4].Caption, 120, C},
                             {kStakeColumns[5].Caption, 60, C},
                             {kStakeColumns[6].Caption, 60, C},
                             {kStakeColumns[7].Caption, 60, Qt::AlignRight},
                             {kStakeColumns[8].Caption, 1000}});
    FGrid->setShowGrid(true);
    // The grid's selection is one block of rows, as the deletion takes it.
    FGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    FModel = new TStakesModel(Ctx.Ws, this);
    SetListModel(FGrid, FModel);
    auto* digits = new TStakeDigitsDelegate(*FModel, FGrid);
    FGrid->setItemDelegateForColumn(stcNumbers, digits);
    FGrid->setItemDelegateForColumn(stcDrawn, digits);
    AddContent(FGrid);
    RegisterCommands();
    Ctx.Ws.AddObserver(this);
}

TStakesPage::~TStakesPage() { Ctx.Ws.RemoveObserver(this); }

std::vector<TPersistentList> TStakesPage::PersistentLists() {
    return {{"sgStakes", FGrid->horizontalHeader(), nullptr}};
}

TCombsPage* TStakesPage::Combs() const {
    return dynamic_cast<TCombsPage*>(Ctx.Window->findChild<QWidget*>("tsCombs"));
}

std::optional<TCombCode> TStakesPage::FirstSelectedComb() const {
    TCombsPage* combs = Combs();
    if (!combs) return std::nullopt;
    const std::vector<int> rows = combs->SelectedRows();
    const TCombsArray& list = Ctx.Ws.Combs().List();
    if (rows.empty() || rows.front() >= static_cast<int>(list.size())) return std::nullopt;
    return list[static_cast<size_t>(rows.front())];
}

std::optional<std::pair<int64_t, int64_t>> TStakesPage::SelectedRows() const {
    const QModelIndexList rows = FGrid->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    int first = rows.front().row(), last = first;
    for (const QModelIndex& index : rows) {
        first = std::min(first, index.row());
        last = std::max(last, index.row());
    }
    return std::make_pair(int64_t{first} + 1, int64_t{last} + 1);
}

void TStakesPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto open = [&ws] { return ws.StakesOpen(); };
    auto any = [&ws] { return ws.StakesOpen() && ws.StakesCount() > 0; };
    auto listed = [&ws] { return ws.StakesOpen() && ws.Combs().Count() > 0; };
    auto toggle = [&ws](const char* key) {
        return [&ws, key] { ws.SetFormKey(key, !ws.FormKeys().BoolKey(key).value_or(false)); };
    };
    c.Register("StakeAdd", {[this] { AddStake(FirstSelectedComb()); }, open, nullptr, nullptr});
    c.Register("StakeAddRandom", {[this] { AddStake(Ctx.Ws.RandomComb()); }, listed, nullptr, nullptr});
    c.Register("StakeAddSelected", {[this] { AddForCombs(true); },
                                    [this, open] {
                                        TCombsPage* combs = Combs();
                                        return open() && combs && !combs->SelectedRows().empty();
                                    },
                                    nullptr, nullptr});
    c.Register("StakeAddAll", {[this] { AddForCombs(false); }, listed, nullptr, nullptr});
    c.Register("StakeDel", {[this] { DeleteSelected(); }, [this, any] { return any() && SelectedRows().has_value(); },
                            nullptr, nullptr});
    c.Register("StakeFilter", {[this] { DeleteByCondition(); }, any, nullptr, nullptr});
    c.Register("StakeClear", {[&ws] { ws.StakeClear(); }, any, nullptr, nullptr});
    c.Register("StakesCheckManual", {[&ws] {
                                         ws.StakesCheck();
                                         ws.StakesRefresh(true, false);
                                     },
                                     any, nullptr, nullptr});
    c.Register("StakesGraphDraws", {[this] { ShowProfitGraph(); }, any, nullptr, nullptr});
    c.Register("LogStakes", {toggle("StakesLogEnabled"), nullptr, nullptr, nullptr});
    c.Register("LogStakesDelete", {[&ws] { ws.LogStakesDelete(); }, nullptr, nullptr, nullptr});
    c.Register("StakesScroll", {toggle("StakesScrollEnabled"), nullptr, nullptr, nullptr});
    c.Register("StakesCheckLine", {toggle("StakesCheckOnLine"), nullptr, nullptr, nullptr});
}

void TStakesPage::AddStake(std::optional<TCombCode> numbers) {
    TFormStake dialog(Ctx.Shell, Ctx.Ws.ProposedStake(numbers), 1, Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    Ctx.Ws.StakeAdd(dialog.Result(), dialog.DrawsCount());
}

void TStakesPage::AddForCombs(bool selectedOnly) {
    const int32_t proposed = Ctx.Ws.ProposedStake(std::nullopt).DrawNumber;
    TFormMulti dialog(Ctx.Shell, proposed, Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    TCombsPage* combs = Combs();
    std::vector<TCombCode> codes;
    const TCombsArray& list = Ctx.Ws.Combs().List();
    if (selectedOnly && combs) {
        for (int row : combs->SelectedRows())
            if (row >= 0 && row < static_cast<int>(list.size())) codes.push_back(list[static_cast<size_t>(row)]);
    } else if (!selectedOnly) {
        codes = list;
    }
    if (selectedOnly && combs) combs->List()->clearSelection();
    Ctx.Ws.StakeAddCombs(codes, dialog.DrawNumber(), dialog.DrawsCount(), dialog.Comment());
}

void TStakesPage::DeleteSelected() {
    const auto rows = SelectedRows();
    if (!rows) return;
    if (Ctx.Ws.StakeDel(rows->first, rows->second)) FGrid->clearSelection();
}

void TStakesPage::DeleteByCondition() {
    TFormStakeFilter dialog(0, 0, Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    const uint16_t value = dialog.Value();
    Ctx.Ws.StakesDeleteByCondition(StakeFilterCondition(value), StakeFilterMatches(value));
}

void TStakesPage::ShowProfitGraph() {
    const TGraphPlot plot = Ctx.Ws.StakesGraphDraws();
    ShowGraphWindow(Ctx.Ws, plot, Ctx.Window);
}

void TStakesPage::StakesChanged(bool refresh, bool selectLast) {
    if (!refresh && !selectLast) return;
    const bool changed = FModel->Sync();
    if (selectLast && FModel->rowCount() > 0) {
        const QModelIndex last = FModel->index(FModel->rowCount() - 1, 0);
        FGrid->selectionModel()->setCurrentIndex(last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        FGrid->scrollTo(last);
    }
    if (refresh && !changed) FModel->RepaintAll();
}

} // namespace qx
