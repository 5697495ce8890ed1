#include "stats/TableSort.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>

#include "core/Text.h"

namespace qx {
namespace {

struct TSortText {
    std::optional<long double> Number;
    std::string Lower;
};

TSortText SortTextOf(std::string_view text) {
    return {TryStrToFloat(text), LowerText(text)};  // TryStrToFloat reads "," as "."
}

int Compare(const TSortText& a, const TSortText& b) {
    if (a.Number && b.Number) return *a.Number < *b.Number ? -1 : *a.Number > *b.Number ? 1 : 0;
    // A number against a text compares as text.
    const int c = a.Lower.compare(b.Lower);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace

std::vector<int> SortListRows(int rowCount, int column, bool descending,
                              const std::function<std::string_view(int row, int column)>& text) {
    std::vector<int> order(size_t(std::max(rowCount, 0)));
    std::iota(order.begin(), order.end(), 0);
    if (column < 0) return order;
    std::vector<TSortText> keys, captions;
    keys.reserve(order.size());
    for (int r = 0; r < rowCount; ++r) keys.push_back(SortTextOf(text(r, column)));
    if (column > 0)
        for (int r = 0; r < rowCount; ++r) captions.push_back(SortTextOf(text(r, 0)));
    auto cmp = [&](int a, int b) {
        int c = Compare(keys[size_t(a)], keys[size_t(b)]);
        if (c == 0 && column > 0) c = Compare(captions[size_t(a)], captions[size_t(b)]);
        return descending ? c > 0 : c < 0;
    };
    std::stable_sort(order.begin(), order.end(), cmp);
    return order;
}

void SortStatTable(TStatTable& table, int column, bool descending) {
    if (column >= kStatColumnCount) return;
    const std::vector<int> order = SortListRows(static_cast<int>(table.Rows.size()), column, descending,
                                                [&](int r, int c) -> std::string_view {
                                                    return table.Rows[size_t(r)].Text[size_t(c)];
                                                });
    std::vector<TStatTableRow> sorted;
    sorted.reserve(order.size());
    for (int r : order) sorted.push_back(std::move(table.Rows[size_t(r)]));
    table.Rows = std::move(sorted);
}

} // namespace qx
