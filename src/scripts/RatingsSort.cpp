#include "scripts/RatingsSort.h"

#include <algorithm>
#include <utility>

#include "core/Cp1251Case.h"
#include "stakes/StakeRecord.h"

namespace qx {
namespace {

using i128 = __int128;

// Sign of num / den (den > 0) rounded to an integer, halves to the even neighbour.
int RoundedSign(i128 num, i128 den) {
    if (num == 0) return 0;
    const bool negative = num < 0;
    const i128 a = negative ? -num : num;
    const i128 q = a / den, r = a % den;
    i128 rounded = q;
    if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++rounded;
    if (rounded == 0) return 0;
    return negative ? -1 : 1;
}

int Sign(int64_t a, int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

} // namespace

int CompareRatingRows(const TRatingRow& a, const TRatingRow& b, int column) {
    if (a.Stakes <= 0 || b.Stakes <= 0) return 0;
    switch (column) {
    case 0: return CompareTextCp1251(a.RawKey(), b.RawKey());
    case 1: return Sign(a.Stakes, b.Stakes);
    case 2: return Sign(a.Matches, b.Matches);
    case 3:
        // (Ma/Sa - Mb/Sb) * 100 = (Ma*Sb - Mb*Sa) * 100 / (Sa*Sb)
        return RoundedSign((i128{a.Matches} * b.Stakes - i128{b.Matches} * a.Stakes) * 100, i128{a.Stakes} * b.Stakes);
    case 4:
        // money units * 100 = ten-thousandths / 100
        return RoundedSign(i128{a.Profit} - i128{b.Profit}, 100);
    case 5:
        return RoundedSign(i128{MoneyAverage(a.Profit, a.Stakes)} - i128{MoneyAverage(b.Profit, b.Stakes)}, 100);
    case 6:
    case 7:
    case 8:
    case 9:
    case 10: return Sign(a.MatchCounts[column - 6], b.MatchCounts[column - 6]);
    default: return 0;
    }
}

void SortRatingRows(std::vector<TRatingRow>& rows, int column, bool descending) {
    if (column < 0 || column >= kRatingColumnCount || rows.size() < 2) return;
    auto less = [&](const TRatingRow& x, const TRatingRow& y) {
        const int c = CompareRatingRows(x, y, column);
        return descending ? c > 0 : c < 0;
    };
    // Bottom-up merge: a right element goes first only when it is strictly less, so rows that
    // compare equal keep their order whatever the comparison does elsewhere.
    std::vector<TRatingRow> buffer(rows.size());
    std::vector<TRatingRow>* from = &rows;
    std::vector<TRatingRow>* to = &buffer;
    const size_t n = rows.size();
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) (*to)[k++] = less((*from)[j], (*from)[i]) ? (*from)[j++] : (*from)[i++];
            while (i < mid) (*to)[k++] = (*from)[i++];
            while (j < hi) (*to)[k++] = (*from)[j++];
        }
        std::swap(from, to);
    }
    if (from != &rows) rows = std::move(*from);
}

} // namespace qx
