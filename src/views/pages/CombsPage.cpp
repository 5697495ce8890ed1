#include "views/pages/CombsPage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMimeData>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <algorithm>
#include <climits>

#include "app/DrawInfo.h"
#include "core/FormState.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/combs/CombsFiles.h"
#include "views/combs/CombsModel.h"
#include "views/combs/FormGenCombs.h"
#include "views/draws/FormInfo.h"

namespace qx {
namespace {

constexpr const char* kWaitText = "Подождите пожалуйста...";

// The command whose icon marks a journal row of that kind.
const char* JournalIconCommand(TJournalIcon icon) {
    switch (icon) {
    case TJournalIcon::Keep: return "StatFilter_Include";
    case TJournalIcon::Remove: return "StatFilter_Exclude";
    case TJournalIcon::Undo: return "CombsUndo";
    }
    return "";
}

bool ClipboardHoldsText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

TCombsPage::TCombsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsCombs", parent) {
    TFlowLayout* row = AddPanel("pnlCombs");
    AddButtons(row, {{"Новый", "CombsGen"},
                     {"Открыть", "CombsOpen"},
                     {"Сохранить", "CombsSave"},
                     {"Отменить", "CombsUndo"}});
    FExclude = AddSpin(row, "edCombsExclude", "",
                       "Исключить указанное количество последних тиражей из списка комбинаций", 0, INT_MAX);
    FExclude->installEventFilter(this);
    AddButtons(row, {{"[-] Тиражи", "CombsDelExists"}});

    FCombs = MakeVirtualList("lvCombs", this, ColumnDefs(CombsListColumns()));
    FModel = new TCombsModel(Ctx.Ws, this);
    SetListModel(FCombs, FModel);
    FFilters =
        MakeList("lvFilters", this, {{"Примененные фильтры", 150}, {"Значения", 100}, {"Комбинаций", 60}});
    FSplit = MakeSplit("spFilters", this, FCombs, FFilters);
    AddContent(FSplit);

    // A double click on a combination stakes on it (when the stakes are open).
    connect(FCombs, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) Ctx.Commands.Trigger("StakeAdd");
    });
    // Whether the clipboard holds text is asked when it changes, not at every idle moment: asking
    // another program for its clipboard formats may take a while.
    FClipboardHasText = ClipboardHoldsText();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { FClipboardHasText = ClipboardHoldsText(); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this] { FClipboardHasText = ClipboardHoldsText(); });

    RegisterCommands();
    Ctx.Ws.AddObserver(this);
    FillJournal();
}

TCombsPage::~TCombsPage() {
    Ctx.Ws.RemoveObserver(this);
}

void TCombsPage::ApplyKeys(const TMainFormKeys& keys) {
    FExclude->setValue(keys.DrawsExclude);
    SetBottomHeight(FSplit, keys.FiltersHeight);
}

void TCombsPage::StoreKeys(TMainFormKeys& keys) const {
    keys.DrawsExclude = FExclude->value();
    keys.FiltersHeight = BottomHeight(FSplit, keys.FiltersHeight);
}

std::vector<TPersistentList> TCombsPage::PersistentLists() {
    return {{"lvCombs", FCombs->horizontalHeader(), nullptr}, {"lvFilters", FFilters->header(), nullptr}};
}

std::vector<int> TCombsPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : FCombs->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool TCombsPage::HasSelection() const {
    return FCombs->selectionModel()->hasSelection();
}

std::optional<TCombCode> TCombsPage::SelectedCode() const {
    const std::vector<int> rows = SelectedRows();
    const TCombsArray& combs = Ctx.Ws.Combs().List();
    if (rows.empty() || rows.front() >= static_cast<int>(combs.size())) return std::nullopt;
    return combs[static_cast<size_t>(rows.front())];
}

void TCombsPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    auto notEmpty = [this] { return Ctx.Ws.Combs().Count() > 0; };
    auto selected = [this] { return HasSelection(); };
    c.Register("CombsGen", {[this] { Generate(); }, nullptr, nullptr, nullptr});
    c.Register("CombsOpen", {[this] { OpenFile(); }, nullptr, nullptr, nullptr});
    c.Register("CombsSave", {[this] { SaveFile(); }, notEmpty, nullptr, nullptr});
    c.Register("CombsUndo", {[this] { Ctx.Ws.CombsUndo(); }, [this] { return Ctx.Ws.Combs().CanUndo(); }, nullptr,
                             nullptr});
    c.Register("CombsDelExists", {[this] { Ctx.Ws.CombsDelExists(FExclude->value()); },
                                  [this, notEmpty] {
                                      return notEmpty() && !Ctx.Ws.Draws().empty() && FExclude->value() > 0;
                                  },
                                  nullptr, nullptr});
    c.Register("CombsDelSelected",
               {[this] { DeleteSelected(); }, [notEmpty, selected] { return notEmpty() && selected(); }, nullptr,
                nullptr});
    c.Register("CombsInfo", {[this] { ShowInfo(); }, selected, nullptr, nullptr});
    c.Register("CombsCheckNums", {[this] { Ctx.Ws.CheckUniqueNumbers(); }, nullptr, nullptr, nullptr});
    c.Register("CombsFindInDraws", {[this] { FindInDraws(); }, selected, nullptr, nullptr});
    c.Register("CombsCopy", {[this] { Copy(); }, notEmpty, nullptr, nullptr});
    c.Register("CombsPaste", {[this] { Paste(); }, [this] { return FClipboardHasText; }, nullptr, nullptr});
    c.Register("CombsSelectAll", {[this] { SelectAll(); }, notEmpty, nullptr, nullptr});
    c.Register("ViewColorCombs", {[this] {
                                      TBusyScope busy(Ctx.Shell, "");
                                      Ctx.Ws.SetFormKey("ColorCombs", !Ctx.Ws.FormKeys().ColorCombs);
                                      FModel->RepaintAll();
                                  },
                                  nullptr, nullptr, nullptr});
}

void TCombsPage::Generate() {
    TFormGenCombs dialog(Ctx.Ws.CombsGenDefaults(), ToQ(Ctx.Ws.Paths().Dir.string()), Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    const TCombsGenParams params = dialog.Params();
    // A configuration file that cannot be written is reported; the list is generated all the same.
    if (dialog.SaveAsDefaults()) RunCommand(Ctx.Shell, [&] { Ctx.Ws.SaveCombsGenDefaults(params); });
    Ctx.Ws.GenerateCombs(params, true);
}

void TCombsPage::OpenFile() {
    const QString file = AskCombsFile(Ctx.Window, ToQ(Ctx.Ws.Paths().Dir.string()), false);
    if (!file.isEmpty()) Ctx.Ws.OpenCombs(FromQ(file));
}

void TCombsPage::SaveFile() {
    const QString file = AskCombsFile(Ctx.Window, ToQ(Ctx.Ws.Paths().Dir.string()), true);
    if (!file.isEmpty()) Ctx.Ws.SaveCombsFile(FromQ(file));
}

void TCombsPage::DeleteSelected() {
    Ctx.Ws.DeleteSelectedCombs(SelectedRows());
    FCombs->clearSelection();
}

void TCombsPage::ShowInfo() {
    const std::optional<TCombCode> code = SelectedCode();
    if (!code) return;
    ShowInfoDialog(
        Ctx.Shell, [&] { return CombInfoRows(Ctx.Ws, *code); }, *code, Ctx.Ws.Config().MatrixCols,
        Ctx.Ws.Config().ChannelWidth(), Ctx.Window);
}

void TCombsPage::FindInDraws() {
    if (const std::optional<TCombCode> code = SelectedCode()) Ctx.Ws.FindCombInArchive(*code);
}

void TCombsPage::Copy() {
    const std::string text = Ctx.Ws.CombsCopyText(SelectedRows());
    QGuiApplication::clipboard()->setText(ToQ(text));
}

void TCombsPage::Paste() {
    Ctx.Ws.PasteCombs(FromQ(QGuiApplication::clipboard()->text()));
}

void TCombsPage::SelectAll() {
    TBusyScope busy(Ctx.Shell, kWaitText);
    FCombs->selectAll();
}

void TCombsPage::FillJournal() {
    FFilters->clear();
    QTreeWidgetItem* last = nullptr;
    for (const TJournalRow& r : Ctx.Ws.Combs().Journal()) {
        last = new QTreeWidgetItem(FFilters, QStringList{Tx(r.Caption), ToQ(r.Values), QString::number(r.Count)});
        if (QAction* command = Ctx.Commands.Action(JournalIconCommand(r.Icon))) last->setIcon(0, command->icon());
    }
    if (last) FFilters->scrollToItem(last);
}

void TCombsPage::CombsChanged() {
    FModel->Sync();
    FillJournal();
}

void TCombsPage::RefreshViews(bool force) {
    // The channel width or the colour switch may have changed.
    if (force) FModel->RepaintAll();
}

bool TCombsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FExclude && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Only a value inside the field's bounds runs the exclusion, and only while it may run.
            if (FExclude->hasAcceptableInput()) {
                FExclude->interpretText();
                Ctx.Commands.Trigger("CombsDelExists");
            }
            return true;
        }
    }
    return TViewPage::eventFilter(watched, event);
}

} // namespace qx
