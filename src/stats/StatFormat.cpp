#include "stats/StatFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "core/Text.h"

namespace qx {

using detail::DigitCount;
using detail::Magnitude;
using detail::PutNumber;
using detail::PutPair;
using detail::TextSpace;

namespace {

constexpr uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// The last count digits of v (leading zeros included) written backwards; v keeps the rest.
char* PutLastDigits(char* end, uint64_t& v, int count) {
    for (; count >= 2; count -= 2) {
        end = PutPair(end, unsigned(v % 100));
        v /= 100;
    }
    if (count == 1) {
        *--end = char('0' + v % 10);
        v /= 10;
    }
    return end;
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

void SetFixedText(std::string& out, long double value, int decimals, char separator) {
    out = FormatReal(value, TRealFormat::Fixed, decimals);
    if (separator != '.') std::replace(out.begin(), out.end(), '.', separator);
}

void SetRatioText(std::string& out, int64_t p, int64_t q, int decimals, char separator) {
    // Small numerators (every table has them) are worked out in 64 bits; others are printed.
    const uint64_t magnitude = Magnitude(p);
    if (q <= 0 || decimals < 0 || decimals > 9 || magnitude > (uint64_t(1) << 62) / kPow10[9])
        return SetFixedText(out, static_cast<long double>(p) / q, decimals, separator);
    const uint64_t scaled = magnitude * kPow10[decimals];
    uint64_t whole = scaled / uint64_t(q);
    const uint64_t twice = (scaled % uint64_t(q)) * 2;
    // A quotient lying exactly half-way is rounded by printf on its binary value.
    if (twice == uint64_t(q)) return SetFixedText(out, static_cast<long double>(p) / q, decimals, separator);
    if (twice > uint64_t(q)) ++whole;
    // Sign, integer part (at least "0"), separator and decimals.
    const size_t digits = std::max(DigitCount(whole), size_t(decimals) + 1);
    const size_t n = (p < 0) + digits + (decimals > 0);
    char* text = TextSpace(out, n);
    char* s = PutLastDigits(text + n, whole, decimals);
    if (decimals > 0) *--s = separator;
    PutNumber(s, whole);
    if (p < 0) text[0] = '-';
}

void SetWeightText(std::string& out, long double weight, char separator) {
    const bool whole = std::isfinite(weight) && weight == std::trunc(weight) && std::fabs(weight) < 1e18L &&
                       !(weight == 0 && std::signbit(weight));
    if (!whole) return SetFixedText(out, weight, 2, separator);
    const auto w = static_cast<int64_t>(weight);
    const size_t n = (w < 0) + DigitCount(Magnitude(w)) + 3;
    char* text = TextSpace(out, n);
    text[n - 3] = separator;
    text[n - 2] = text[n - 1] = '0';
    PutNumber(text + n - 3, Magnitude(w));
    if (w < 0) text[0] = '-';
}

std::string IntText(int64_t value) {
    std::string s;
    SetIntText(s, value);
    return s;
}

std::string SignedText(int64_t value) {
    std::string s;
    SetSignedText(s, value);
    return s;
}

std::string RatioText(int64_t p, int64_t q, int decimals, char separator) {
    std::string s;
    SetRatioText(s, p, q, decimals, separator);
    return s;
}

std::string FixedText(long double value, int decimals, char separator) {
    std::string s;
    SetFixedText(s, value, decimals, separator);
    return s;
}

std::string WeightText(long double weight, char separator) {
    std::string s;
    SetWeightText(s, weight, separator);
    return s;
}

} // namespace qx
