#include "views/export/ItemViewSource.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTreeView>
#include <algorithm>

namespace qx {
namespace {

TFieldAlignment AlignmentOf(const QVariant& value) {
    if (!value.isValid()) return kAlignLeft;
    const Qt::Alignment a = Qt::Alignment(value.toInt());
    if (a & Qt::AlignRight) return kAlignRight;
    if (a & Qt::AlignHCenter) return kAlignCenter;
    return kAlignLeft;
}

} // namespace

TItemViewSource::TItemViewSource(QAbstractItemView* view, TExportVariant variant) : FView(view), FVariant(variant) {}

QAbstractItemModel* TItemViewSource::Model() const { return FView ? FView->model() : nullptr; }

QHeaderView* TItemViewSource::Header() const {
    if (auto* table = qobject_cast<QTableView*>(FView.data())) return table->horizontalHeader();
    if (auto* tree = qobject_cast<QTreeView*>(FView.data())) return tree->header();
    return nullptr;
}

std::string TItemViewSource::Name() const { return FView ? FView->objectName().toStdString() : std::string(); }

int TItemViewSource::RowCount() const {
    QAbstractItemModel* model = Model();
    const int rows = model ? model->rowCount() : 0;
    return IsGrid() ? rows + 1 : rows;
}

bool TItemViewSource::MultiSelect() const {
    if (!FView) return false;
    const auto mode = FView->selectionMode();
    return mode == QAbstractItemView::ExtendedSelection || mode == QAbstractItemView::MultiSelection ||
           mode == QAbstractItemView::ContiguousSelection;
}

std::vector<int> TItemViewSource::Selection() const {
    std::vector<int> rows;
    QItemSelectionModel* selection = FView ? FView->selectionModel() : nullptr;
    if (!selection) return rows;
    for (const QModelIndex& index : selection->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!IsGrid()) return rows;
    // A grid always has a selection: at least the current cell. Its rows count from 1.
    if (rows.empty() && FView->currentIndex().isValid()) rows.push_back(FView->currentIndex().row());
    if (rows.empty()) return rows;
    return {rows.front() + 1, rows.back() + 1};
}

bool TItemViewSource::HasHeaderColumn() const {
    return IsGrid() && FView && FView->property(kGridHeaderColumn).toBool();
}

int TItemViewSource::ColumnCount() const {
    QAbstractItemModel* model = Model();
    return model ? model->columnCount() + (HasHeaderColumn() ? 1 : 0) : 0;
}

std::string TItemViewSource::HeaderText(int column) const {
    QAbstractItemModel* model = Model();
    return model ? model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toStdString() : "";
}

TSourceColumn TItemViewSource::Column(int column) const {
    TSourceColumn c;
    QAbstractItemModel* model = Model();
    if (!model) return c;
    if (HasHeaderColumn()) {
        if (column == 0) {
            c.Alignment = kAlignCenter;
            if (auto* table = qobject_cast<QTableView*>(FView.data())) c.PixelWidth = table->verticalHeader()->width();
            return c;
        }
        --column;
    }
    c.Caption = HeaderText(column);
    QVariant alignment = model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole);
    if (!alignment.isValid() && model->rowCount() > 0)
        alignment = model->data(model->index(0, column), Qt::TextAlignmentRole);
    c.Alignment = AlignmentOf(alignment);
    if (QHeaderView* header = Header()) c.PixelWidth = header->isSectionHidden(column) ? 0 : header->sectionSize(column);
    return c;
}

std::string TItemViewSource::CellText(int row, int column) const {
    QAbstractItemModel* model = Model();
    if (!model) return {};
    if (HasHeaderColumn()) {
        if (column == 0)
            return row == 0 ? std::string()
                            : model->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString().toStdString();
        --column;
    }
    if (IsGrid()) {
        if (row == 0) return HeaderText(column);
        --row;
    }
    return model->data(model->index(row, column), Qt::DisplayRole).toString().toStdString();
}

} // namespace qx
