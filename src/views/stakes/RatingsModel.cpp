#include "views/stakes/RatingsModel.h"

#include "app/ListColumns.h"
#include "app/Workspace.h"
#include "scripts/RatingsSort.h"
#include "scripts/RatingsText.h"
#include "views/PageWidgets.h"
#include "views/Tx.h"

namespace qx {
namespace {

Qt::Alignment ColumnAlignment(int column) {
    return ToQtAlignment(RatingsListColumns()[static_cast<size_t>(column)].Alignment) | Qt::AlignVCenter;
}

} // namespace

TRatingsModel::TRatingsModel(const TWorkspace& ws, QObject* parent) : QAbstractTableModel(parent), FWs(ws) {
    FRows = ws.Ratings().Count();
}

int TRatingsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FRows; }

int TRatingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRatingColumnCount;
}

QVariant TRatingsModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (row < 0 || row >= FWs.Ratings().Count()) return {};
    if (role == Qt::DisplayRole)
        return ToQ(RatingCellText(FWs.Ratings().Row(row), index.column(), FWs.RatingsEffMode(), FWs.DecimalSeparator()));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(index.column()));
    return {};
}

QVariant TRatingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kRatingColumnCount) return {};
    if (role == Qt::DisplayRole) return Tx(kRatingColumnCaptions[section]);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
    return {};
}

void TRatingsModel::Sync() {
    const int rows = FWs.Ratings().Count();
    if (rows != FRows) {
        beginResetModel();
        FRows = rows;
        endResetModel();
    } else if (FRows > 0) {
        emit dataChanged(index(0, 0), index(FRows - 1, kRatingColumnCount - 1));
    }
}

} // namespace qx
