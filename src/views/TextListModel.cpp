#include "views/TextListModel.h"

#include "views/Tx.h"

namespace qx {

TTextListModel::TTextListModel(std::vector<TColumnDef> columns, std::function<int()> rows, TCellText text,
                               QObject* parent)
    : QAbstractTableModel(parent), FColumns(std::move(columns)), FRowsOf(std::move(rows)),
      FText(std::move(text)) {
    FRows = FRowsOf();
}

int TTextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TTextListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TTextListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row(), column = index.column();
    if (row < 0 || row >= FRows || row >= FRowsOf() || column < 0 || column >= columnCount()) return {};
    if (role == Qt::DisplayRole) return ToQ(FText(row, column));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(FColumns[static_cast<size_t>(column)].Align | Qt::AlignVCenter);
    return {};
}

QVariant TTextListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return Tx(FColumns[static_cast<size_t>(section)].Caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(FColumns[static_cast<size_t>(section)].Align | Qt::AlignVCenter);
    return {};
}

void TTextListModel::Sync() {
    const int rows = FRowsOf();
    if (rows != FRows) {
        beginResetModel();
        FRows = rows;
        endResetModel();
    } else if (FRows > 0) {
        emit dataChanged(index(0, 0), index(FRows - 1, columnCount() - 1));
    }
}

} // namespace qx
