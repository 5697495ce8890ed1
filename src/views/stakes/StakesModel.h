#pragma once
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <optional>

#include "stakes/StakeRecord.h"

namespace qx {

class TWorkspace;

// The stakes grid "sgStakes" over the stakes file: row r is record r, read when a cell is painted
// (the book's one-record cache serves a row's nine cells). Nothing is held in memory. The row
// count changes only through Sync.
class TStakesModel : public QAbstractTableModel {
public:
    explicit TStakesModel(TWorkspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    std::optional<TStakeRecord> Record(int row) const;
    // Takes the file's record count; true when it changed.
    bool Sync();
    void RepaintAll();

private:
    TWorkspace& FWs;
    int FRows = 0;
};

// Draws the staked and the drawn digits one by one, 3 pixels apart; in a checked stake the digits
// whose position matches are bold and blue.
class TStakeDigitsDelegate : public QStyledItemDelegate {
public:
    TStakeDigitsDelegate(const TStakesModel& model, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const TStakesModel& FModel;
};

} // namespace qx
