#include "stats/TableSort.h"

#include <algorithm>
#include <numeric>

#include "core/SortRule.h"

namespace qx {
namespace {

std::vector<int> Identity(int rowCount) {
    std::vector<int> order(size_t(std::max(rowCount, 0)));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// A number cell against "-" compares as its text does: only a leading "+" sorts before "-".
int CompareCells(const TStatCell& a, const TStatCell& b) {
    if (a.IsNumber() && b.IsNumber()) return a.Scaled() < b.Scaled() ? -1 : a.Scaled() > b.Scaled() ? 1 : 0;
    if (a.IsNumber()) return a.LeadingPlus() ? -1 : 1;
    if (b.IsNumber()) return b.LeadingPlus() ? 1 : -1;
    return 0;  // both "-"
}

// The stable order of rows by cmp(a, b) (negative, zero, positive), reversed when descending.
template <class Compare>
std::vector<int> StableOrder(int rowCount, bool descending, Compare&& cmp) {
    std::vector<int> order = Identity(rowCount);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = cmp(a, b);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

} // namespace

std::vector<int> SortListRows(int rowCount, int column, bool descending,
                              const std::function<std::string_view(int row, int column)>& text) {
    if (column < 0) return Identity(rowCount);
    std::vector<TSortText> keys, captions;
    keys.reserve(size_t(std::max(rowCount, 0)));
    for (int r = 0; r < rowCount; ++r) keys.push_back(SortTextOf(text(r, column)));
    if (column > 0)
        for (int r = 0; r < rowCount; ++r) captions.push_back(SortTextOf(text(r, 0)));
    return StableOrder(rowCount, descending, [&](int a, int b) {
        int c = CompareSortTexts(keys[size_t(a)], keys[size_t(b)]);
        if (c == 0 && column > 0) c = CompareSortTexts(captions[size_t(a)], captions[size_t(b)]);
        return c;
    });
}

void SortStatTable(TStatTable& table, int column, bool descending) {
    if (column < 0 || column >= kStatColumnCount) return;
    const int n = table.Size();
    auto caption = [&](int r) -> const TSortText& { return table.Rows[size_t(r)].Value->Sort; };
    std::vector<int> order;
    if (column == 0) {
        order = StableOrder(n, descending, [&](int a, int b) { return CompareSortTexts(caption(a), caption(b)); });
    } else {
        std::vector<TStatCell> cells;
        cells.reserve(size_t(n));
        for (int r = 0; r < n; ++r) cells.push_back(table.Cell(r, TStatColumn(column)));
        // A real number only printf can print ("inf") is read from its text like any other text.
        if (std::any_of(cells.begin(), cells.end(), [](const TStatCell& c) { return c.Kind == TStatCell::Text; })) {
            order = SortListRows(n, column, descending, [&](int r, int c) { return table.Text(r, c); });
        } else {
            order = StableOrder(n, descending, [&](int a, int b) {
                const int c = CompareCells(cells[size_t(a)], cells[size_t(b)]);
                return c != 0 ? c : CompareSortTexts(caption(a), caption(b));
            });
        }
    }
    std::vector<TStatTableRow> sorted;
    sorted.reserve(order.size());
    for (int r : order) sorted.push_back(std::move(table.Rows[size_t(r)]));
    table.Rows = std::move(sorted);
}

} // namespace qx
