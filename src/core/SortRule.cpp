#include "core/SortRule.h"

#include "core/Text.h"

namespace qx {
namespace {

template <class T> int Sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int CompareSortTexts(std::string_view a, std::string_view b) {
    // TryStrToFloat reads "," as the decimal separator too.
    auto x = TryStrToFloat(a);
    auto y = TryStrToFloat(b);
    if (x && y) return Sign(*x, *y);
    return Sign(LowerText(a), LowerText(b));
}

int CompareSortRows(std::string_view a, std::string_view b, std::string_view captionA,
                    std::string_view captionB, int column, bool descending) {
    int r = CompareSortTexts(a, b);
    if (r == 0 && column > 0) r = CompareSortTexts(captionA, captionB);
    return descending ? -r : r;
}

} // namespace qx
