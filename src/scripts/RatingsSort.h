#pragma once
#include <vector>

#include "scripts/RatingRow.h"

namespace qx {

inline constexpr int kRatingColumnCount = 16;

// The rating list's comparison of two rows by a column (negative, zero, positive): rows without
// stakes equal everything; the key in locale order; counts; averages and money differing by
// half a hundredth or less compare equal (the difference times 100, rounded half to even); the
// efficiency columns are all equal. It is no strict weak order, so only SortRatingRows uses it.
int CompareRatingRows(const TRatingRow& a, const TRatingRow& b, int column);

// One stable merge sort by the comparison (descending negates it); an invalid column or fewer
// than two rows leave the order as it is.
void SortRatingRows(std::vector<TRatingRow>& rows, int column, bool descending);

} // namespace qx
