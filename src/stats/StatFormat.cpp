#include "stats/StatFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Text.h"

namespace qx {
namespace {

// The extended-precision format: a 64-bit significand with an explicit leading bit, then the
// sign and a 15-bit exponent biased by 16383.
static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "cells read the bits of the x87 extended format");
constexpr int kExponentBias = 16383;
constexpr uint16_t kExponentMask = 0x7FFF;

constexpr const uint64_t* kPow10 = detail::kCellPow10;
// Largest shown digits: Scaled() must fit a signed 64-bit number with room to spare.
constexpr uint64_t kMaxDigits = uint64_t(1) << 62;

TStatCell NumberCell(uint64_t digits, int decimals, bool negative) {
    TStatCell c{};
    c.Kind = TStatCell::Number;
    c.Digits = digits;
    c.Decimals = uint8_t(decimals);
    c.Negative = negative;
    return c;
}

TStatCell TextCell(uint64_t significand, uint16_t signExponent, int decimals) {
    TStatCell c{};
    c.Kind = TStatCell::Text;
    c.Digits = significand;
    c.SignExponent = signExponent;
    c.Decimals = uint8_t(decimals);
    return c;
}

std::string PrintedText(const TStatCell& c, char separator) {
    std::string s = FormatReal(c.Printed(), TRealFormat::Fixed, c.Decimals);
    if (separator != '.') std::replace(s.begin(), s.end(), '.', separator);
    return s;
}

} // namespace

int64_t detail::RoundRatioSigned(int64_t p, int64_t q) {
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

long double TStatCell::Printed() const {
    long double value = 0;
    std::memcpy(&value, &Digits, sizeof Digits);
    std::memcpy(reinterpret_cast<char*>(&value) + sizeof Digits, &SignExponent, sizeof SignExponent);
    return value;
}

TStatCell RealCell(long double value, int decimals) {
    uint64_t significand = 0;
    uint16_t signExponent = 0;
    std::memcpy(&significand, &value, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&value) + sizeof significand, sizeof signExponent);
    const bool negative = (signExponent & 0x8000) != 0;
    const int exponent = signExponent & kExponentMask;
    if (exponent == kExponentMask) return TextCell(significand, signExponent, decimals);  // infinite, not a number
    // |value| = significand * 2^(exponent - bias - 63) (subnormals: exponent 1), so
    // |value| * 10^decimals is worked out exactly and rounded half to even.
    const int shift = kExponentBias + 63 - std::max(exponent, 1);
    if (shift <= 0) return TextCell(significand, signExponent, decimals);  // 2^63 or more
    const unsigned __int128 product = static_cast<unsigned __int128>(significand) * kPow10[decimals];
    unsigned __int128 digits = 0;
    if (shift < 128) {
        const unsigned __int128 one = 1;
        digits = product >> shift;
        const unsigned __int128 rest = product & ((one << shift) - 1), half = one << (shift - 1);
        if (rest > half || (rest == half && (digits & 1) != 0)) ++digits;
    }
    if (digits > kMaxDigits) return TextCell(significand, signExponent, decimals);
    return NumberCell(uint64_t(digits), decimals, negative);
}

char* detail::WriteLongNumberText(const TStatCell& c, char separator, char* out) {
    const unsigned digits = std::max(DigitCount(c.Digits), unsigned(c.Decimals) + 1);
    const bool sign = c.Negative || c.LeadingPlus();
    char* const end = out + sign + digits + (c.Decimals > 0);
    uint64_t v = c.Digits;
    auto putLast = [&v](char* e, unsigned count) {
        for (; count >= 2; count -= 2) {
            e -= 2;
            std::memcpy(e, kDigitPairs.data() + 2 * (v % 100), 2);
            v /= 100;
        }
        if (count == 1) {
            *--e = char('0' + v % 10);
            v /= 10;
        }
        return e;
    };
    char* p = putLast(end, c.Decimals);
    if (c.Decimals > 0) *--p = separator;
    putLast(p, digits - c.Decimals);
    if (sign) *out = c.Negative ? '-' : '+';
    return end;
}

char* detail::WritePrintedText(const TStatCell& c, char separator, char* out) {
    const std::string s = PrintedText(c, separator);
    std::memcpy(out, s.data(), s.size());
    return out + s.size();
}

size_t CellTextLength(const TStatCell& c) {
    if (c.Kind == TStatCell::Text) return PrintedText(c, '.').size();
    char buf[kMaxCellNumberText];
    return size_t(WriteCellText(c, '.', buf) - buf);
}

std::string CellText(const TStatCell& c, char separator) {
    if (c.Kind == TStatCell::Text) return PrintedText(c, separator);
    char buf[kMaxCellNumberText];
    return std::string(buf, WriteCellText(c, separator, buf));
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
