#pragma once
#include <QObject>
#include <functional>

class QHeaderView;

namespace qx {

// The sort settings of a sortable list and the header-click rule: a click on another column
// makes it the sort column, ascending; a click on the sort column reverses the direction.
// Column -1 leaves the rows unordered.
class TSortState : public QObject {
public:
    TSortState(QHeaderView* header, std::function<void()> onChange);

    int Column() const { return FColumn; }
    bool Descending() const { return FDescending; }
    void Set(int column, bool descending);
    void Click(int column);

private:
    void ShowIndicator();

    QHeaderView* FHeader;
    std::function<void()> FOnChange;
    int FColumn = -1;
    bool FDescending = false;
};

} // namespace qx
