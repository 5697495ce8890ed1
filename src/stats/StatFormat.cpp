#include "stats/StatFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qx {
namespace {
constexpr uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
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

std::string FixedText(long double value, int decimals, char separator) {
    char buf[128];
    int n = std::snprintf(buf, sizeof buf, "%.*Lf", decimals, value);
    std::string s(buf, n > 0 ? std::min<size_t>(size_t(n), sizeof buf - 1) : 0);
    if (separator != '.')
        for (char& c : s)
            if (c == '.') c = separator;
    return s;
}

std::string RatioText(int64_t p, int64_t q, int decimals, char separator) {
    if (q <= 0 || decimals < 0 || decimals > 9) return FixedText(static_cast<long double>(p) / q, decimals, separator);
    const bool negative = p < 0;
    const unsigned __int128 scaled =
        static_cast<unsigned __int128>(negative ? -static_cast<__int128>(p) : p) * kPow10[decimals];
    unsigned __int128 whole = scaled / static_cast<uint64_t>(q);
    const unsigned __int128 twice = (scaled % static_cast<uint64_t>(q)) * 2;
    // A quotient lying exactly half-way is rounded by printf on its binary value.
    if (twice == static_cast<unsigned __int128>(q)) return FixedText(static_cast<long double>(p) / q, decimals, separator);
    if (twice > static_cast<unsigned __int128>(q)) ++whole;
    char buf[64];
    char* end = buf + sizeof buf;
    char* s = end;
    for (int i = 0; i < decimals; ++i) {
        *--s = char('0' + int(whole % 10));
        whole /= 10;
    }
    if (decimals > 0) *--s = separator;
    do {
        *--s = char('0' + int(whole % 10));
        whole /= 10;
    } while (whole != 0);
    if (negative) *--s = '-';
    return std::string(s, end);
}

std::string WeightText(long double weight, char separator) {
    const bool whole = std::isfinite(weight) && weight == std::trunc(weight) && std::fabs(weight) < 1e18L &&
                       !(weight == 0 && std::signbit(weight));
    if (!whole) return FixedText(weight, 2, separator);
    std::string s = IntText(static_cast<int64_t>(weight));
    s += separator;
    s += "00";
    return s;
}

std::string IntText(int64_t value) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string SignedText(int64_t value) { return value > 0 ? "+" + IntText(value) : IntText(value); }

} // namespace qx
