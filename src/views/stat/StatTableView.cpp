#include "views/stat/StatTableView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <algorithm>

#include "app/ListColumns.h"
#include "app/StatTab.h"
#include "stats/StatTable.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {

TStatTableModel::TStatTableModel(const TStatTab& tab, QObject* parent)
    : QAbstractTableModel(parent), FTab(tab) {}

int TStatTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TStatTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kStatColumnCount;
}

Qt::Alignment TStatTableModel::ColumnAlignment(int column) {
    static const std::vector<TListColumn> columns = StatListColumns(true);
    return column >= 0 && column < int(columns.size()) ? ToQtAlignment(columns[size_t(column)].Alignment)
                                                      : Qt::AlignRight;
}

QVariant TStatTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FRows) return {};
    const TStatTable& table = FTab.Table();
    if (index.row() >= table.Size()) return {};
    switch (role) {
    case Qt::DisplayRole:  // a row's texts are made when it is first painted
        return ToQ(table.Text(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(index.column()) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TStatTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    switch (role) {
    case Qt::DisplayRole:
        return Tx(StatColumnCaption(section));
    case Qt::ToolTipRole:
        return Tx(StatColumnCaption(section));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(section) | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool TStatTableModel::Sync() {
    if (FTab.Revision() == FRevision) return false;
    beginResetModel();
    FRevision = FTab.Revision();
    FRows = static_cast<int>(FTab.Table().Rows.size());
    endResetModel();
    return true;
}

TStatTableView::TStatTableView(const TStatTab& tab, QWidget* parent) : QTableView(parent) {
    FModel = new TStatTableModel(tab, this);
    setModel(FModel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(ListRowHeight(this));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setDefaultSectionSize(TStatTableModel::kColumnWidth);
    horizontalHeader()->resizeSection(0, TStatTableModel::kValueColumnWidth);
    FitHeaderFont(horizontalHeader(), TStatTableModel::kColumnWidth);
    // The selected rows are what the keep and remove commands take: they stay marked while
    // the focus is on a button or a menu.
    QPalette p = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
}

std::vector<int> TStatTableView::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TStatTableView::SelectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    const int last = FModel->columnCount() - 1;
    for (int r : rows)
        if (r >= 0 && r < FModel->rowCount()) selection.select(FModel->index(r, 0), FModel->index(r, last));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void FitHeaderFont(QHeaderView* header, int columnWidth) {
    QAbstractItemModel* model = header->model();
    if (!model) return;
    QStyle* style = header->style();
    // The style keeps a margin on both sides of a caption and, in the sort column, half the
    // header's height and two more margins for the sort mark.
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int room = columnWidth - 4 * margin - header->sizeHint().height() / 2;
    auto fits = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        for (int c = 1; c < model->columnCount(); ++c)
            if (metrics.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) > room)
                return false;
        return true;
    };
    const QFont original = header->font();
    const qreal size = original.pointSizeF() > 0 ? original.pointSizeF() : 9;
    for (qreal s = size; s >= 6; s -= 0.5)
        for (int stretch : {int(QFont::Unstretched), int(QFont::SemiCondensed), int(QFont::Condensed)}) {
            QFont font = original;
            font.setPointSizeF(s);
            font.setStretch(stretch);
            if (fits(font)) {
                if (s != size || stretch != QFont::Unstretched) header->setFont(font);
                return;
            }
        }
}

} // namespace qx
