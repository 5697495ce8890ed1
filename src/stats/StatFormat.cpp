#include "stats/StatFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace qx {
namespace {

constexpr uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// Writes whole, with decimals digits after the separator, in front of end; returns the start.
char* WriteScaled(char* end, uint64_t whole, int decimals, char separator, bool negative) {
    char* s = end;
    for (int i = 0; i < decimals; ++i) {
        *--s = char('0' + whole % 10);
        whole /= 10;
    }
    if (decimals > 0) *--s = separator;
    do {
        *--s = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (negative) *--s = '-';
    return s;
}

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

size_t WriteInt(char* buf, int64_t value) {
    return size_t(std::to_chars(buf, buf + kNumberTextSize, value).ptr - buf);
}

size_t WriteFixed(char* buf, long double value, int decimals, char separator) {
    const int n = std::snprintf(buf, kNumberTextSize, "%.*Lf", decimals, value);
    const size_t len = n > 0 ? std::min<size_t>(size_t(n), kNumberTextSize - 1) : 0;
    if (separator != '.') std::replace(buf, buf + len, '.', separator);
    return len;
}

size_t WriteRatio(char* buf, int64_t p, int64_t q, int decimals, char separator) {
    // Small numerators (every table has them) stay in 64 bits; others take 128.
    const uint64_t magnitude = p < 0 ? 0 - uint64_t(p) : uint64_t(p);
    if (q <= 0 || decimals < 0 || decimals > 9 || magnitude > (uint64_t(1) << 62) / kPow10[9])
        return WriteFixed(buf, static_cast<long double>(p) / q, decimals, separator);
    const uint64_t scaled = magnitude * kPow10[decimals];
    uint64_t whole = scaled / uint64_t(q);
    const uint64_t twice = (scaled % uint64_t(q)) * 2;
    // A quotient lying exactly half-way is rounded by printf on its binary value.
    if (twice == uint64_t(q)) return WriteFixed(buf, static_cast<long double>(p) / q, decimals, separator);
    if (twice > uint64_t(q)) ++whole;
    char tmp[64];
    char* end = tmp + sizeof tmp;
    const char* s = WriteScaled(end, whole, decimals, separator, p < 0);
    std::copy(s, static_cast<const char*>(end), buf);
    return size_t(end - s);
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
