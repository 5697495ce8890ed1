#include "views/SortState.h"

#include <QHeaderView>

namespace qx {

TSortState::TSortState(QHeaderView* header, std::function<void()> onChange)
    : QObject(header), FHeader(header), FOnChange(std::move(onChange)) {
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &TSortState::Click);
    ShowIndicator();
}

void TSortState::Set(int column, bool descending) {
    FColumn = column < 0 ? -1 : column;
    FDescending = descending;
    ShowIndicator();
    if (FOnChange) FOnChange();
}

void TSortState::Click(int column) {
    if (column == FColumn)
        Set(column, !FDescending);
    else
        Set(column, false);
}

void TSortState::ShowIndicator() {
    FHeader->setSortIndicatorShown(FColumn >= 0);
    if (FColumn >= 0)
        FHeader->setSortIndicator(FColumn, FDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

} // namespace qx
