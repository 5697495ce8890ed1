#include "views/dialogs/FormExpExcel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "core/Shell.h"
#include "views/DialogButtons.h"
#include "views/FileDialogs.h"
#include "views/FormStateIO.h"
#include "views/QtShell.h"
#include "views/Tx.h"
#include "views/ViewPage.h"
#include "views/dialogs/FormExpExcelParam.h"

namespace qx {
namespace {

constexpr const char* kParamsFilter = "Файлы параметров экспорта (*.exp);;Все файлы (*.*)";
enum TFieldColumn { ColCaption, ColAlignment, ColWidth, ColPhysical };

} // namespace

TFormExpExcel::TFormExpExcel(TPageContext& context, const TExportSettings& settings, const TExportDialogInfo& info,
                             QWidget* parent)
    : QDialog(parent), Ctx(context), FShown(settings), FInfo(info), FFields(settings.Fields) {
    setObjectName(kSection);
    setWindowTitle(Tx("Экспорт в Microsoft Excel"));
    setSizeGripEnabled(true);
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    FTabs = new QTabWidget(this);
    FTabs->setObjectName("pcMain");
    FTabs->addTab(BuildSheetTab(), Tx("Параметры листа"));
    FTabs->addTab(BuildColumnsTab(), Tx("Столбцы таблицы"));
    layout->addWidget(FTabs, 1);

    AddCommand("OpenFile", "Загрузить из файла", "Ctrl+O", &TFormExpExcel::OpenFile);
    AddCommand("SaveFile", "Сохранить в файле", "Ctrl+S", &TFormExpExcel::SaveFile);
    AddCommand("MoveUp", "Вверх", "Ctrl+Up", &TFormExpExcel::MoveUp);
    AddCommand("MoveDown", "Вниз", "Ctrl+Down", &TFormExpExcel::MoveDown);
    QAction* rename = AddCommand("Rename", "Свойства", "Ctrl+Return", &TFormExpExcel::Rename);
    rename->setShortcuts({QKeySequence("Ctrl+Return"), QKeySequence("Ctrl+Enter")});

    auto* bottom = new QHBoxLayout;
    FParams = new QPushButton(Tx("Параметры"), this);
    FParams->setObjectName("btnParams");
    FParams->setToolTip(Tx("Сохранение параметров экспорта в файле"));
    FParams->setAutoDefault(false);
    FParamsMenu = new QMenu(this);
    FParamsMenu->setObjectName("pmParams");
    FParamsMenu->addAction(Command("OpenFile"));
    FParamsMenu->addAction(Command("SaveFile"));
    // The menu opens under the button's lower-left corner.
    connect(FParams, &QPushButton::clicked, this, [this] {
        UpdateCommands();
        FParamsMenu->popup(FParams->mapToGlobal(QPoint(0, FParams->height())));
    });
    FParams->setVisible(info.KeepParameters);
    bottom->addWidget(FParams);
    bottom->addStretch(1);
    auto* buttons = static_cast<QDialogButtonBox*>(MakeOkCancelButtons(this));
    buttons->button(QDialogButtonBox::Ok)->setToolTip(Tx("Начать экспорт"));
    buttons->button(QDialogButtonBox::Cancel)->setToolTip(Tx("Закрыть окно"));
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    ShowSettings(settings);
    FSave->setEnabled(info.KeepParameters);
    if (!info.KeepParameters) FSave->setChecked(false);
    connect(FTabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) FTitle->setFocus();
        if (index == 1) FList->setFocus();
    });
    RestoreLayout();
    FTitle->setFocus();
}

TFormExpExcel::~TFormExpExcel() { SaveLayout(); }

QWidget* TFormExpExcel::BuildSheetTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tsSheet");
    auto* form = new QFormLayout(page);
    FTitle = new QLineEdit(page);
    FTitle->setObjectName("edTitle");
    form->addRow(Tx("Наименование отчета:"), FTitle);
    FNotes = new QLineEdit(page);
    FNotes->setObjectName("edNotes");
    form->addRow(Tx("Дополнительные сведения:"), FNotes);
    FDate = new QCheckBox(Tx("Добавить строку с датой и временем формирования отчета (экспорта)."), page);
    FDate->setObjectName("DateCreateCheckBox");
    form->addRow(FDate);
    FSheet = new QLineEdit(page);
    FSheet->setObjectName("edPageName");
    FSheet->setMaxLength(int(kMaxSheetNameChars));
    form->addRow(Tx("Наименование листа:"), FSheet);
    FOrientation = new QComboBox(page);
    FOrientation->setObjectName("edOrientation");
    for (const char* item : {"Не устанавливать", "Книжная", "Альбомная"}) FOrientation->addItem(Tx(item));
    form->addRow(Tx("Ориентация:"), FOrientation);
    FFont = new QSpinBox(page);
    FFont->setObjectName("edFontSize");
    FFont->setRange(kMinFontSize, kMaxFontSize);
    form->addRow(Tx("Базовый размер шрифта:"), FFont);
    auto* rows = new QHBoxLayout;
    FMode = new QComboBox(page);
    FMode->setObjectName("edSendMode");
    FMode->addItem(Tx("Экспортировать все отображенные записи"));
    FMode->addItem(Tx("Экспортировать выделенные записи"));
    FCount = new QLineEdit(page);
    FCount->setObjectName("edRecNum");
    FCount->setReadOnly(true);
    FCount->setMaximumWidth(90);
    rows->addWidget(FMode, 1);
    rows->addWidget(FCount);
    form->addRow(Tx("Число строк:"), rows);
    connect(FMode, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { ShowCount(); });
    FSave = new QCheckBox(Tx("Сохранить параметры экспорта в файле конфигурации"), page);
    FSave->setObjectName("SaveCheckBox");
    form->addRow(FSave);
    return page;
}

QWidget* TFormExpExcel::BuildColumnsTab() {
    auto* page = new QWidget(this);
    page->setObjectName("tsColumns");
    auto* layout = new QVBoxLayout(page);
    FList = new QTreeWidget(page);
    FList->setObjectName("lvFields");
    FList->setRootIsDecorated(false);
    FList->setUniformRowHeights(true);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setAllColumnsShowFocus(true);
    FList->setHeaderLabels({Tx("Наименование столбца"), Tx("Выравнивание"), Tx("Ширина"), Tx("Физическое поле")});
    const int widths[] = {250, 134, 60, 150};
    for (int c = 0; c < 4; ++c) FList->header()->resizeSection(c, widths[c]);
    FList->headerItem()->setTextAlignment(ColAlignment, Qt::AlignCenter);
    FList->headerItem()->setTextAlignment(ColWidth, Qt::AlignCenter);
    FList->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(FList);
    connect(FList, &QTreeWidget::itemChanged, this, &TFormExpExcel::FieldChanged);
    connect(FList, &QTreeWidget::itemSelectionChanged, this, &TFormExpExcel::UpdateCommands);
    connect(FList, &QTreeWidget::itemDoubleClicked, this, [this] { Rename(); });
    connect(FList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateCommands();
        QMenu menu(this);
        menu.setObjectName("pmFields");
        menu.addAction(Command("MoveUp"));
        menu.addAction(Command("MoveDown"));
        menu.addSeparator();
        menu.addAction(Command("Rename"));
        menu.setDefaultAction(Command("Rename"));
        menu.exec(FList->viewport()->mapToGlobal(pos));
    });
    return page;
}

QAction* TFormExpExcel::AddCommand(const char* name, const char* caption, const char* shortcut,
                                   void (TFormExpExcel::*run)()) {
    auto* action = new QAction(Tx(caption), this);
    action->setObjectName(name);
    action->setShortcut(QKeySequence(shortcut));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, run] {
        UpdateCommands();
        RunCommand(Ctx.Shell, [&] { (this->*run)(); });
        UpdateCommands();
    });
    return action;
}

QAction* TFormExpExcel::Command(const char* name) const { return findChild<QAction*>(name); }

void TFormExpExcel::ShowSettings(const TExportSettings& s) {
    FTitle->setText(ToQ(s.Title));
    FNotes->setText(ToQ(s.Notes));
    FDate->setChecked(s.ShowCreateTime);
    FSheet->setText(ToQ(s.SheetName));
    FOrientation->setCurrentIndex(s.Orientation);
    FFont->setValue(s.FontSize);
    FMode->setCurrentIndex(s.SendMode == 1 ? 1 : 0);
    FSave->setChecked(s.RestoreParameters);
    FFields = s.Fields;
    ShowFields(FFields.empty() ? -1 : 0);
    ShowCount();
}

TExportSettings TFormExpExcel::Result() const {
    TExportSettings s = FShown;
    s.Title = FromQ(FTitle->text());
    s.Notes = FromQ(FNotes->text());
    s.ShowCreateTime = FDate->isChecked();
    s.SheetName = FromQ(FSheet->text());
    s.Orientation = FOrientation->currentIndex();
    s.FontSize = FFont->value();
    s.SendMode = FMode->currentIndex();
    s.RestoreParameters = FSave->isChecked();
    s.Fields = FFields;
    return s;
}

void TFormExpExcel::ShowCount() {
    FCount->setText(QString::number(FMode->currentIndex() == 1 ? FInfo.Counts.Selected : FInfo.Counts.All));
}

void TFormExpExcel::ShowFields(int selected) {
    FFilling = true;
    FList->clear();
    for (const TExportField& f : FFields) {
        auto* item = new QTreeWidgetItem(FList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setText(ColCaption, ToQ(f.Caption));
        item->setCheckState(ColCaption, f.Checked ? Qt::Checked : Qt::Unchecked);
        item->setText(ColAlignment, Tx(AlignmentName(f.Alignment)));
        item->setTextAlignment(ColAlignment, Qt::AlignCenter);
        item->setText(ColWidth, ToQ(f.Width));
        item->setTextAlignment(ColWidth, Qt::AlignCenter);
        item->setText(ColPhysical, ToQ(f.PhysicalName));
    }
    if (selected >= 0 && selected < FList->topLevelItemCount()) {
        QTreeWidgetItem* item = FList->topLevelItem(selected);
        FList->setCurrentItem(item);
        FList->scrollToItem(item);
    }
    FFilling = false;
    UpdateCommands();
}

int TFormExpExcel::SelectedField() const {
    const auto items = FList->selectedItems();
    return items.isEmpty() ? -1 : FList->indexOfTopLevelItem(items.front());
}

void TFormExpExcel::FieldChanged(QTreeWidgetItem* item, int column) {
    if (FFilling || column != ColCaption) return;
    const int index = FList->indexOfTopLevelItem(item);
    if (index < 0) return;
    const bool checked = item->checkState(ColCaption) == Qt::Checked;
    if (FFields[size_t(index)].Checked == checked) return;
    FFields[size_t(index)].Checked = checked;
    // Deferred: the list is rebuilt, and the item that reported the change goes with it.
    QMetaObject::invokeMethod(this, [this, index] { Reorder(index); }, Qt::QueuedConnection);
}

void TFormExpExcel::Reorder(int selected) { ShowFields(OrderCheckedFirst(FFields, selected)); }

void TFormExpExcel::UpdateCommands() {
    const bool ready = !Ctx.Shell.IsBusy();
    const int selected = SelectedField();
    const int count = static_cast<int>(FFields.size());
    Command("OpenFile")->setEnabled(ready && FSave->isEnabled());
    Command("SaveFile")->setEnabled(ready && FSave->isEnabled());
    Command("MoveUp")->setEnabled(ready && selected > 0);
    Command("MoveDown")->setEnabled(ready && selected >= 0 && selected < count - 1);
    Command("Rename")->setEnabled(ready && selected >= 0);
}

void TFormExpExcel::MoveUp() { Move(-1); }
void TFormExpExcel::MoveDown() { Move(1); }

void TFormExpExcel::Move(int delta) {
    const int from = SelectedField();
    const int to = from + delta;
    if (from < 0 || to < 0 || to >= static_cast<int>(FFields.size())) return;
    std::swap(FFields[size_t(from)], FFields[size_t(to)]);
    Reorder(to);
}

void TFormExpExcel::Rename() {
    const int index = SelectedField();
    if (index < 0) return;
    TFormExpExcelParam dialog(FFields[size_t(index)], Ctx.Ws.DecimalSeparator(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    FFields[size_t(index)] = dialog.Result();
    ShowFields(index);
}

void TFormExpExcel::OpenFile() {
    const TFileDialogOptions options{"dlgOpenExp", "Загрузить из файла", kParamsFilter, "exp", false};
    const QString file = AskFileName(this, options, ToQ(Ctx.Ws.Paths().Dir.string()));
    if (file.isEmpty()) return;
    TExportSettings s = Result();
    LoadExportSettings(FromQ(file), FInfo.Section, false, s, Ctx.Shell);
    // Shown as loaded: the checked-first order returns with the next change.
    ShowSettings(s);
}

void TFormExpExcel::SaveFile() {
    TFileDialogOptions options{"dlgSaveExp", "Сохранить в файле", kParamsFilter, "exp", true};
    options.ConfirmOverwrite = false;
    const QString file = AskFileName(this, options, ToQ(Ctx.Ws.Paths().Dir.string()));
    if (file.isEmpty()) return;
    SaveExportSettings(FromQ(file), FInfo.Section, Result(), false, Ctx.Shell);
}

void TFormExpExcel::RestoreLayout() {
    try {
        const TIniFile ini = Ctx.Ws.ReadFormState();
        ReadPlacement(*this, ini, kSection, true);
        RestoreListLayout(ini, kSection, {"lvFields", FList->header(), nullptr});
    } catch (const std::exception&) {
        // An unreadable window-state file leaves the dialog as designed.
    }
}

void TFormExpExcel::SaveLayout() {
    try {
        Ctx.Ws.UpdateFormState([this](TIniFile& ini) {
            WritePlacement(*this, ini, kSection);
            SaveListLayout(ini, kSection, {"lvFields", FList->header(), nullptr});
        });
    } catch (const std::exception&) {
        // The layout is a convenience: a window-state file that cannot be written loses it.
    }
}

} // namespace qx
