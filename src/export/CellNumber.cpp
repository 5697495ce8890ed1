#include "export/CellNumber.h"

#include <charconv>

namespace qx {
namespace {

constexpr size_t kMaxDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<TCellNumber> CellNumber(std::string_view text, char userSeparator) {
    size_t i = 0;
    const bool plus = !text.empty() && text[0] == '+';
    const bool minus = !text.empty() && text[0] == '-';
    if (plus || minus) ++i;
    const size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    const size_t intDigits = i - intStart;
    if (intDigits == 0 || (intDigits > 1 && text[intStart] == '0')) return std::nullopt;
    size_t decimals = 0;
    if (i < text.size() && (text[i] == '.' || text[i] == userSeparator)) {
        ++i;
        const size_t decStart = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        decimals = i - decStart;
        if (decimals == 0) return std::nullopt;
    }
    if (i != text.size() || intDigits + decimals > kMaxDigits) return std::nullopt;

    std::string plain(text.substr(plus ? 1 : 0));
    if (decimals > 0) plain[intDigits + (minus ? 1 : 0)] = '.';
    TCellNumber number;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), number.Value);
    if (ec != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    if (minus && number.Value == 0) return std::nullopt;
    number.Format = decimals > 0 ? "0." + std::string(decimals, '0') : "0";
    if (plus) number.Format = "+" + number.Format;
    return number;
}

} // namespace qx
