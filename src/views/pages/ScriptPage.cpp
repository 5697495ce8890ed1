#include "views/pages/ScriptPage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QInputDialog>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ScriptExecutor.h"
#include "core/FormState.h"
#include "views/Commands.h"
#include "views/FileDialogs.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/SortableList.h"
#include "views/Tx.h"
#include "views/dialogs/FormScrPublic.h"
#include "views/dialogs/FormScrRates.h"
#include "views/dialogs/FormScript.h"
#include "views/dialogs/FormTestCnt.h"
#include "views/pages/CombsPage.h"
#include "views/scripts/ScriptModel.h"

namespace qx {
namespace {

TFileDialogOptions ScriptFileDialog(bool save) {
    return {save ? "dlgScriptSave" : "dlgScriptOpen", save ? "Сохранить сценарий" : "Открыть сценарий",
            "Файлы сценариев (*.lsc)", "lsc", save};
}

} // namespace

TScriptPage::TScriptPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsScript", parent) {
    TFlowLayout* row = AddPanel("pnlScript");
    AddButtons(row, {{"Открыть", "ScriptOpen"},
                     {"Сохранить", "ScriptSave"},
                     {"Прогноз", "ScriptRun"},
                     {"Тест", "ScriptTest"},
                     {"Стоп", "ScriptStop"},
                     {"Добавить", "ScriptAdd"},
                     {"Удалить", "ScriptDel"},
                     {"Вверх", "ScriptUp"},
                     {"Вниз", "ScriptDown"},
                     {"Изменить", "ScriptEdit"}});

    FLines = MakeVirtualList("lvScript", this,
                             {{"Комментарии", 150},
                              {"Опции", 150},
                              {"Фильтр 1", 120},
                              {"Фильтр 2", 120},
                              {"Фильтр 3", 120},
                              {"Фильтр 4", 120},
                              {"Фильтр 5", 120},
                              {"Фильтр 6", 120},
                              {"Фильтр 7", 120}});
    FLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FModel = new TScriptModel(Ctx.Ws, this);
    SetListModel(FLines, FModel);
    connect(FLines, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) Ctx.Commands.Trigger("ScriptEdit");
    });

    FLibrary = new QWidget(this);
    FLibrary->setObjectName("pnlOnlineScripts");
    auto* libraryLayout = new QVBoxLayout(FLibrary);
    libraryLayout->setContentsMargins(0, 0, 0, 0);
    TFlowLayout* libraryRow = nullptr;
    QWidget* libraryPanel = MakePanel("pnlOnlineScriptsTop", FLibrary, &libraryRow);
    FLibraryFilter = AddCombo(libraryRow, "cbOnlineScriptsFilter", "Фильтр сценариев", 240);
    for (const char* item :
         {"Скрытые", "Все, включая скрытые", "Все, кроме скрытых (по умолчанию)", "Только мои",
          "Только публичные", "С моими оценками", "Без моих оценок", "Новые (24 часа с момента публикации)"})
        FLibraryFilter->addItem(Tx(item));
    connect(FLibraryFilter, &QComboBox::activated, this, [this](int index) { Ctx.Ws.ScriptLibrarySetFilter(index); });
    AddButtons(libraryRow, {{"Опубликовать", "ScriptLibraryUpload"},
                            {"Изменить", "ScriptLibraryReplace"},
                            {"Скачать", "ScriptLibraryDownload"}});
    libraryLayout->addWidget(libraryPanel);
    const Qt::Alignment C = Qt::AlignHCenter;
    FLibraryList = MakeSortableList("lvOnlineScripts", FLibrary,
                                    {{"Тип", 60},
                                     {"Название", 250},
                                     {"Автор", 150},
                                     {"Программа", 100},
                                     {"Версия", 75, C},
                                     {"Язык", 50, C},
                                     {"Создан", 100, C},
                                     {"Рейтинг", 70, C},
                                     {"Оценок", 60, C},
                                     {"Ваша оценка", 80, C},
                                     {"Загрузок", 70, C},
                                     {"Последняя", 100, C},
                                     {"Комментарии", 5000}});
    FLibraryList->Sort().Set(7, false);
    libraryLayout->addWidget(FLibraryList, 1);
    connect(FLibraryList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        Ctx.Ws.ScriptLibrary().Select(item ? item->data(0, Qt::UserRole).toInt() : -1);
    });
    connect(FLibraryList, &QTreeWidget::itemDoubleClicked, this,
            [this] { Ctx.Commands.Trigger("ScriptLibraryView"); });

    FSplit = MakeSplit("spOnlineScripts", this, FLines, FLibrary);
    AddContent(FSplit);
    auto* status = new QStatusBar(this);
    status->setObjectName("sbScript");
    status->setSizeGripEnabled(false);
    for (size_t p = 0; p < FPanels.size(); ++p) {
        FPanels[p] = new QLabel(status);
        FPanels[p]->setObjectName(QString("sbScriptPanel%1").arg(p));
        // A long text in the free panel must not widen the window.
        if (p == 4) FPanels[p]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        status->addWidget(FPanels[p], p < 4 ? 0 : 1);
    }
    AddContent(status, 0);
    RegisterCommands();
    RegisterLibraryCommands();
    Ctx.Ws.AddObserver(this);
    ScriptRunChanged();
}

TScriptPage::~TScriptPage() { Ctx.Ws.RemoveObserver(this); }

void TScriptPage::ApplyKeys(const TMainFormKeys& keys) {
    FLibrary->setVisible(keys.ScriptLibraryOn);
    FillLibrary();
    SetBottomHeight(FSplit, keys.ScriptLibraryHeight);
    if (keys.ScriptLibraryFilter >= 0 && keys.ScriptLibraryFilter < FLibraryFilter->count())
        FLibraryFilter->setCurrentIndex(keys.ScriptLibraryFilter);
}

void TScriptPage::StoreKeys(TMainFormKeys& keys) const {
    if (FLibrary->isVisibleTo(FSplit))
        keys.ScriptLibraryHeight = BottomHeight(FSplit, keys.ScriptLibraryHeight);
    keys.ScriptLibraryFilter = FLibraryFilter->currentIndex();
}

std::vector<TPersistentList> TScriptPage::PersistentLists() {
    return {{"lvScript", FLines->horizontalHeader(), nullptr},
            {"lvOnlineScripts", FLibraryList->header(), &FLibraryList->Sort()}};
}

std::vector<int> TScriptPage::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : FLines->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TScriptPage::FocusedRow() const {
    const QModelIndex current = FLines->selectionModel()->currentIndex();
    if (current.isValid() && FLines->selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return current.row();
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

bool TScriptPage::FilterLineFocused() const { return FModel->IsFilterLine(FocusedRow()); }

void TScriptPage::SelectRow(int row) {
    FLines->clearSelection();
    if (row < 0 || row >= FModel->rowCount()) return;
    const QModelIndex index = FModel->index(row, 0);
    FLines->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FLines->scrollTo(index);
}

void TScriptPage::RegisterCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto hasLines = [&ws] { return !ws.Script().Empty(); };
    auto filterLine = [this] { return FilterLineFocused(); };
    auto idle = [&ws] { return !ws.ScriptRunning(); };
    c.Register("ScriptOpen", {[this] { OpenFile(false); }, nullptr, nullptr, nullptr});
    c.Register("ScriptSave", {[this] { SaveFile(); }, hasLines, nullptr, nullptr});
    c.Register("ScriptAdd", {[this] { AddLine("Создание новой строки", ""); }, nullptr, nullptr, nullptr});
    c.Register("ScriptEmpty", {[this, &ws] { SelectRow(ws.ScriptEmpty()); }, hasLines, nullptr, nullptr});
    c.Register("ScriptLoad", {[this] { OpenFile(true); }, nullptr, nullptr, nullptr});
    c.Register("ScriptClone", {[this, &ws] { AddLine("Создание новой строки", ws.GetScriptLine(FocusedRow())); },
                               filterLine, nullptr, nullptr});
    c.Register("ScriptEdit", {[this] { EditLine(); }, filterLine, nullptr, nullptr});
    c.Register("ScriptDel", {[this, &ws] {
                                 if (ws.ScriptDel(SelectedRows())) FLines->clearSelection();
                             },
                             [this] { return !SelectedRows().empty(); }, nullptr, nullptr});
    c.Register("ScriptClr", {[this, &ws] {
                                 if (ws.ScriptClr()) FLines->clearSelection();
                             },
                             hasLines, nullptr, nullptr});
    c.Register("ScriptUp", {[this, &ws] { SelectRow(ws.ScriptMove(FocusedRow(), -1)); },
                            [this] { return FocusedRow() > 0; }, nullptr, nullptr});
    c.Register("ScriptDown", {[this, &ws] { SelectRow(ws.ScriptMove(FocusedRow(), 1)); },
                              [this] {
                                  const int row = FocusedRow();
                                  return row >= 0 && row + 1 < FModel->rowCount();
                              },
                              nullptr, nullptr});
    c.Register("ScriptRun", {[&ws] { ws.ScriptRun(); }, [&ws] { return ws.ScriptCanRun(); }, nullptr, nullptr});
    c.Register("ScriptTest", {[this] { Test(); }, [&ws] { return ws.ScriptCanRun(); }, nullptr, nullptr});
    c.Register("ScriptStop", {[&ws] { ws.ScriptStop(); }, [&ws] { return ws.ScriptExecutor().CanStop(); }, nullptr,
                              nullptr});
    c.Register("LogToggle", {[&ws] { ws.LogToggle(); }, idle, nullptr, nullptr});
    c.Register("LogsDelete", {[&ws] { ws.LogsDelete(); }, idle, nullptr, nullptr});
}

int TScriptPage::DefaultExcludeCount() const {
    const auto* combs = dynamic_cast<const TCombsPage*>(Ctx.Window->findChild<QWidget*>("tsCombs"));
    return combs ? combs->ExcludeEdit()->value() : Ctx.Ws.FormKeys().DrawsExclude;
}

void TScriptPage::AddLine(const char* title, const std::string& line) {
    const auto edited = EditScriptLine(Ctx.Ws, Ctx.Shell, Ctx.Window, title, DefaultExcludeCount(), line);
    if (edited) SelectRow(Ctx.Ws.AppendScriptLine(*edited));
}

void TScriptPage::EditLine() {
    const int row = FocusedRow();
    const auto edited = EditScriptLine(Ctx.Ws, Ctx.Shell, Ctx.Window, "Редактирование строки", DefaultExcludeCount(),
                                       Ctx.Ws.GetScriptLine(row));
    if (edited) Ctx.Ws.ReplaceScriptLine(row, *edited);
}

void TScriptPage::OpenFile(bool append) {
    const QString file = AskFileName(Ctx.Window, ScriptFileDialog(false), ToQ(Ctx.Ws.Paths().Dir.string()));
    if (file.isEmpty()) return;
    if (append ? Ctx.Ws.ScriptLoad(FromQ(file)) : Ctx.Ws.ScriptOpen(FromQ(file))) FLines->clearSelection();
}

void TScriptPage::SaveFile() {
    const QString file = AskFileName(Ctx.Window, ScriptFileDialog(true), ToQ(Ctx.Ws.Paths().Dir.string()));
    if (!file.isEmpty()) Ctx.Ws.SaveScript(FromQ(file));
}

void TScriptPage::Test() {
    const int count = TFormTestCnt::Ask(Ctx.Shell, Ctx.Ws.Archive().Count(), Ctx.Window);
    if (count > 0) Ctx.Ws.ScriptTest(count);
}

void TScriptPage::ScriptChanged() {
    FModel->Sync();
    ScriptRunChanged();
}

void TScriptPage::ScriptRunChanged() {
    for (size_t p = 0; p < FPanels.size(); ++p) FPanels[p]->setText(ToQ(Ctx.Ws.ScriptPanelText(int(p))));
    const bool running = Ctx.Ws.ScriptRunning();
    FLines->setEnabled(!running);
    if (!running) return;
    // The line being run is the selected row, none between lines.
    const int line = Ctx.Ws.ScriptExecutor().CurrentLine();
    if (line < 0)
        FLines->clearSelection();
    else if (FocusedRow() != line || SelectedRows().size() != 1)
        SelectRow(line);
}

void TScriptPage::RegisterLibraryCommands() {
    TCommands& c = Ctx.Commands;
    TWorkspace& ws = Ctx.Ws;
    auto shown = [&ws] { return ws.ScriptLibraryShown(); };
    auto enabling = [&ws] { return ScriptLibraryEnabling(ws.ScriptLibrary().Current(), ws.Script().Empty()); };
    auto when = [shown, enabling](bool TScriptLibraryEnabling::*flag) {
        return [shown, enabling, flag] { return shown() && enabling().*flag; };
    };
    c.Register("ScriptLibrary", {[&ws] { ws.ScriptLibraryToggle(); }, nullptr, nullptr, nullptr});
    c.Register("ScriptLibraryRefresh", {[&ws] { ws.ScriptLibraryLoad(); }, shown, nullptr, nullptr});
    c.Register("ScriptLibraryDownload", {[&ws] { ws.ScriptLibraryDownload(); }, when(&TScriptLibraryEnabling::Download),
                                         nullptr, nullptr});
    c.Register("ScriptLibraryUpload", {[this, &ws] {
                                           if (auto data = LibraryDialog(ws.ScriptLibraryNewData(), false))
                                               ws.ScriptLibraryUpload(*data);
                                       },
                                       [shown, &ws] { return shown() && !ws.Script().Empty(); }, nullptr, nullptr});
    c.Register("ScriptLibraryReplace", {[this, &ws] {
                                            const tScriptInfo* e = ws.ScriptLibrary().Current();
                                            if (!e) return;
                                            if (auto data = LibraryDialog(ScriptDataOf(*e), false))
                                                ws.ScriptLibraryReplace(*data);
                                        },
                                        when(&TScriptLibraryEnabling::Replace), nullptr, nullptr});
    c.Register("ScriptLibraryDelete", {[&ws] { ws.ScriptLibraryDelete(); }, when(&TScriptLibraryEnabling::Delete),
                                       nullptr, nullptr});
    c.Register("ScriptLibraryView", {[this, &ws] {
                                         if (const tScriptInfo* e = ws.ScriptLibrary().Current())
                                             LibraryDialog(ScriptDataOf(*e), true);
                                     },
                                     when(&TScriptLibraryEnabling::Selected), nullptr, nullptr});
    c.Register("ScriptLibraryRates", {[this, &ws] {
                                          if (auto rates = ws.ScriptLibraryRates()) {
                                              TFormScrRates dialog(*rates, Ctx.Window);
                                              dialog.exec();
                                          }
                                      },
                                      when(&TScriptLibraryEnabling::Selected), nullptr, nullptr});
    for (int mark = 1; mark <= 5; ++mark)
        c.Register("ScriptLibraryRate" + std::to_string(mark),
                   {[this, mark] { LibraryRate(mark); }, when(&TScriptLibraryEnabling::Selected),
                    [enabling, mark] { return enabling().CheckedRate == mark; }, nullptr});
    c.Register("ScriptLibraryRate0", {[&ws] { ws.ScriptLibraryRate(0, ""); }, when(&TScriptLibraryEnabling::Rate0),
                                      nullptr, nullptr});
    c.Register("ScriptLibraryHide", {[&ws] { ws.ScriptLibraryRate(-1, ""); }, when(&TScriptLibraryEnabling::Selected),
                                     [enabling] { return enabling().CheckedRate == -1; }, nullptr});
}

void TScriptPage::LibraryRate(int mark) {
    bool ok = false;
    const QString comment = QInputDialog::getText(Ctx.Window, Tx("Комментарий"), Tx("Вы можете оставить свой комментарий:"),
                                                  QLineEdit::Normal, QString(), &ok);
    if (ok) Ctx.Ws.ScriptLibraryRate(mark, FromQ(comment));
}

std::optional<tScriptData> TScriptPage::LibraryDialog(const tScriptData& data, bool readOnly) {
    TWorkspace& ws = Ctx.Ws;
    TFormScrPublic dialog(Ctx.Shell, data, ws.CatalogueProgramName(), readOnly,
                          [&ws](int32_t id, const std::string& title) { return ws.ScriptLibraryTitleFree(id, title); },
                          Ctx.Window);
    if (dialog.exec() != QDialog::Accepted || readOnly) return std::nullopt;
    return dialog.Result();
}

void TScriptPage::ScriptLibraryChanged() {
    FLibrary->setVisible(Ctx.Ws.ScriptLibraryShown());
    FillLibrary();
}

void TScriptPage::FillLibrary() {
    const TScriptLibrary& library = Ctx.Ws.ScriptLibrary();
    QStyle* style = FLibraryList->style();
    const QIcon publicIcon = style->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon privateIcon = style->standardIcon(QStyle::SP_FileIcon);
    QSignalBlocker block(FLibraryList);
    FLibraryList->clear();
    QTreeWidgetItem* selected = nullptr;
    for (int i = 0; i < library.Count(); ++i) {
        const tScriptInfo& e = library.Entries()[size_t(i)];
        QStringList cells;
        for (const std::string& cell : ScriptLibraryCells(e)) cells << ToQ(cell);
        auto* item = new TSortableItem(FLibraryList, cells);
        item->setData(0, Qt::UserRole, i);
        item->setIcon(0, e.Public ? publicIcon : privateIcon);
        if (i == library.Selected()) selected = item;
    }
    FLibraryList->Resort();
    if (selected) {
        FLibraryList->setCurrentItem(selected);
        FLibraryList->scrollToItem(selected);
    }
    FLibraryFilter->setCurrentIndex(std::clamp(Ctx.Ws.FormKeys().ScriptLibraryFilter, 0, FLibraryFilter->count() - 1));
}

} // namespace qx
