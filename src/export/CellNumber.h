#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// A cell text that is a plain number as the program prints it, with the number format that
// shows it the same way in the spreadsheet ("0", "0.00", "+0.0").
struct TCellNumber {
    double Value = 0;
    std::string Format;
};

// An optional sign, digits without a superfluous leading zero, one optional decimal part after
// "." or the user's separator, at most 15 digits in all (so the value is exact). Anything else
// ("-", "0012", "1;2;3;4", labels, a negative zero the spreadsheet would show unsigned) stays
// text: none.
std::optional<TCellNumber> CellNumber(std::string_view text, char userSeparator);

} // namespace qx
