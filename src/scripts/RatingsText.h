#pragma once
#include <string>
#include <vector>

#include "scripts/RatingRow.h"

namespace qx {

// Efficiency modes of the columns E0..E4.
enum TRatingsEffMode {
    remExpected = 0,  // "Ожидаемые значения совпадений": rnd(stakes * p(i))
    remAbsolute = 1,  // "Абсолютные значения эффективности": observed minus expected share, %
    remRelative = 2,  // "Относительные значения эффективности": observed as a share of expected, %
};
inline constexpr int kRatingsEffModeCount = 3;

inline constexpr const char* kBadRatingRow = "# bad data #";
// "Комментарий", "Ставок", ... "E4".
extern const char* const kRatingColumnCaptions[16];

// The text of a list cell. Averages and efficiencies are empty for a row without stakes; a row
// that cannot be shown gives "# bad data #" as its caption and nothing else. Every figure is
// exact: integers and money are never taken through floating point.
std::string RatingCellText(const TRatingRow& row, int column, int effMode, char separator);

// The CSV export: the sixteen captions quoted, then per row the quoted key and eleven values,
// ";" between fields, CR LF after every line (UTF-8 here; the file is Windows-1251).
std::string RatingsCsvText(const std::vector<TRatingRow>& rows, char separator);

// "%.Nf" of num / den (den != 0), halves away from zero, exact.
std::string FixedRatio(__int128 num, __int128 den, int decimals, char separator);

} // namespace qx
