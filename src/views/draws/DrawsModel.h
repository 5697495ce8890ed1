#pragma once
#include <QAbstractTableModel>

namespace qx {

class TWorkspace;

// The draws list straight over the archive: newest first (row r shows archive index High - r),
// nothing copied. The row count changes only through Sync, so the view never asks for a row the
// model has not announced.
class TDrawsModel : public QAbstractTableModel {
public:
    enum TColumn { ColNumber, ColDigit1, ColDigit2, ColDigit3, ColDigit4, ColSum, ColDate, ColumnCount };
    static constexpr int kCurrentRowColour[3] = {255, 170, 170};

    explicit TDrawsModel(const TWorkspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the archive's length: another length makes every row new; with force and the same
    // length the rows repaint.
    void Sync(bool force);
    // Colours, the sorted view or the current draw changed: every row repaints.
    void RepaintAll();
    void RepaintRow(int row);

private:
    const TWorkspace& FWs;
    int FRows = 0;
};

} // namespace qx
