#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// Number texts of the statistics table. Real numbers are printed as printf prints the
// extended-precision value ("%.*Lf": the binary value rounded, exact ties to even), with the
// decimal separator given.

// p / q rounded to a whole number, halves to even; q > 0. Exact (no rounding of the quotient).
int64_t RoundRatio(int64_t p, int64_t q);

// Writes number texts into its own buffer and gives them as views into it, valid until the next
// one. Integers and ratios are written backwards from the last digit, without working out their
// length first and without printf.
class TNumberText {
public:
    // Every text lies in the buffer with at least kSpare of the buffer's bytes from its start on,
    // so a reader may copy that many at once.
    static constexpr size_t kSpare = 16;

    std::string_view Int(int64_t value);
    // "+3" when positive, else the plain signed number ("0", "-3").
    std::string_view Signed(int64_t value);
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

    std::array<char, kSize> FBuf;
};

std::string IntText(int64_t value);
std::string RatioText(int64_t p, int64_t q, int decimals, char separator);
std::string FixedText(long double value, int decimals, char separator);
std::string WeightText(long double weight, char separator);
std::string SignedText(int64_t value);

} // namespace qx
