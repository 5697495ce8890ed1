#pragma once
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qx {

// Number texts of the statistics table. Real numbers are printed as printf prints the
// extended-precision value ("%.*Lf": the binary value rounded, exact ties to even), with the
// decimal separator given.

// p / q rounded to a whole number, halves to even; q > 0. Exact (no rounding of the quotient).
int64_t RoundRatio(int64_t p, int64_t q);

// Writers into a buffer of at least kNumberTextSize characters; they return the length.
inline constexpr size_t kNumberTextSize = 128;
inline size_t WriteInt(char* buf, int64_t value) {
    // The table's counts and draw numbers fit 32 bits, whose conversion is the shorter one.
    if (value >= 0 && value <= int64_t(UINT32_MAX))
        return size_t(std::to_chars(buf, buf + kNumberTextSize, uint32_t(value)).ptr - buf);
    return size_t(std::to_chars(buf, buf + kNumberTextSize, value).ptr - buf);
}
// The text of the extended-precision quotient p / q with decimals places, worked out in integers;
// only an exact decimal tie falls back to printing the binary value.
size_t WriteRatio(char* buf, int64_t p, int64_t q, int decimals, char separator);
// printf("%.*Lf") with the separator.
size_t WriteFixed(char* buf, long double value, int decimals, char separator);
// A weight with two places; whole numbers are printed without printf.
size_t WriteWeight(char* buf, long double weight, char separator);

std::string IntText(int64_t value);
std::string RatioText(int64_t p, int64_t q, int decimals, char separator);
std::string FixedText(long double value, int decimals, char separator);
std::string WeightText(long double weight, char separator);
// "+3" when positive, else the plain signed number ("0", "-3").
std::string SignedText(int64_t value);

} // namespace qx
