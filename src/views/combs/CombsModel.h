#pragma once
#include <QAbstractTableModel>
#include <cstdint>

namespace qx {

class TWorkspace;

// The combinations list straight over the working list: row r is entry r, nothing copied. The
// row count changes only through Sync, so the view never asks for a row the model has not
// announced.
class TCombsModel : public QAbstractTableModel {
public:
    enum TColumn { ColNumber, ColDigit1, ColDigit2, ColDigit3, ColDigit4, ColSum, ColumnCount };

    explicit TCombsModel(const TWorkspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the list's count: another count makes every row new (and drops the selection); the
    // same count with other entries repaints; an unchanged list costs nothing.
    void Sync();
    // The colours changed: every row repaints.
    void RepaintAll();

private:
    const TWorkspace& FWs;
    int FRows = 0;
    uint64_t FRevision = 0;
};

} // namespace qx
