#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <algorithm>
#include <string>

namespace qx {

// Number texts of the statistics table. Real numbers are printed as printf prints the
// extended-precision value ("%.*Lf": the binary value rounded, exact ties to even), with the
// decimal separator given.
//
// A cell is first worked out as the number its text shows: the digits as one integer with the
// decimal places counted apart. Sorting and filter conditions read that number; the text is
// written from it only when someone asks for it, so both always agree.

namespace detail {

struct TDivMod {
    uint64_t Quotient;
    uint64_t Remainder;
};
// p / q and p % q, q > 0. Below 2^52 from one division of doubles, which the processor does many
// times faster than a 64-bit integer division: the rounded quotient is the true one or one more,
// and the remainder tells which.
inline TDivMod DivMod(uint64_t p, uint64_t q) {
    constexpr uint64_t kExact = uint64_t(1) << 52;
    if (p >= kExact || q >= kExact) return {p / q, p % q};
    uint64_t quotient = static_cast<uint64_t>(static_cast<double>(p) / static_cast<double>(q));
    int64_t remainder = static_cast<int64_t>(p - quotient * q);
    if (remainder < 0) {
        --quotient;
        remainder += static_cast<int64_t>(q);
    }
    return {quotient, static_cast<uint64_t>(remainder)};
}

int64_t RoundRatioSigned(int64_t p, int64_t q);

} // namespace detail

// p / q rounded to a whole number, halves to even; q > 0. Exact (no rounding of the quotient).
inline int64_t RoundRatio(int64_t p, int64_t q) {
    if (p < 0) return detail::RoundRatioSigned(p, q);
    auto [whole, rest] = detail::DivMod(uint64_t(p), uint64_t(q));
    if (2 * rest > uint64_t(q) || (2 * rest == uint64_t(q) && (whole & 1) != 0)) ++whole;
    return int64_t(whole);
}

// Sixteen bytes, so cells travel in registers.
struct TStatCell {
    enum TKind : uint8_t {
        Dash,    // "-"
        Number,  // Digits with Decimals places
        Text     // a real number only printf prints (infinite, not a number, or 2^62 digits and more)
    };
    // Number: the shown digits as one integer (12.50 is 1250 with 2 places). Text: the bits of the
    // extended-precision number, its significand here and its sign and exponent in SignExponent.
    // No member initializers: rows of cells are filled at once, never zeroed first. A cell made
    // with {} is a dash.
    uint64_t Digits;
    uint16_t SignExponent;
    TKind Kind;
    uint8_t Decimals;
    bool Negative;  // a minus sign is shown ("-0.00" too)
    bool Plus;      // a positive whole number is shown with "+"

    bool IsNumber() const { return Kind == Number; }
    // The shown digits with their sign; cells of one column have the same places, so this orders them.
    int64_t Scaled() const { return Negative ? -int64_t(Digits) : int64_t(Digits); }
    // The number the text reads as: the division is rounded once, as reading the text rounds.
    long double Value() const;
    // Whether the text begins with "+" (it then sorts before "-").
    bool LeadingPlus() const { return Kind == Number && Plus && !Negative && Digits != 0; }
    // The number a Text cell prints.
    long double Printed() const;
};
static_assert(sizeof(TStatCell) == 16);

inline TStatCell DashCell() { return {}; }
inline TStatCell IntCell(int64_t value) {
    TStatCell c{};
    c.Kind = TStatCell::Number;
    c.Negative = value < 0;
    c.Digits = c.Negative ? 0 - uint64_t(value) : uint64_t(value);
    return c;
}
// "+3" when positive, else the plain signed number ("0", "-3").
inline TStatCell SignedCell(int64_t value) {
    TStatCell c = IntCell(value);
    c.Plus = true;
    return c;
}
// A real number with decimals places (0..9), rounded exactly as printf rounds it.
TStatCell RealCell(long double value, int decimals);

namespace detail {
inline constexpr uint64_t kCellPow10[] = {1,      10,      100,      1000,      10000,
                                          100000, 1000000, 10000000, 100000000, 1000000000};
}

// The extended-precision quotient p / q with decimals places (0..9), worked out in integers; an
// exact decimal tie is decided by the binary value, as printf decides it.
inline TStatCell RatioCell(int64_t p, int64_t q, int decimals) {
    const uint64_t magnitude = p < 0 ? 0 - uint64_t(p) : uint64_t(p);
    // Small numerators (every table has them) are worked out in integers; others, and a quotient
    // lying exactly half-way, are rounded on their binary value.
    if (q <= 0 || magnitude > (uint64_t(1) << 62) / detail::kCellPow10[9])
        return RealCell(static_cast<long double>(p) / static_cast<long double>(q), decimals);
    auto [whole, rest] = detail::DivMod(magnitude * detail::kCellPow10[decimals], uint64_t(q));
    if (rest * 2 == uint64_t(q)) return RealCell(static_cast<long double>(p) / static_cast<long double>(q), decimals);
    TStatCell c{};
    c.Kind = TStatCell::Number;
    c.Digits = whole + (rest * 2 > uint64_t(q));
    c.Decimals = uint8_t(decimals);
    c.Negative = p < 0;
    return c;
}

// Room a Number or Dash cell's text needs: sign, 20 digits, separator, and the eight bytes past
// the end that the writer may store beyond the text.
inline constexpr size_t kMaxCellNumberText = 32;

namespace detail {

// "00", "01", ... "99" one after another.
inline constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[size_t(2 * i)] = char('0' + i / 10);
        pairs[size_t(2 * i + 1)] = char('0' + i % 10);
    }
    return pairs;
}();

inline constexpr auto kPowersOf10 = [] {
    std::array<uint64_t, 20> p{};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

inline unsigned DigitCount(uint64_t v) {
    const unsigned guess = unsigned(std::bit_width(v | 1) * 1233) >> 12;  // log10 from log2, or one less
    return guess + 1 - (v < kPowersOf10[guess]);
}

// The eight decimal digits of v < 10^8 as characters, the first in the lowest byte: both halves,
// their hundreds and their tens are split in all lanes of one 64-bit word at once.
inline uint64_t EightDigits(uint32_t v) {
    const uint64_t halves = uint64_t(v / 10000) | uint64_t(v % 10000) << 32;
    const uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Full;  // x / 100 for x < 10^4
    const uint64_t pairs = hundreds | (halves - hundreds * 100) << 16;
    const uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000Full;  // x / 10 for x < 100
    return (tens | (pairs - tens * 10) << 8) | 0x3030303030303030ull;
}

char* WriteLongNumberText(const TStatCell& cell, char separator, char* out);
char* WritePrintedText(const TStatCell& cell, char separator, char* out);

} // namespace detail

// Writes the text at out and returns its end. Number and Dash cells need kMaxCellNumberText
// bytes of room, Text cells CellTextLength. The characters are stored where they belong, whole
// words at a time: digits put together elsewhere and copied would be read back before their
// stores settle, which stalls the processor on every cell of a table.
[[gnu::always_inline]] inline char* WriteCellText(const TStatCell& c, char separator, char* out) {
    if (c.Kind == TStatCell::Dash) {
        *out = '-';
        return out + 1;
    }
    if (c.Kind == TStatCell::Text) return detail::WritePrintedText(c, separator, out);
    const unsigned decimals = c.Decimals;
    const unsigned shown = std::max(detail::DigitCount(c.Digits), decimals + 1);
    if (shown > 8) return detail::WriteLongNumberText(c, separator, out);
    *out = c.Negative ? '-' : '+';
    out += c.Negative || c.LeadingPlus();
    const uint64_t digits = detail::EightDigits(uint32_t(c.Digits)) >> (8 * (8 - shown));
    const unsigned whole = shown - decimals;
    std::memcpy(out, &digits, sizeof digits);
    out += whole;
    if (decimals == 0) return out;
    *out++ = separator;
    const uint64_t fraction = digits >> (8 * whole);
    std::memcpy(out, &fraction, sizeof fraction);
    return out + decimals;
}

size_t CellTextLength(const TStatCell& cell);
std::string CellText(const TStatCell& cell, char separator);

std::string IntText(int64_t value);
std::string SignedText(int64_t value);
std::string RatioText(int64_t p, int64_t q, int decimals, char separator);
// printf("%.*Lf") in the "C" locale, with the separator given.
std::string FixedText(long double value, int decimals, char separator);
// A weight: two places.
std::string WeightText(long double weight, char separator);

} // namespace qx
