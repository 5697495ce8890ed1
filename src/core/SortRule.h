#pragma once
#include <string_view>

namespace qx {

// How sortable lists order two rows by the texts of one column: each text, with "," read as
// ".", is taken as a real number; when both are numbers they compare as numbers, otherwise as
// texts without regard to letter case. Negative, zero or positive like strcmp.
int CompareSortTexts(std::string_view a, std::string_view b);

// The whole row rule: the sort column decides; when its texts are equal in a column other
// than the first, the row captions (column 0) decide. Descending reverses the result.
int CompareSortRows(std::string_view a, std::string_view b, std::string_view captionA,
                    std::string_view captionB, int column, bool descending);

} // namespace qx
