#include "views/grid/GridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QTableView>
#include <algorithm>

#include "views/PageWidgets.h"
#include "views/Tx.h"
#include "views/export/ItemViewSource.h"

namespace qx {

TGridModel::TGridModel(TGridSource source, Qt::Alignment textAlign, QObject* parent)
    : QAbstractTableModel(parent), FSource(std::move(source)), FAlign(textAlign) {
    FRows = std::max(0, FSource.Rows() - 1);
    FColumns = std::max(0, FSource.Columns() - (FSource.HeaderColumn ? 1 : 0));
}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FColumns;
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FRows || index.column() >= FColumns) return {};
    const int column = GridColumn(index.column());
    const int row = GridRow(index.row());
    // The engine may have rebuilt a smaller grid that this model has not taken yet.
    if (row >= FSource.Rows() || column >= FSource.Columns()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return ToQ(FSource.Text(column, row));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(FAlign | Qt::AlignTop);
    case Qt::BackgroundRole:
        if (const std::optional<TColour> c = FSource.Colour(column, row))
            return QBrush(QColor(c->R, c->G, c->B));
        return {};
    case Qt::ForegroundRole:
        // Coloured cells keep dark text whatever the desktop's palette.
        return FSource.Colour(column, row) ? QVariant(QBrush(Qt::black)) : QVariant();
    default:
        return {};
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= FColumns || FSource.Rows() < 1) return {};
        return ToQ(FSource.Text(GridColumn(section), 0));
    }
    if (!FSource.HeaderColumn || section < 0 || section >= FRows || GridRow(section) >= FSource.Rows())
        return {};
    return ToQ(FSource.Text(0, GridRow(section)));
}

void TGridModel::Sync() {
    beginResetModel();
    FRows = std::max(0, FSource.Rows() - 1);
    FColumns = std::max(0, FSource.Columns() - (FSource.HeaderColumn ? 1 : 0));
    endResetModel();
}

void TGridModel::RepaintAll() {
    if (FRows > 0 && FColumns > 0) emit dataChanged(index(0, 0), index(FRows - 1, FColumns - 1));
}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool highlight = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
    const QPalette& palette = option.palette;
    QColor text = palette.color(QPalette::Text);
    if (highlight) {
        painter->fillRect(option.rect, palette.brush(QPalette::Highlight));
        text = palette.color(QPalette::HighlightedText);
    } else {
        const QVariant background = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect,
                          background.isValid() ? background.value<QBrush>() : palette.brush(QPalette::Base));
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (foreground.isValid()) text = foreground.value<QBrush>().color();
    }
    const QString caption = index.data(Qt::DisplayRole).toString();
    if (caption.isEmpty()) return;
    painter->save();
    painter->setPen(text);
    painter->setFont(option.font);
    const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    painter->drawText(option.rect.adjusted(2, 2, -2, 0), int(align), caption);
    painter->restore();
}

QTableView* MakeGridView(const char* name, QWidget* parent, TGridModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setItemDelegate(new TGridCellDelegate(view));
    view->setProperty(kGridHeaderColumn, model->HasHeaderColumn());
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setWordWrap(false);
    view->setShowGrid(true);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(ListRowHeight(view));
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->horizontalHeader()->setStretchLastSection(false);
    return view;
}

TGridRect SelectedGridRect(const QTableView* view) {
    const auto* model = static_cast<const TGridModel*>(view->model());
    const QItemSelection selection = view->selectionModel()->selection();
    if (selection.isEmpty()) return {};
    TGridRect rect{INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& range : selection) {
        rect.Left = std::min(rect.Left, model->GridColumn(range.left()));
        rect.Right = std::max(rect.Right, model->GridColumn(range.right()));
        rect.Top = std::min(rect.Top, model->GridRow(range.top()));
        rect.Bottom = std::max(rect.Bottom, model->GridRow(range.bottom()));
    }
    return rect;
}

} // namespace qx
