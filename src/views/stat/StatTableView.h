#pragma once
#include <QAbstractTableModel>
#include <QTableView>
#include <cstdint>
#include <vector>

namespace qx {

class TStatTab;

// The statistics table of the engine's statistics tab, row for row in the engine's order: the
// engine sorts, the list only shows. Nothing is copied; the rows change only through Sync.
class TStatTableModel : public QAbstractTableModel {
public:
    explicit TStatTableModel(const TStatTab& tab, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the engine's table when it changed since the last call; true when it did.
    bool Sync();

    // Alignment of each column: the value on the left, figures on the right, draws centred.
    static Qt::Alignment ColumnAlignment(int column);
    static constexpr int kColumnWidth = 80;
    static constexpr int kValueColumnWidth = 120;

private:
    const TStatTab& FTab;
    int FRows = 0;
    uint64_t FRevision = UINT64_MAX;
};

// The list "lvDrawsStat": several rows selectable, grid lines, the selection kept visible when
// the list loses the focus, column captions in a font narrow enough for the fixed widths.
class TStatTableView : public QTableView {
public:
    TStatTableView(const TStatTab& tab, QWidget* parent);
    TStatTableModel* Model() const { return FModel; }
    // Selected rows, ascending.
    std::vector<int> SelectedRows() const;
    // Selects exactly these rows (out-of-range ones are ignored).
    void SelectRows(const std::vector<int>& rows);

private:
    TStatTableModel* FModel;
};

// The largest font, no larger than the header's own, in which every caption of the header fits
// its column together with the sort mark. Narrow fixed columns stay legible this way.
void FitHeaderFont(QHeaderView* header, int columnWidth);

} // namespace qx
