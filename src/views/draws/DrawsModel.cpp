#include "views/draws/DrawsModel.h"

#include <QBrush>
#include <QColor>

#include "app/ListColumns.h"
#include "app/Workspace.h"
#include "core/DrawHelpers.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

Qt::Alignment ColumnAlignment(int column) {
    const auto& columns = DrawsListColumns();
    return (column >= 0 && column < int(columns.size()) ? ToQtAlignment(columns[size_t(column)].Alignment)
                                                       : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

QColor CurrentRowColour() {
    return QColor(TDrawsModel::kCurrentRowColour[0], TDrawsModel::kCurrentRowColour[1],
                  TDrawsModel::kCurrentRowColour[2]);
}

} // namespace

TDrawsModel::TDrawsModel(const TWorkspace& ws, QObject* parent) : QAbstractTableModel(parent), FWs(ws) {
    FRows = ws.Archive().Count();
}

int TDrawsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TDrawsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TDrawsModel::data(const QModelIndex& index, int role) const {
    const TDrawsArray& draws = FWs.ViewDraws();
    const int count = static_cast<int>(draws.size());
    const int row = index.row();
    const int column = index.column();
    if (row < 0 || row >= count) return {};
    const TDrawRecord& d = draws[static_cast<size_t>(count - 1 - row)];
    const bool digitColumn = column >= ColDigit1 && column <= ColDigit4;
    switch (role) {
    case Qt::DisplayRole:
        // The texts the export and the command-line tool give too (no locale digit grouping).
        return ToQ(DrawsListCell(draws, row, column));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(column));
    case Qt::BackgroundRole: {
        const bool current = row == FWs.DrawsOffset();
        if (digitColumn && FWs.FormKeys().ColorDraws) {
            TColour c = ChannelColour(d.Digits[column - ColDigit1], FWs.Config().ChannelWidth());
            return QBrush(QColor(c.R, c.G, c.B));
        }
        if (current) return QBrush(CurrentRowColour());
        if (FWs.FormKeys().ColorDraws) return QBrush(Qt::white);
        return {};
    }
    case Qt::ForegroundRole: {
        // Coloured cells keep dark text whatever the desktop's palette.
        const bool coloured = row == FWs.DrawsOffset() || FWs.FormKeys().ColorDraws;
        return coloured ? QVariant(QBrush(Qt::black)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant TDrawsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return Tx(DrawsListColumns()[size_t(section)].Caption);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
    return {};
}

void TDrawsModel::Sync(bool force) {
    const int count = FWs.Archive().Count();
    if (count == FRows) {
        // Same length: the rows stay (and the selection with them), their contents repaint.
        if (force) RepaintAll();
        return;
    }
    beginResetModel();
    FRows = count;
    endResetModel();
}

void TDrawsModel::RepaintAll() {
    if (FRows > 0) emit dataChanged(index(0, 0), index(FRows - 1, ColumnCount - 1));
}

void TDrawsModel::RepaintRow(int row) {
    if (row >= 0 && row < FRows) emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace qx
