#include "views/pages/TablesPage.h"

#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

#include "app/TableForm.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/TextListModel.h"
#include "views/dialogs/FormStake.h"
#include "views/dialogs/FormTable.h"
#include "views/dialogs/FormTestCnt.h"
#include "views/pages/CombsPage.h"

namespace qx {

TTablesPage::TTablesPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsTables", parent) {
    TFlowLayout* row = AddPanel("pnlTables");
    AddButtons(row, {{"Добавить регулярную ставку", "TablesAdd"},
                     {"Удалить регулярную ставку", "TablesDel"},
                     {"Сделать ставку по регуляру", "TablesStakeAdd"},
                     {"Тест регуляров", "TablesStakeTest"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    std::vector<TColumnDef> columns = {{kRegularColumns[0], 200},
                                       {kRegularColumns[1], 150, C},
                                       {kRegularColumns[2], 60, C},
                                       {kRegularColumns[3], 150, C},
                                       {kRegularColumns[4], 60, C}};
    FList = MakeVirtualList("lvTables", this, columns);
    const TRegulars& regulars = Ctx.Ws.Regulars();
    FModel = new TTextListModel(
        columns, [&regulars] { return regulars.Count(); },
        [&regulars](int r, int column) { return RegularCellText(regulars.At(r), column); }, this);
    SetListModel(FList, FModel);
    AddContent(FList);
    RegisterCommands();
    Ctx.Ws.AddObserver(this);
}

TTablesPage::~TTablesPage() {
    Ctx.Ws.RemoveObserver(this);
}

std::vector<TPersistentList> TTablesPage::PersistentLists() {
    return {{"lvTables", FList->horizontalHeader(), nullptr}};
}

void TTablesPage::TabToggled(bool visible) {
    Ctx.Ws.SetTablesVisible(visible);
}

std::vector<int> TTablesPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : FList->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TTablesPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto shown = [&ws] { return ws.TablesVisible(); };
    auto selected = [this, shown] { return shown() && FList->selectionModel()->hasSelection(); };
    c.Register("TablesAdd", {[this] { Add(); }, shown, nullptr, nullptr});
    c.Register("TablesDel", {[this] { Delete(); }, selected, nullptr, nullptr});
    c.Register("TablesStakeAdd", {[this] { StakeAdd(); }, selected, nullptr, nullptr});
    c.Register("TablesStakeTest", {[this] { StakeTest(); }, selected, nullptr, nullptr});
}

void TTablesPage::Add() {
    TCombsPage* combs = FindCombsPage(Ctx.Window);
    const std::vector<int> rows = combs ? combs->SelectedRows() : std::vector<int>{};
    const TCombsArray& list = Ctx.Ws.Combs().List();
    const TCombCode first = !rows.empty() && rows.front() < static_cast<int>(list.size())
                                ? list[static_cast<size_t>(rows.front())]
                                : 0;
    TFormTable dialog(Ctx.Shell, ProposedRegular(static_cast<int>(rows.size()), first), Ctx.Ws.Regulars(),
                      Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    Ctx.Ws.TablesAdd(dialog.Result(), rows);
}

void TTablesPage::Delete() {
    if (Ctx.Ws.TablesDel(SelectedRows())) FList->clearSelection();
}

void TTablesPage::StakeAdd() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const TWorkspace::TRegularStake proposed = Ctx.Ws.TablesProposedStake(rows.front());
    TFormStake dialog(Ctx.Shell, proposed.Stake, 1, Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    Ctx.Ws.TablesStakeAdd(rows.front(), proposed.Advanced, dialog.Result(), dialog.DrawsCount());
}

void TTablesPage::StakeTest() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const int count = TFormTestCnt::Ask(Ctx.Shell, Ctx.Ws.Archive().Count(), Ctx.Window);
    if (count > 0) Ctx.Ws.TablesStakeTest(rows, count);
}

void TTablesPage::TablesChanged() {
    FModel->Sync();
}

} // namespace qx
