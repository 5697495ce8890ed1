#include "views/SortableList.h"

#include <QHeaderView>

#include "core/SortRule.h"

namespace qx {

TSortableList::TSortableList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    header()->setSortIndicatorShown(false);
    FSort = new TSortState(header(), [this] { Resort(); });
}

void TSortableList::Resort() {
    if (FSort->Column() < 0) return;
    sortItems(FSort->Column(), FSort->Descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

bool TSortableItem::operator<(const QTreeWidgetItem& other) const {
    int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return CompareSortRows(text(column).toStdString(), other.text(column).toStdString(),
                           text(0).toStdString(), other.text(0).toStdString(), column, false) < 0;
}

} // namespace qx
