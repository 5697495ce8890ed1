#pragma once
#include <QPointer>

#include "export/ExportSource.h"

class QAbstractItemModel;
class QAbstractItemView;
class QHeaderView;

namespace qx {

// A grid whose column 0 is its vertical header (the row captions of the layout scheme and the
// week) carries this property set to true.
inline constexpr const char* kGridHeaderColumn = "gridHeaderColumn";

// Any list or grid of the window as an export source: a model-based list (QTableView over a
// model, a TSortableList or another QTreeWidget) or a grid whose row 0 is its horizontal
// header (and, with kGridHeaderColumn, whose column 0 is its vertical header). Texts are what the
// view's model shows; widths and hidden columns come from the header.
class TItemViewSource : public TExportSource {
public:
    TItemViewSource(QAbstractItemView* view, TExportVariant variant);

    TExportVariant Variant() const override { return FVariant; }
    std::string Name() const override;
    int RowCount() const override;
    bool MultiSelect() const override;
    std::vector<int> Selection() const override;
    int ColumnCount() const override;
    TSourceColumn Column(int column) const override;
    std::string CellText(int row, int column) const override;

private:
    bool IsGrid() const { return FVariant != TExportVariant::List; }
    bool HasHeaderColumn() const;
    QAbstractItemModel* Model() const;
    QHeaderView* Header() const;
    std::string HeaderText(int column) const;

    QPointer<QAbstractItemView> FView;
    TExportVariant FVariant;
};

} // namespace qx
