#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace qx {

// Number texts of the statistics table. Real numbers are printed as printf prints the
// extended-precision value ("%.*Lf": the binary value rounded, exact ties to even), with the
// decimal separator given.
//
// The Set...Text functions replace the string's text. Integers and ratios are worked out in
// integers and written straight into the string's own storage, last digit first: a text put
// together in a buffer and copied would be read back before its bytes have settled, which stalls
// the processor on every cell of a table.

// p / q rounded to a whole number, halves to even; q > 0. Exact (no rounding of the quotient).
int64_t RoundRatio(int64_t p, int64_t q);

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

inline char* PutPair(char* end, unsigned pair) {
    end -= 2;
    std::memcpy(end, kDigitPairs.data() + 2 * pair, 2);
    return end;
}

// The decimal digits of v written backwards in front of end; returns where they start.
template <class U>
char* PutDigits(char* end, U v) {
    while (v >= 100) {
        end = PutPair(end, unsigned(v % 100));
        v /= 100;
    }
    if (v >= 10) return PutPair(end, unsigned(v));
    *--end = char('0' + v);
    return end;
}

inline char* PutNumber(char* end, uint64_t v) {
    // Table numbers fit 32 bits, whose divisions are the cheaper ones.
    return v <= UINT32_MAX ? PutDigits(end, uint32_t(v)) : PutDigits(end, v);
}

inline size_t DigitCount(uint64_t v) {
    size_t n = 1;
    for (;; v /= 10000, n += 4) {
        if (v < 10) return n;
        if (v < 100) return n + 1;
        if (v < 1000) return n + 2;
        if (v < 10000) return n + 3;
    }
}

inline uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - uint64_t(v) : uint64_t(v); }

// Makes out n characters long for the caller to fill, and returns them. A short text is made in
// place of the old string: resize or assign here took a third of a whole table's time. Nothing is
// allocated, so nothing can throw between the destruction and the construction.
inline char* TextSpace(std::string& out, size_t n) {
    constexpr size_t kInPlace = 15;
    static_assert(std::string().capacity() >= kInPlace);
    if (n > kInPlace) {
        out.assign(n, '\0');
    } else {
        std::destroy_at(&out);
        std::construct_at(&out, kInPlace, '\0');
        out.erase(n);
    }
    return out.data();
}

// The number with a sign: "-" when negative, "+" when positive and plus is asked for.
inline void SetSignedText(std::string& out, int64_t value, bool plus) {
    const uint64_t magnitude = Magnitude(value);
    const bool sign = value < 0 || (plus && value > 0);
    const size_t n = DigitCount(magnitude) + sign;
    char* text = TextSpace(out, n);
    PutNumber(text + n, magnitude);
    if (sign) text[0] = value < 0 ? '-' : '+';
}

} // namespace detail

inline void SetIntText(std::string& out, int64_t value) { detail::SetSignedText(out, value, false); }
// "+3" when positive, else the plain signed number ("0", "-3").
inline void SetSignedText(std::string& out, int64_t value) { detail::SetSignedText(out, value, true); }
// The text of the extended-precision quotient p / q with decimals places, worked out in integers;
// only an exact decimal tie falls back to printing the binary value.
void SetRatioText(std::string& out, int64_t p, int64_t q, int decimals, char separator);
// printf("%.*Lf") in the "C" locale, with the separator given.
void SetFixedText(std::string& out, long double value, int decimals, char separator);
// A weight with two places; whole numbers are printed without printf.
void SetWeightText(std::string& out, long double weight, char separator);

std::string IntText(int64_t value);
std::string SignedText(int64_t value);
std::string RatioText(int64_t p, int64_t q, int decimals, char separator);
std::string FixedText(long double value, int decimals, char separator);
std::string WeightText(long double weight, char separator);

} // namespace qx
