#include "stats/StatFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace qx {

using detail::Magnitude;
using detail::PutNumber;
using detail::PutPair;

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

std::string_view TNumberText::Fixed(long double value, int decimals, char separator) {
    const int n = std::snprintf(FBuf.data(), kSize, "%.*Lf", decimals, value);
    const size_t len = n > 0 ? std::min<size_t>(size_t(n), kSize - 1) : 0;
    if (separator != '.') std::replace(FBuf.data(), FBuf.data() + len, '.', separator);
    return {FBuf.data(), len};
}

std::string_view TNumberText::Ratio(int64_t p, int64_t q, int decimals, char separator) {
    // Small numerators (every table has them) are worked out in 64 bits; others are printed.
    const uint64_t magnitude = Magnitude(p);
    if (q <= 0 || decimals < 0 || decimals > 9 || magnitude > (uint64_t(1) << 62) / kPow10[9])
        return Fixed(static_cast<long double>(p) / q, decimals, separator);
    const uint64_t scaled = magnitude * kPow10[decimals];
    uint64_t whole = scaled / uint64_t(q);
    const uint64_t twice = (scaled % uint64_t(q)) * 2;
    // A quotient lying exactly half-way is rounded by printf on its binary value.
    if (twice == uint64_t(q)) return Fixed(static_cast<long double>(p) / q, decimals, separator);
    if (twice > uint64_t(q)) ++whole;
    char* s = End();
    if (decimals > 0) {
        s = PutLastDigits(s, whole, decimals);
        *--s = separator;
    }
    s = PutNumber(s, whole);
    if (p < 0) *--s = '-';
    return From(s);
}

std::string_view TNumberText::Weight(long double weight, char separator) {
    const bool whole = std::isfinite(weight) && weight == std::trunc(weight) && std::fabs(weight) < 1e18L &&
                       !(weight == 0 && std::signbit(weight));
    if (!whole) return Fixed(weight, 2, separator);
    char* s = End() - 3;
    s[0] = separator;
    s[1] = s[2] = '0';
    const auto w = static_cast<int64_t>(weight);
    s = PutNumber(s, Magnitude(w));
    if (w < 0) *--s = '-';
    return From(s);
}

std::string IntText(int64_t value) { return std::string(TNumberText().Int(value)); }

std::string RatioText(int64_t p, int64_t q, int decimals, char separator) {
    return std::string(TNumberText().Ratio(p, q, decimals, separator));
}

std::string FixedText(long double value, int decimals, char separator) {
    return std::string(TNumberText().Fixed(value, decimals, separator));
}

std::string WeightText(long double weight, char separator) { return std::string(TNumberText().Weight(weight, separator)); }

std::string SignedText(int64_t value) { return std::string(TNumberText().Signed(value)); }

} // namespace qx
