#include "views/pages/SystemsPage.h"

#include <QDialog>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "app/SystemForm.h"
#include "app/Workspace.h"
#include "online/CatalogueText.h"
#include "views/Commands.h"
#include "views/FlowLayout.h"
#include "views/PageWidgets.h"
#include "views/QtShell.h"
#include "views/SortableList.h"
#include "views/Tx.h"
#include "views/dialogs/FormStake.h"
#include "views/dialogs/FormSystem.h"

namespace qx {
namespace {

enum TSystemColumn {
    scTitle,
    scAuthor,
    scNums,
    scBlock,
    scCSize,
    scCreated,
    scStatus,
    scDownloads,
    scLast,
    scDescr,
    scUrl
};

// A row's icon: the colour says whose the system is (own, another's, nobody's), a filled disc a
// fetched system, a ring one that is not on this computer.
QIcon SystemIcon(TSystemOwner owner, bool loaded) {
    static QIcon icons[3][2];
    QIcon& icon = icons[static_cast<int>(owner)][loaded ? 1 : 0];
    if (!icon.isNull()) return icon;
    const QColor colours[3] = {QColor(0, 150, 0), QColor(30, 90, 200), QColor(128, 128, 128)};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = colours[static_cast<int>(owner)];
    painter.setPen(QPen(colour, 2));
    painter.setBrush(loaded ? QBrush(colour) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    painter.end();
    icon = QIcon(pixmap);
    return icon;
}

std::string Number(int value, const char* format = "%d") {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

TSystemsPage::TSystemsPage(TPageContext& context, QWidget* parent) : TViewPage(context, "tsSystems", parent) {
    TFlowLayout* row = AddPanel("pnlSystems");
    AddButtons(row, {{"Загрузить", "SystemsDownload"},
                     {"Обновить", "SystemsRefresh"},
                     {"Добавить", "SystemsAdd"},
                     {"Свойства", "SystemsProp"},
                     {"Удалить", "SystemsDel"}});
    const Qt::Alignment C = Qt::AlignHCenter;
    FList = MakeSortableList("lvSystems", this,
                             {{"Название", 200},
                              {"Автор", 150},
                              {"Числа", 60, C},
                              {"Блок", 60, C},
                              {"Комбинаций", 80, Qt::AlignRight},
                              {"Дата создания", 100, C},
                              {"Статус", 80, C},
                              {"Загрузок", 70, C},
                              {"Последняя", 100, C},
                              {"Комментарии", 200},
                              {"Ссылка", 200}});
    FList->Sort().Set(2, false);
    FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(FList, &QTreeWidget::itemDoubleClicked, this, [this] { Ctx.Commands.Trigger("SystemsProp"); });
    AddContent(FList);
    RegisterCommands();
}

std::vector<TPersistentList> TSystemsPage::PersistentLists() {
    return {{"lvSystems", FList->header(), &FList->Sort()}};
}

void TSystemsPage::RegisterCommands() {
    TWorkspace& ws = Ctx.Ws;
    auto playable = [&ws] { return ws.SystemsEnabled() && ws.Combs().Count() > 0 && ws.StakesOpen(); };
    auto shown = [&ws] { return ws.SystemsEnabled(); };
    Ctx.Commands.Register("SystemStakeAll",
                          {[this] { Play(TSystemPlayMode::WholeSystem); }, playable, nullptr, shown});
    Ctx.Commands.Register("SystemStakeFilter",
                          {[this] { Play(TSystemPlayMode::ListedOnly); }, playable, nullptr, shown});
    auto selected = [this, shown] { return shown() && !SelectedRows().empty(); };
    auto entry = [this, shown] {
        const size_t row = CurrentRow();
        return shown() && row < Ctx.Ws.SystemsCatalogue().Rows().size() &&
               !Ctx.Ws.SystemsCatalogue().Rows()[row].Placeholder();
    };
    auto own = [this, shown] { return shown() && Ctx.Ws.SystemsOwner(CurrentRow()) == TSystemOwner::Own; };
    Ctx.Commands.Register("SystemsRefresh", {[this] { Reload(); }, shown, nullptr, nullptr});
    Ctx.Commands.Register("SystemsDownload", {[this] { Download(); }, selected, nullptr, nullptr});
    Ctx.Commands.Register("SystemsAdd", {[this] { Add(); }, shown, nullptr, nullptr});
    Ctx.Commands.Register("SystemsProp", {[this] { Properties(); }, entry, nullptr, nullptr});
    Ctx.Commands.Register("SystemsDel", {[this] { Delete(); }, own, nullptr, nullptr});
}

void TSystemsPage::TabToggled(bool visible) {
    if (visible)
        Reload();
    else
        ShowRows({});
}

std::vector<size_t> TSystemsPage::SelectedRows() const {
    std::vector<size_t> rows;
    for (int i = 0; i < FList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = FList->topLevelItem(i);
        if (item->isSelected()) rows.push_back(item->data(0, Qt::UserRole).toULongLong());
    }
    return rows;
}

std::vector<int32_t> TSystemsPage::SelectedIds() const {
    std::vector<int32_t> ids;
    const auto& rows = Ctx.Ws.SystemsCatalogue().Rows();
    for (size_t row : SelectedRows())
        if (row < rows.size()) ids.push_back(rows[row].Info.Id);
    return ids;
}

size_t TSystemsPage::CurrentRow() const {
    const QTreeWidgetItem* item = FList->currentItem();
    if (!item || !item->isSelected()) {
        const std::vector<size_t> rows = SelectedRows();
        return rows.empty() ? SIZE_MAX : rows.front();
    }
    return item->data(0, Qt::UserRole).toULongLong();
}

void TSystemsPage::ShowRows(const std::vector<int32_t>& selectIds) {
    const std::string mail = Ctx.Ws.CatalogueUserMail();
    const auto& rows = Ctx.Ws.SystemsCatalogue().Rows();
    FList->setUpdatesEnabled(false);
    FList->clear();
    QTreeWidgetItem* last = nullptr;
    for (size_t i = 0; i < rows.size(); ++i) {
        const TSystemRow& row = rows[i];
        const tSystemInfo& s = row.Info;
        auto* item = new TSortableItem;
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        const bool real = !row.Placeholder();
        const std::string texts[] = {s.Title,
                                     s.Author,
                                     real ? Number(s.Nums, "%.2d") : "",
                                     real ? Number(s.Block) : "",
                                     real ? Number(s.CombinationsCount) : "",
                                     FormatCatalogueDate(s.Created),
                                     row.Loaded ? kSystemLoadedText : "",
                                     real ? Number(s.Downloads) : "",
                                     FormatCatalogueDate(s.LastDownload),
                                     s.Description,
                                     s.Url};
        for (int c = 0; c <= scUrl; ++c) {
            item->setText(c, ToQ(texts[c]));
            if (c >= scNums && c <= scLast)
                item->setTextAlignment(c, Qt::Alignment(c == scCSize ? Qt::AlignRight : Qt::AlignHCenter));
        }
        if (real) item->setIcon(0, SystemIcon(SystemOwner(s, mail), row.Loaded));
        FList->addTopLevelItem(item);
        if (std::find(selectIds.begin(), selectIds.end(), s.Id) != selectIds.end()) {
            item->setSelected(true);
            last = item;
        }
    }
    FList->Resort();
    if (last) {
        FList->setCurrentItem(last, 0, QItemSelectionModel::NoUpdate);
        FList->scrollToItem(last);
    }
    FList->setUpdatesEnabled(true);
    Ctx.Commands.Evaluate();
}

void TSystemsPage::Reload() {
    const std::vector<int32_t> ids = SelectedIds();
    Ctx.Ws.SystemsLoad();
    ShowRows(ids);
}

void TSystemsPage::Download() {
    const size_t current = CurrentRow();
    Ctx.Ws.SystemsDownload(SelectedRows());
    // Fetched rows are deselected, except the focused one.
    const auto& rows = Ctx.Ws.SystemsCatalogue().Rows();
    ShowRows(current < rows.size() ? std::vector<int32_t>{rows[current].Info.Id} : std::vector<int32_t>{});
}

void TSystemsPage::Add() {
    TFormSystem dialog(Ctx.Shell, Ctx.Ws.SystemsNewData(), false, Ctx.Window);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::optional<size_t> row = Ctx.Ws.SystemsAdd(dialog.Result());
    if (!row) return;
    ShowRows({Ctx.Ws.SystemsCatalogue().Rows()[*row].Info.Id});
}

void TSystemsPage::Properties() {
    const size_t row = CurrentRow();
    const std::optional<tSystemData> data = Ctx.Ws.SystemsData(row);
    if (!data) return;
    const bool own = Ctx.Ws.SystemsOwner(row) == TSystemOwner::Own;
    TFormSystem dialog(Ctx.Shell, *data, !own, Ctx.Window);
    if (dialog.exec() != QDialog::Accepted || !own) return;
    if (Ctx.Ws.SystemsChange(row, dialog.Result())) ShowRows({Ctx.Ws.SystemsCatalogue().Rows()[row].Info.Id});
}

void TSystemsPage::Delete() {
    const std::vector<int32_t> ids = SelectedIds();
    if (Ctx.Ws.SystemsDelete(CurrentRow())) ShowRows(ids);
}

void TSystemsPage::Play(TSystemPlayMode mode) {
    const auto system = Ctx.Ws.SystemPrepare();
    if (!system) return;
    const auto draw = static_cast<int32_t>(std::min<int64_t>(Ctx.Ws.ProposedStakeDraw(), INT32_MAX));
    TFormMulti dialog(Ctx.Shell, draw, Ctx.Window,
                      SystemPlayComment(mode, static_cast<int>(system->Map.size()), system->FileName));
    if (dialog.exec() != QDialog::Accepted) return;
    Ctx.Ws.SystemPlay(mode, *system, dialog.DrawNumber(), dialog.DrawsCount(), dialog.Comment());
}

} // namespace qx
