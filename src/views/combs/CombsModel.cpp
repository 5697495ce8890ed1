#include "views/combs/CombsModel.h"

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
    const auto& columns = CombsListColumns();
    return (column >= 0 && column < int(columns.size()) ? ToQtAlignment(columns[size_t(column)].Alignment)
                                                       : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

} // namespace

TCombsModel::TCombsModel(const TWorkspace& ws, QObject* parent) : QAbstractTableModel(parent), FWs(ws) {
    FRows = ws.Combs().Count();
    FRevision = ws.Combs().Revision();
}

int TCombsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TCombsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TCombsModel::data(const QModelIndex& index, int role) const {
    const TCombsArray& combs = FWs.Combs().List();
    const int row = index.row();
    const int column = index.column();
    if (row < 0 || row >= static_cast<int>(combs.size())) return {};
    const TCombCode code = combs[static_cast<size_t>(row)];
    const bool digitColumn = column >= ColDigit1 && column <= ColDigit4;
    switch (role) {
    case Qt::DisplayRole:
        return ToQ(CombsListCell(combs, row, column));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(column));
    case Qt::BackgroundRole: {
        if (!FWs.FormKeys().ColorCombs) return {};
        if (!digitColumn) return QBrush(Qt::white);
        TColour c = ChannelColour(DigitOfCode(code, column - ColDigit1), FWs.Config().ChannelWidth());
        return QBrush(QColor(c.R, c.G, c.B));
    }
    case Qt::ForegroundRole:
        // Coloured cells keep dark text whatever the desktop's palette.
        return FWs.FormKeys().ColorCombs ? QVariant(QBrush(Qt::black)) : QVariant();
    default:
        return {};
    }
}

QVariant TCombsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return Tx(CombsListColumns()[size_t(section)].Caption);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
    return {};
}

void TCombsModel::Sync() {
    const int count = FWs.Combs().Count();
    const uint64_t revision = FWs.Combs().Revision();
    if (count != FRows) {
        beginResetModel();
        FRows = count;
        FRevision = revision;
        endResetModel();
        return;
    }
    if (revision == FRevision) return;
    FRevision = revision;
    RepaintAll();
}

void TCombsModel::RepaintAll() {
    if (FRows > 0) emit dataChanged(index(0, 0), index(FRows - 1, ColumnCount - 1));
}

} // namespace qx
