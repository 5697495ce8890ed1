#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qx {

// Number texts of the statistics table. Real numbers are printed as printf prints the
// extended-precision value ("%.*Lf": the binary value rounded, exact ties to even), with the
// decimal separator given.

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

inline uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - uint64_t(v) : uint64_t(v); }

} // namespace detail

// Writes number texts into its own buffer and gives them as views into it, valid until the next
// one. Integers and ratios are written backwards from the last digit, without working out their
// length first and without printf.
class TNumberText {
public:
    // Every text lies in the buffer with at least kSpare of the buffer's bytes from its start on,
    // so a reader may copy that many at once.
    static constexpr size_t kSpare = 16;

    std::string_view Int(int64_t value) { return Signed(value, false); }
    // "+3" when positive, else the plain signed number ("0", "-3").
    std::string_view Signed(int64_t value) { return Signed(value, true); }
    // The text of the extended-precision quotient p / q with decimals places, worked out in
    // integers; only an exact decimal tie falls back to printing the binary value.
    std::string_view Ratio(int64_t p, int64_t q, int decimals, char separator);
    // printf("%.*Lf") with the separator.
    std::string_view Fixed(long double value, int decimals, char separator);
    // A weight with two places; whole numbers are printed without printf.
    std::string_view Weight(long double weight, char separator);

private:
    static constexpr size_t kSize = 128;
    static constexpr size_t kEnd = 64;  // where backwards texts end
    char* End() { return FBuf.data() + kEnd; }
    std::string_view From(const char* start) { return {start, size_t(End() - start)}; }
    std::string_view Signed(int64_t value, bool plus) {
        char* s = detail::PutNumber(End(), detail::Magnitude(value));
        if (value < 0) *--s = '-';
        if (plus && value > 0) *--s = '+';
        return From(s);
    }

    std::array<char, kSize> FBuf;
};

std::string IntText(int64_t value);
std::string RatioText(int64_t p, int64_t q, int decimals, char separator);
std::string FixedText(long double value, int decimals, char separator);
std::string WeightText(long double weight, char separator);
std::string SignedText(int64_t value);

} // namespace qx
