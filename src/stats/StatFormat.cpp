#include "stats/StatFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace qx {
namespace {

constexpr uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

std::string TextOf(size_t (*write)(char*, int64_t), int64_t v) {
    char buf[kNumberTextSize];
    return std::string(buf, write(buf, v));
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

size_t WriteFixed(char* buf, long double value, int decimals, char separator) {
    const int n = std::snprintf(buf, kNumberTextSize, "%.*Lf", decimals, value);
    const size_t len = n > 0 ? std::min<size_t>(size_t(n), kNumberTextSize - 1) : 0;
    if (separator != '.') std::replace(buf, buf + len, '.', separator);
    return len;
}

size_t WriteRatio(char* buf, int64_t p, int64_t q, int decimals, char separator) {
    // Small numerators (every table has them) are worked out in 64 bits; others are printed.
    const uint64_t magnitude = p < 0 ? 0 - uint64_t(p) : uint64_t(p);
    if (q <= 0 || decimals < 0 || decimals > 9 || magnitude > (uint64_t(1) << 62) / kPow10[9])
        return WriteFixed(buf, static_cast<long double>(p) / q, decimals, separator);
    const uint64_t scaled = magnitude * kPow10[decimals];
    uint64_t whole = scaled / uint64_t(q);
    const uint64_t twice = (scaled % uint64_t(q)) * 2;
    // A quotient lying exactly half-way is rounded by printf on its binary value.
    if (twice == uint64_t(q)) return WriteFixed(buf, static_cast<long double>(p) / q, decimals, separator);
    if (twice > uint64_t(q)) ++whole;
    char* s = buf;
    if (p < 0) *s++ = '-';
    // The decimals first, last digit first; what is left of whole is the integer part.
    char fraction[16] = {};
    for (int i = decimals - 1; i >= 0; --i) {
        fraction[i] = char('0' + whole % 10);
        whole /= 10;
    }
    s = std::to_chars(s, buf + kNumberTextSize, whole).ptr;
    if (decimals == 0) return size_t(s - buf);
    *s++ = separator;
    std::memcpy(s, fraction, sizeof fraction);  // the buffer has room for all sixteen
    return size_t(s + decimals - buf);
}

size_t WriteWeight(char* buf, long double weight, char separator) {
    const bool whole = std::isfinite(weight) && weight == std::trunc(weight) && std::fabs(weight) < 1e18L &&
                       !(weight == 0 && std::signbit(weight));
    if (!whole) return WriteFixed(buf, weight, 2, separator);
    size_t n = WriteInt(buf, static_cast<int64_t>(weight));
    buf[n++] = separator;
    buf[n++] = '0';
    buf[n++] = '0';
    return n;
}

std::string IntText(int64_t value) { return TextOf(WriteInt, value); }

std::string RatioText(int64_t p, int64_t q, int decimals, char separator) {
    char buf[kNumberTextSize];
    return std::string(buf, WriteRatio(buf, p, q, decimals, separator));
}

std::string FixedText(long double value, int decimals, char separator) {
    char buf[kNumberTextSize];
    return std::string(buf, WriteFixed(buf, value, decimals, separator));
}

std::string WeightText(long double weight, char separator) {
    char buf[kNumberTextSize];
    return std::string(buf, WriteWeight(buf, weight, separator));
}

std::string SignedText(int64_t value) { return value > 0 ? "+" + IntText(value) : IntText(value); }

} // namespace qx
