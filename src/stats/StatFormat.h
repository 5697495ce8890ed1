#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qx {

// Number texts of the statistics table. Real numbers are printed as printf prints the
// extended-precision value ("%.*Lf": the binary value rounded, exact ties to even), with the
// decimal separator given.
//
// A cell is first worked out as the number its text shows: the digits as one integer with the
// decimal places counted separately. Sorting and filter conditions read that number; the text is
// written from it only when someone asks for it, so both always agree.

// p / q rounded to a whole number, halves to even; q > 0. Exact (no rounding of the quotient).
int64_t RoundRatio(int64_t p, int64_t q);

struct TStatCell {
    enum TKind : uint8_t {
        Dash,    // "-"
        Number,  // Digits with Decimals places
        Text     // a real number only printf can print (infinite, not a number, or beyond 2^62)
    };
    uint64_t Digits = 0;  // the shown digits as one integer: 12.50 is 1250 with 2 places
    long double Real = 0;  // the value of a Text cell
    TKind Kind = Dash;
    uint8_t Decimals = 0;
    bool Negative = false;  // a minus sign is shown ("-0.00" too)
    bool Plus = false;      // a positive whole number is shown with "+"

    bool IsNumber() const { return Kind == Number; }
    // The shown digits with their sign; cells of one column have the same places, so this orders them.
    int64_t Scaled() const { return Negative ? -int64_t(Digits) : int64_t(Digits); }
    // The number the text reads as: the division is rounded once, as reading the text rounds.
    long double Value() const;
    // Whether the text begins with "+" (it then sorts before "-").
    bool LeadingPlus() const { return Kind == Number && Plus && !Negative && Digits != 0; }
};

TStatCell DashCell();
TStatCell IntCell(int64_t value);
// "+3" when positive, else the plain signed number ("0", "-3").
TStatCell SignedCell(int64_t value);
// The extended-precision quotient p / q with decimals places (0..9), worked out in integers; an
// exact decimal tie is decided by the binary value, as printf decides it.
TStatCell RatioCell(int64_t p, int64_t q, int decimals);
// A real number with decimals places (0..9), rounded exactly as printf rounds it.
TStatCell RealCell(long double value, int decimals);

// Length of the cell's text; Text cells are printed to find out.
size_t CellTextLength(const TStatCell& cell);
// Writes the text at out, which has room for CellTextLength characters; returns its end.
char* WriteCellText(const TStatCell& cell, char separator, char* out);
std::string CellText(const TStatCell& cell, char separator);

std::string IntText(int64_t value);
std::string SignedText(int64_t value);
std::string RatioText(int64_t p, int64_t q, int decimals, char separator);
// printf("%.*Lf") in the "C" locale, with the separator given.
std::string FixedText(long double value, int decimals, char separator);
// A weight: two places.
std::string WeightText(long double weight, char separator);

} // namespace qx
