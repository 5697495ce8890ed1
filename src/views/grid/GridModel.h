#pragma once
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>
#include <string>

#include "app/ViewGrid.h"
#include "core/DrawHelpers.h"

class QTableView;

namespace qx {

// What a grid of the engine shows, in grid coordinates: row 0 heads the columns and, with a header
// column, column 0 heads the rows.
struct TGridSource {
    bool HeaderColumn = false;
    std::function<int()> Columns; // header column included
    std::function<int()> Rows;    // header row included
    std::function<std::string(int column, int row)> Text;
    std::function<std::optional<TColour>(int column, int row)> Colour;
};

// A grid of the engine as a table model: the header row becomes the horizontal header and the
// header column the vertical one, so neither can be selected. Nothing is copied; the size changes
// only through Sync, so the view never asks for a cell the model has not announced.
class TGridModel : public QAbstractTableModel {
public:
    TGridModel(TGridSource source, Qt::Alignment textAlign, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The engine rebuilt the grid: every cell is new.
    void Sync();
    // The colours changed: every cell repaints.
    void RepaintAll();
    bool HasHeaderColumn() const { return FSource.HeaderColumn; }
    int GridColumn(int modelColumn) const { return modelColumn + (FSource.HeaderColumn ? 1 : 0); }
    int GridRow(int modelRow) const { return modelRow + 1; }

private:
    TGridSource FSource;
    Qt::Alignment FAlign;
    int FRows = 0;
    int FColumns = 0;
};

// The cells of the engine's grids: their own background, the highlight colour for the selected
// and the focused cell, the text 2 pixels below the cell's top.
class TGridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A table view for an engine grid: cells selected as one rectangle, fixed row height.
QTableView* MakeGridView(const char* name, QWidget* parent, TGridModel* model);
// The bounding rectangle of the selection in grid coordinates; empty without a selection.
TGridRect SelectedGridRect(const QTableView* view);

} // namespace qx
