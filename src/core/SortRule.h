#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// How sortable lists read a text: with "," read as ".", as a real number when it is one, else as
// the text without regard to letter case.
struct TSortText {
    std::optional<long double> Number;
    std::string Lower;
};
TSortText SortTextOf(std::string_view text);

// How sortable lists order two rows by the texts of one column: when both are numbers they
// compare as numbers, otherwise as texts without regard to letter case. Negative, zero or
// positive like strcmp.
int CompareSortTexts(const TSortText& a, const TSortText& b);
int CompareSortTexts(std::string_view a, std::string_view b);

// The whole row rule: the sort column decides; when its texts are equal in a column other
// than the first, the row captions (column 0) decide. Descending reverses the result.
int CompareSortRows(std::string_view a, std::string_view b, std::string_view captionA,
                    std::string_view captionB, int column, bool descending);

} // namespace qx
