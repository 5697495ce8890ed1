#pragma once
#include <QAbstractTableModel>

namespace qx {

class TWorkspace;

// The rating list "lvRatings" straight over the ratings: row r is rating row r in the current
// order; texts by the efficiency mode and the user's decimal separator.
class TRatingsModel : public QAbstractTableModel {
public:
    explicit TRatingsModel(const TWorkspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the ratings' row count (a new count makes every row new); the same count repaints.
    void Sync();

private:
    const TWorkspace& FWs;
    int FRows = 0;
};

} // namespace qx
