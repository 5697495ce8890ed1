#include "views/dialogs/FormManager.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "core/IniFile.h"
#include "views/DialogButtons.h"
#include "views/FileDialogs.h"
#include "core/Shell.h"
#include "views/Tx.h"
#include "views/dialogs/FormFilterHelp.h"

namespace qx {
namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kNodeRole = Qt::UserRole + 1;

// A check box drawn into an icon, ticked or empty.
QIcon CheckIcon(bool ticked) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 12, 12));
    if (ticked) {
        p.setPen(QPen(QColor(0, 110, 0), 2));
        p.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(6.5, 11), QPointF(12, 4)}));
    }
    return QIcon(pixmap);
}

const TFileDialogOptions kNamesFileOpen{"dlgNamesImport", "Импорт названий", "Наименования фильтров (*.flt)", "flt",
                                        false};
const TFileDialogOptions kNamesFileSave{"dlgNamesExport", "Экспорт названий", "Наименования фильтров (*.flt)", "flt",
                                        true};

} // namespace

TFormManager::TFormManager(TWorkspace& ws, QWidget* parent) : QDialog(parent), Ws(ws) {
    setObjectName("TFormManager");
    setWindowTitle(Tx("Менеджер избранных методов расчета статистики"));
    FForm = FavouritesFormOf(ws.Stats());
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(Tx("Отметьте методы расчета статистики, которые Вы хотите использовать:"), this), 1);
    FCount = new QLabel(this);
    FCount->setObjectName("lbCount");
    top->addWidget(FCount);
    layout->addLayout(top);

    FTree = new QTreeWidget(this);
    FTree->setObjectName("tvFilters");
    FTree->setHeaderHidden(true);
    FTree->setContextMenuPolicy(Qt::ActionsContextMenu);
    layout->addWidget(FTree, 1);

    auto* buttons = new QHBoxLayout;
    auto bind = [&](const char* name, const char* caption, QAction* action) {
        auto* b = new QPushButton(Tx(caption), this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, b, [b, action] { b->setEnabled(action->isEnabled()); });
        buttons->addWidget(b);
    };
    AddAction("GroupNone", "Сбросить группу", [this] { TickGroup(false); });
    AddAction("GroupAll", "Выбрать группу", [this] { TickGroup(true); });
    AddAction("CheckNone", "Сбросить все", [this] { TickAll(false); });
    AddAction("CheckAll", "Выбрать все", [this] { TickAll(true); });
    AddSeparator();
    QAction* info = AddAction("Info", "Описание", [this] { Info(); });
    QAction* rename = AddAction("Rename", "Переименовать", [this] { Rename(); });
    QAction* resetName = AddAction("ResetName", "Вернуть", [this] { ResetName(); });
    AddSeparator();
    AddAction("NamesImport", "Импорт названий", [this] { Import(); });
    AddAction("NamesExport", "Экспорт названий", [this] { Export(); });
    bind("btnRename", "Переименовать", rename);
    bind("btnResetName", "Вернуть", resetName);
    bind("btnInfo", "Описание", info);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto* options = new QGroupBox(Tx("Параметры вывода наименований в списках методов расчета статистики"), this);
    auto* box = new QVBoxLayout(options);
    auto check = [&](const char* name, const char* caption, bool value) {
        auto* c = new QCheckBox(Tx(caption), options);
        c->setObjectName(name);
        c->setChecked(value);
        box->addWidget(c);
        return c;
    };
    FSortOnName = check("cbSortOnName", "Сортировать списки по названию метода", FForm.Ordered);
    FShowGroupName = check("cbShowGroupName", "Отображать идентификатор группы { xxx } перед названием метода",
                           FForm.ShowGroupName);
    FShowFlags = check("cbShowFlags", "Отображать особенности метода [ YYY ] после названия метода",
                       FForm.ShowMethodFlags);
    layout->addWidget(options);
    layout->addWidget(MakeOkCancelButtons(this));

    connect(FTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { Toggle(item); });
    connect(FTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { Toggle(item); });
    connect(FTree, &QTreeWidget::currentItemChanged, this, [this] { UpdateActions(); });
    AskName = [this](const QString& text) -> std::optional<QString> {
        QInputDialog* box = MakeRenameBox(text);
        const bool ok = box->exec() == QDialog::Accepted;
        const QString value = box->textValue();
        box->deleteLater();
        return ok ? std::optional(value) : std::nullopt;
    };
    AskFile = [this](bool save) {
        return AskFileName(this, save ? kNamesFileSave : kNamesFileOpen, QString::fromStdString(Ws.Paths().Dir.string()));
    };
    BuildTree();
    resize(560, 620);
}

QAction* TFormManager::AddAction(const char* name, const char* caption, std::function<void()> run) {
    auto* action = new QAction(Tx(caption), this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    FTree->addAction(action);
    return action;
}

void TFormManager::AddSeparator() {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    FTree->addAction(separator);
}

QAction* TFormManager::Action(const char* name) const { return findChild<QAction*>(name); }

void TFormManager::BuildTree() {
    FTree->clear();
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    for (int g = 0; g < int(FForm.Groups.size()); ++g) {
        const TFavouriteGroup& group = FForm.Groups[size_t(g)];
        auto* top = new QTreeWidgetItem(FTree, {QString::fromStdString(group.Title)});
        top->setIcon(0, folder);
        top->setData(0, kGroupRole, g);
        top->setData(0, kNodeRole, -1);
        for (int n = 0; n < int(group.Methods.size()); ++n) {
            auto* item = new QTreeWidgetItem(top);
            item->setData(0, kGroupRole, g);
            item->setData(0, kNodeRole, n);
            ShowNode(item);
        }
    }
    FTree->expandAll();
    FCount->setText(Tx(FForm.CountText()));
    UpdateActions();
}

void TFormManager::ShowNode(QTreeWidgetItem* item) {
    const int g = item->data(0, kGroupRole).toInt(), n = item->data(0, kNodeRole).toInt();
    if (n < 0) return;
    const TFavouriteNode& node = FForm.Groups[size_t(g)].Methods[size_t(n)];
    item->setText(0, QString::fromStdString(node.Text));
    item->setIcon(0, CheckIcon(node.Ticked));
}

std::pair<int, int> TFormManager::Selected() const {
    const QTreeWidgetItem* item = FTree->currentItem();
    if (!item) return {-1, -1};
    return {item->data(0, kGroupRole).toInt(), item->data(0, kNodeRole).toInt()};
}

void TFormManager::UpdateActions() {
    const auto [group, node] = Selected();
    const bool busy = Ws.Shell().IsBusy();
    Action("GroupNone")->setEnabled(group >= 0);
    Action("GroupAll")->setEnabled(group >= 0);
    Action("CheckNone")->setEnabled(!FForm.Empty());
    Action("CheckAll")->setEnabled(!FForm.Empty());
    for (const char* name : {"Info", "Rename", "ResetName"}) Action(name)->setEnabled(node >= 0);
    Action("NamesImport")->setEnabled(!busy);
    Action("NamesExport")->setEnabled(!busy);
}

void TFormManager::Toggle(QTreeWidgetItem* item) {
    if (!item || item->data(0, kNodeRole).toInt() < 0) return;
    FForm.Toggle(item->data(0, kGroupRole).toInt(), item->data(0, kNodeRole).toInt());
    ShowNode(item);
}

void TFormManager::TickGroup(bool ticked) {
    const int group = Selected().first;
    if (group < 0) return;
    FForm.TickGroup(group, ticked);
    QTreeWidgetItem* top = FTree->topLevelItem(group);
    for (int i = 0; i < top->childCount(); ++i) ShowNode(top->child(i));
}

void TFormManager::TickAll(bool ticked) {
    FForm.TickAll(ticked);
    for (int g = 0; g < FTree->topLevelItemCount(); ++g)
        for (int i = 0; i < FTree->topLevelItem(g)->childCount(); ++i) ShowNode(FTree->topLevelItem(g)->child(i));
}

QInputDialog* TFormManager::MakeRenameBox(const QString& text) {
    auto* box = new QInputDialog(this);
    box->setObjectName("dlgRename");
    box->setWindowTitle(Tx("Переименование"));
    box->setLabelText(Tx("Введите наименование фильтра:"));
    box->setTextValue(text);
    return box;
}

void TFormManager::Rename() {
    const auto [group, node] = Selected();
    if (node < 0) return;
    TFavouriteNode& n = FForm.Groups[size_t(group)].Methods[size_t(node)];
    const std::optional<QString> name = AskName(QString::fromStdString(n.Text));
    if (!name) return;
    n.Text = name->toStdString();
    ShowNode(FTree->currentItem());
}

void TFormManager::ResetName() {
    const auto [group, node] = Selected();
    if (node < 0) return;
    TFavouriteNode& n = FForm.Groups[size_t(group)].Methods[size_t(node)];
    const TStatMethod& m = Ws.Stats().Items(n.Method);
    n.Text = m.StatClass->Name(m.Param);
    ShowNode(FTree->currentItem());
}

void TFormManager::Info() {
    const auto [group, node] = Selected();
    if (node < 0) return;
    const TStatList& stats = Ws.Stats();
    const int method = FForm.Groups[size_t(group)].Methods[size_t(node)].Method;
    TFormFilterHelp dialog(stats.Items(method).HelpUrl(stats.HelpFile), stats.HelpFile, Ws.Shell(), this);
    dialog.exec();
}

void TFormManager::Import() {
    const QString file = AskFile(false);
    if (file.isEmpty()) return;
    RunCommand(Ws.Shell(), [&] {
        Ws.ImportNames(file.toStdString());
        // The names come from the registry; the ticks and options stay as the user left them.
        const TFavouritesForm fresh = FavouritesFormOf(Ws.Stats());
        for (size_t g = 0; g < FForm.Groups.size(); ++g)
            for (size_t n = 0; n < FForm.Groups[g].Methods.size(); ++n)
                FForm.Groups[g].Methods[n].Text = fresh.Groups[g].Methods[n].Text;
        BuildTree();
    });
}

void TFormManager::Export() {
    const QString file = AskFile(true);
    if (file.isEmpty()) return;
    RunCommand(Ws.Shell(), [&] { Ws.ExportNames(file.toStdString(), &FForm); });
}

void TFormManager::SelectMethod(int method) {
    for (int g = 0; g < FTree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* top = FTree->topLevelItem(g);
        for (int i = 0; i < top->childCount(); ++i)
            if (FForm.Groups[size_t(g)].Methods[size_t(i)].Method == method) FTree->setCurrentItem(top->child(i));
    }
}

TFavouritesForm TFormManager::Result() const {
    TFavouritesForm form = FForm;
    form.Ordered = FSortOnName->isChecked();
    form.ShowGroupName = FShowGroupName->isChecked();
    form.ShowMethodFlags = FShowFlags->isChecked();
    return form;
}

} // namespace qx
