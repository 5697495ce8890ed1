#include "stats/StatFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/Text.h"

namespace qx {
namespace {

static_assert(std::numeric_limits<long double>::digits == 64, "exact rounding reads a 64-bit significand");

constexpr uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
// Largest shown digits: Scaled() must fit a signed 64-bit number with room to spare.
constexpr uint64_t kMaxDigits = uint64_t(1) << 62;

// "00", "01", ... "99" one after another.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[size_t(2 * i)] = char('0' + i / 10);
        pairs[size_t(2 * i + 1)] = char('0' + i % 10);
    }
    return pairs;
}();

size_t DigitCount(uint64_t v) {
    size_t n = 1;
    for (;; v /= 10000, n += 4) {
        if (v < 10) return n;
        if (v < 100) return n + 1;
        if (v < 1000) return n + 2;
        if (v < 10000) return n + 3;
    }
}

// The last count digits of v (leading zeros included) written backwards in front of end; v keeps
// the rest.
char* PutLastDigits(char* end, uint64_t& v, size_t count) {
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, kDigitPairs.data() + 2 * (v % 100), 2);
        v /= 100;
    }
    if (count == 1) {
        *--end = char('0' + v % 10);
        v /= 10;
    }
    return end;
}

uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - uint64_t(v) : uint64_t(v); }

TStatCell NumberCell(uint64_t digits, int decimals, bool negative) {
    TStatCell c;
    c.Kind = TStatCell::Number;
    c.Digits = digits;
    c.Decimals = uint8_t(decimals);
    c.Negative = negative;
    return c;
}

TStatCell TextCell(long double value, int decimals) {
    TStatCell c;
    c.Kind = TStatCell::Text;
    c.Real = value;
    c.Decimals = uint8_t(decimals);
    return c;
}

// Sign, integer part (at least "0"), separator and decimals.
size_t NumberLength(const TStatCell& c) {
    const size_t digits = std::max(DigitCount(c.Digits), size_t(c.Decimals) + 1);
    return (c.Negative || c.LeadingPlus()) + digits + (c.Decimals > 0);
}

std::string PrintedText(const TStatCell& c, char separator) {
    std::string s = FormatReal(c.Real, TRealFormat::Fixed, c.Decimals);
    if (separator != '.') std::replace(s.begin(), s.end(), '.', separator);
    return s;
}

} // namespace

int64_t RoundRatio(int64_t p, int64_t q) {
    int64_t whole = p / q, rem = p % q;
    if (rem < 0) {  // floor division
        --whole;
        rem += q;
    }
    if (2 * rem > q || (2 * rem == q && (whole & 1) != 0)) ++whole;
    return whole;
}

long double TStatCell::Value() const {
    return static_cast<long double>(Scaled()) / static_cast<long double>(kPow10[Decimals]);
}

TStatCell DashCell() { return {}; }

TStatCell IntCell(int64_t value) { return NumberCell(Magnitude(value), 0, value < 0); }

TStatCell SignedCell(int64_t value) {
    TStatCell c = IntCell(value);
    c.Plus = true;
    return c;
}

TStatCell RatioCell(int64_t p, int64_t q, int decimals) {
    const uint64_t magnitude = Magnitude(p);
    // Small numerators (every table has them) are worked out in 64 bits.
    if (q <= 0 || magnitude > kMaxDigits / kPow10[9])
        return RealCell(static_cast<long double>(p) / static_cast<long double>(q), decimals);
    const uint64_t scaled = magnitude * kPow10[decimals];
    uint64_t whole = scaled / uint64_t(q);
    const uint64_t twice = (scaled % uint64_t(q)) * 2;
    // A quotient lying exactly half-way is rounded on its binary value.
    if (twice == uint64_t(q)) return RealCell(static_cast<long double>(p) / static_cast<long double>(q), decimals);
    if (twice > uint64_t(q)) ++whole;
    return NumberCell(whole, decimals, p < 0);
}

TStatCell RealCell(long double value, int decimals) {
    if (!std::isfinite(value)) return TextCell(value, decimals);
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1), or 0
    if (fraction == 0) return NumberCell(0, decimals, std::signbit(value));
    // |value| * 10^decimals = significand * 10^decimals * 2^(exponent - 64), worked out exactly.
    const auto significand = static_cast<uint64_t>(std::ldexp(fraction, 64));
    const unsigned __int128 product = static_cast<unsigned __int128>(significand) * kPow10[decimals];
    const int shift = 64 - exponent;
    if (shift <= 0) return TextCell(value, decimals);  // 2^63 or more
    unsigned __int128 digits = 0;
    if (shift < 128) {
        const unsigned __int128 one = 1;
        digits = product >> shift;
        const unsigned __int128 rest = product & ((one << shift) - 1), half = one << (shift - 1);
        if (rest > half || (rest == half && (digits & 1) != 0)) ++digits;
    }
    if (digits > kMaxDigits) return TextCell(value, decimals);
    return NumberCell(uint64_t(digits), decimals, value < 0);
}

size_t CellTextLength(const TStatCell& c) {
    switch (c.Kind) {
    case TStatCell::Dash: return 1;
    case TStatCell::Number: return NumberLength(c);
    case TStatCell::Text: return PrintedText(c, '.').size();
    }
    return 0;
}

char* WriteCellText(const TStatCell& c, char separator, char* out) {
    if (c.Kind == TStatCell::Dash) {
        *out = '-';
        return out + 1;
    }
    if (c.Kind == TStatCell::Text) {
        const std::string s = PrintedText(c, separator);
        std::memcpy(out, s.data(), s.size());
        return out + s.size();
    }
    const size_t n = NumberLength(c);
    uint64_t v = c.Digits;
    char* s = PutLastDigits(out + n, v, c.Decimals);
    if (c.Decimals > 0) *--s = separator;
    // The integer part: at least one digit.
    s = PutLastDigits(s, v, v == 0 ? 1 : DigitCount(v));
    if (c.Negative)
        out[0] = '-';
    else if (c.LeadingPlus())
        out[0] = '+';
    return out + n;
}

std::string CellText(const TStatCell& c, char separator) {
    if (c.Kind == TStatCell::Text) return PrintedText(c, separator);
    std::string s(CellTextLength(c), '\0');
    WriteCellText(c, separator, s.data());
    return s;
}

std::string IntText(int64_t value) { return CellText(IntCell(value), '.'); }

std::string SignedText(int64_t value) { return CellText(SignedCell(value), '.'); }

std::string RatioText(int64_t p, int64_t q, int decimals, char separator) {
    return CellText(RatioCell(p, q, decimals), separator);
}

std::string FixedText(long double value, int decimals, char separator) {
    return CellText(RealCell(value, decimals), separator);
}

std::string WeightText(long double weight, char separator) { return FixedText(weight, 2, separator); }

} // namespace qx
