#include "views/draws/DrawsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "app/DrawInfo.h"
#include "core/DrawHelpers.h"
#include "core/Text.h"
#include "views/Commands.h"
#include "views/FileDialogs.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/draws/DrawsModel.h"
#include "views/draws/FormDraw.h"
#include "views/draws/FormInfo.h"

namespace qx {
namespace {

constexpr const char* kDrawTitle = "Введите данные следующего тиража";
constexpr const char* kCsvFilter = "Файлы тиражей (*.csv)";

QString AskCsvFile(QWidget* parent, const TWorkspace& ws, bool save) {
    const TFileDialogOptions options{save ? "dlgDrawsExport" : "dlgDrawsImport",
                               save ? "Экспорт в CSV-файл" : "Импорт из CSV-файла", kCsvFilter, "csv", save};
    return AskFileName(parent, options, QString::fromStdString(ws.Paths().Dir.string()));
}

} // namespace

TDrawsPage::TDrawsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsDraws", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The buttons on top; below them the offset, kept at the panel's right edge.
    auto* panel = new QWidget(this);
    panel->setObjectName("pnlDraws");
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(2);
    auto* buttons = new QHBoxLayout;
    rows->addLayout(buttons);
    AddCommandButton(buttons, Ctx.Commands, "Загрузка", "DrawsDownload");
    AddCommandButton(buttons, Ctx.Commands, "Добавить", "DrawsAdd");
    AddCommandButton(buttons, Ctx.Commands, "Удалить", "DrawsDel");
    buttons->addStretch(1);
    auto* offset = new QHBoxLayout;
    rows->addLayout(offset);
    offset->addStretch(1);
    FOffset = AddSpin(offset, "edDrawsOffset",
                      "Смещение назад:", "Смещение относительно последнего загруженного номера тиража", 0, 0);
    // The offset is an input of every view: it takes effect when typed in full, not per keystroke.
    FOffset->setKeyboardTracking(false);
    layout->addWidget(panel);

    FModel = new TDrawsModel(Ctx.Ws, this);
    FList = new QTableView(this);
    FList->setObjectName("lvDraws");
    FList->setModel(FModel);
    FList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FList->setShowGrid(true);
    FList->setWordWrap(false);
    FList->setContextMenuPolicy(Qt::CustomContextMenu);
    FList->verticalHeader()->hide();
    FList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FList->verticalHeader()->setDefaultSectionSize(ListRowHeight(FList));
    FList->horizontalHeader()->setSectionsClickable(false);
    FList->horizontalHeader()->setHighlightSections(false);
    FList->horizontalHeader()->setStretchLastSection(false);
    SetColumnWidths(FList->horizontalHeader(), ColumnDefs(DrawsListColumns()));
    layout->addWidget(FList, 1);

    connect(FOffset, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { RunCommand(Ctx.Shell, [&] { Ctx.Ws.SetDrawsOffset(value); }); });
    connect(FList, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) Ctx.Commands.Trigger("DrawsInfo");
    });

    RegisterCommands();
    Ctx.Ws.AddObserver(this);
    SyncOffsetEdit();
}

TDrawsPage::~TDrawsPage() {
    Ctx.Ws.RemoveObserver(this);
}

std::vector<int> TDrawsPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : FList->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<TPersistentList> TDrawsPage::PersistentLists() {
    return {{"lvDraws", FList->horizontalHeader(), nullptr}};
}

void TDrawsPage::BusyChanged(bool busy) {
    // The offset is an input of every view: it does not change under a running operation.
    FOffset->setEnabled(!busy);
}

void TDrawsPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    auto selected = [this] { return FList->selectionModel()->hasSelection(); };
    c.Register("DrawsAdd", {[this] { AddDraw(); }, nullptr, nullptr, nullptr});
    c.Register("DrawsEdit", {[this] { EditDraw(); }, selected, nullptr, nullptr});
    c.Register("DrawsDel", {[this] { DeleteDraws(); }, selected, nullptr, nullptr});
    c.Register("DrawsInfo", {[this] { ShowInfo(); }, selected, nullptr, nullptr});
    c.Register("DrawsImport", {[this] { ImportDraws(); }, nullptr, nullptr, nullptr});
    c.Register("DrawsDownload", {[this] { Ctx.Ws.DrawsDownload(); }, nullptr, nullptr, nullptr});
    // The start-up download mode: the check marks follow the stored key.
    for (int mode = 0; mode <= 2; ++mode)
        c.Register("AutoDownload" + std::to_string(mode),
                   {[this, mode] { Ctx.Ws.SetFormKey("DownloadDrawsOnStart", mode); }, nullptr, nullptr, nullptr});
    c.Register("DrawsExport",
               {[this] { ExportDraws(); }, [this] { return !Ctx.Ws.Draws().empty(); }, nullptr, nullptr});
    c.Register("ViewColorDraws", {[this] {
                                      TBusyScope busy(Ctx.Shell, "");
                                      Ctx.Ws.SetFormKey("ColorDraws", !Ctx.Ws.FormKeys().ColorDraws);
                                      FModel->RepaintAll();
                                  },
                                  nullptr, nullptr, nullptr});
}

void TDrawsPage::AddDraw() {
    TDrawRecord draw = Ctx.Ws.ProposedDraw();
    if (!qx::EditDraw(Ctx.Shell, Ctx.Window, Tx(kDrawTitle), draw, true)) return;
    Ctx.Ws.AddDraw(draw);
}

void TDrawsPage::EditDraw() {
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const int row = rows.front();
    const int index = Ctx.Ws.Archive().High() - row;
    if (index < 0) return;
    TDrawRecord draw = Ctx.Ws.Draws()[static_cast<size_t>(index)];
    if (!qx::EditDraw(Ctx.Shell, Ctx.Window, Tx(kDrawTitle), draw, true)) return;
    Ctx.Ws.ReplaceDrawAtRow(row, draw);
}

void TDrawsPage::DeleteDraws() {
    if (Ctx.Ws.DeleteDrawRows(SelectedRows())) FList->clearSelection();
}

void TDrawsPage::ShowInfo() {
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const int index = Ctx.Ws.Archive().High() - rows.front();
    if (index < 0) return;
    const TCombCode code = CodeOfDraw(Ctx.Ws.ViewDraws()[static_cast<size_t>(index)]);
    ShowInfoDialog(
        Ctx.Shell, [&] { return DrawInfoRows(Ctx.Ws, index); }, code, Ctx.Ws.Config().MatrixCols,
        Ctx.Ws.Config().ChannelWidth(), Ctx.Window);
}

void TDrawsPage::ImportDraws() {
    QString file = AskCsvFile(Ctx.Window, Ctx.Ws, false);
    if (file.isEmpty()) return;
    TCsvImportResult result = Ctx.Ws.ImportDraws(file.toStdString());
    if (result.BadDigits > 0)
        Ctx.Shell.ShowWarning(FormatText("Пропущено строк с числами вне диапазона 0..9: %d",
                                         {std::to_string(result.BadDigits)}));
}

void TDrawsPage::ExportDraws() {
    QString file = AskCsvFile(Ctx.Window, Ctx.Ws, true);
    if (file.isEmpty()) return;
    Ctx.Ws.ExportDraws(file.toStdString());
}

void TDrawsPage::SyncOffsetEdit() {
    QSignalBlocker block(FOffset);
    FOffset->setRange(0, Ctx.Ws.MaxDrawsOffset());
    FOffset->setValue(Ctx.Ws.DrawsOffset());
}

void TDrawsPage::DrawsListChanged(bool force) {
    FModel->Sync(force);
    FShownOffset = Ctx.Ws.DrawsOffset();
    SyncOffsetEdit();
}

void TDrawsPage::DrawsOffsetChanged() {
    FModel->RepaintRow(FShownOffset);
    FShownOffset = Ctx.Ws.DrawsOffset();
    FModel->RepaintRow(FShownOffset);
    SyncOffsetEdit();
}

void TDrawsPage::RefreshViews(bool force) {
    if (force) FModel->RepaintAll();
}

} // namespace qx
