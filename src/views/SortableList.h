#pragma once
#include <QTreeWidget>

#include "views/SortState.h"

namespace qx {

// A list that holds its items and sorts them by the program's rule: numbers as numbers,
// other texts without regard to letter case, equal texts decided by the row captions.
class TSortableList : public QTreeWidget {
public:
    explicit TSortableList(QWidget* parent = nullptr);
    TSortState& Sort() { return *FSort; }
    // Re-applies the sort settings (after the items changed).
    void Resort();

private:
    TSortState* FSort;
};

// The item type the list's rows must use for the rule to apply.
class TSortableItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override;
};

} // namespace qx
