#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Error.h"
#include "core/Game.h"

namespace qx {

// Every failure of the formula evaluator, so callers can tell it from other failures.
class TExpressionError : public TAppError {
public:
    using TAppError::TAppError;
};

inline constexpr const char* kExprBrackets = "Не хватает скобочки";
inline constexpr const char* kExprSyntax = "Синтаксическая ошибка";
inline constexpr const char* kExprDivision = "Деление на нуль";
inline constexpr const char* kExprLogarithm = "Выражение под логарифмом меньне нуля";
inline constexpr const char* kExprRoot = "Выражение под корнем меньне нуля";
inline constexpr const char* kExprFloat = "Ошибка в операции с плавающей точкой";

// The value of an arithmetic text: numbers (decimal with "." or the given separator, "$" hex),
// E and PI, + - * / ^ (the last three at one level), brackets and the function table. Raises
// TExpressionError. Nesting deeper than a fixed limit is a syntax error, and any result that is not
// a finite number a floating-point error.
long double EvaluateExpression(std::string_view text, char decimalSeparator = '.');

// Decimal places of a shredded value: 1..9; anything else (an edited configuration file) acts as 2.
int ShredPlaces(int places);

// The formula with n1..n4, p1..p4, t1..t4 (any letter case) replaced by the digits of n, p and t,
// position by position and in that order.
std::string SubstituteDigits(std::string_view formula, TCombCode n, TCombCode p, TCombCode t);

// The shredded value of a formula: the first places decimals of the fractional part of the
// absolute value of the substituted formula, as a whole number; 0 on any error.
int32_t ShredValue(TCombCode n, TCombCode p, TCombCode t, int places, std::string_view formula,
                   char decimalSeparator = '.');

// A formula parsed once. When every variable stands apart from literals (an operator, a bracket
// or the end on both sides) it is kept as a program over the twelve digits; otherwise each value
// substitutes and parses the text as ShredValue does. Either way Value equals ShredValue.
class TShredFormula {
public:
    TShredFormula(std::string_view formula, int places, char decimalSeparator = '.');

    int32_t Value(TCombCode n, TCombCode p, TCombCode t) const;
    bool Compiled() const { return FCompiled; }
    // The formula reads p1..p4 / t1..t4.
    bool UsesPrevious() const { return FUsesPrevious; }

    struct TStep {
        uint8_t Kind;  // TStepKind
        uint8_t Arg;   // operator, function or variable
        long double Number;
    };

private:
    std::string FFormula;
    int FPlaces;
    int32_t FMultiplier;
    char FSeparator;
    bool FCompiled = false;
    bool FUsesPrevious = true;
    bool FInvalid = false;  // the compiled text never evaluates: every value is 0
    std::vector<TStep> FProgram;
    size_t FStackSize = 0;
};

} // namespace qx
