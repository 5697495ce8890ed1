#include "core/SortRule.h"

#include "core/Text.h"

namespace qx {
namespace {

template <class T> int Sign(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

TSortText SortTextOf(std::string_view text) {
    // TryStrToFloat reads "," as the decimal separator too.
    return {TryStrToFloat(text), LowerText(text)};
}

int CompareSortTexts(const TSortText& a, const TSortText& b) {
    if (a.Number && b.Number) return Sign(*a.Number, *b.Number);
    return Sign(a.Lower, b.Lower);
}

int CompareSortTexts(std::string_view a, std::string_view b) { return CompareSortTexts(SortTextOf(a), SortTextOf(b)); }

int CompareSortRows(std::string_view a, std::string_view b, std::string_view captionA,
                    std::string_view captionB, int column, bool descending) {
    int r = CompareSortTexts(a, b);
    if (r == 0 && column > 0) r = CompareSortTexts(captionA, captionB);
    return descending ? -r : r;
}

} // namespace qx
