#include "stats/Expression.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

namespace qx {
namespace {

// Brackets and function calls nest at most this deep, so a hostile text cannot exhaust the stack.
constexpr int kMaxDepth = 100;
// Stack of a compiled formula; a deeper one is evaluated from its text.
constexpr size_t kMaxStack = 256;

enum class TFault : uint8_t { None, Division, Logarithm, Root, Float };

const char* FaultText(TFault f) {
    switch (f) {
    case TFault::Division: return kExprDivision;
    case TFault::Logarithm: return kExprLogarithm;
    case TFault::Root: return kExprRoot;
    default: return kExprFloat;
    }
}

enum TFunction : uint8_t {
    fnArctan, fnCos, fnSin, fnTan, fnAbs, fnExp, fnLn, fnLog, fnSqrt, fnSqr, fnInt, fnFrac, fnTrunc, fnRound,
    fnArcsin, fnArccos, fnSign, fnNot, fnCount
};
// Tried in this order: SQRT before SQR.
constexpr std::array<std::string_view, fnCount> kFunctionNames = {
    "ARCTAN", "COS", "SIN", "TAN", "ABS", "EXP", "LN", "LOG", "SQRT", "SQR",
    "INT", "FRAC", "TRUNC", "ROUND", "ARCSIN", "ARCCOS", "SIGN", "NOT"};

constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;

// The arithmetic is inlined into the compiled formulas' loop: long doubles cross calls in memory.
[[gnu::always_inline]] inline long double Checked(long double v, TFault& fault) {
    if (!std::isfinite(v)) fault = TFault::Float;
    return v;
}

// Nearest whole number, halves to even.
long double RoundEven(long double x) {
    const long double f = std::floor(x), d = x - f;
    if (d < 0.5L) return f;
    if (d > 0.5L) return f + 1;
    return std::fmod(f, 2.0L) == 0 ? f : f + 1;
}

long double Power(long double a, long double b, TFault& fault) {
    if (b == 0) return 1;
    if (a == 0 && b > 0) return 0;
    if (b == std::trunc(b) && std::fabs(b) <= 2147483647.0L) {
        uint64_t e = uint64_t(std::fabs(b));
        long double result = 1, base = a;
        while (e) {
            if (e & 1) result *= base;
            e >>= 1;
            if (e) base *= base;
        }
        if (!std::isfinite(result)) return Checked(result, fault);
        if (b > 0) return result;
        if (result == 0) {
            fault = TFault::Division;
            return 0;
        }
        return Checked(1 / result, fault);
    }
    return Checked(std::exp(b * std::log(a)), fault);
}

[[gnu::always_inline]] inline long double ApplyBinary(char op, long double a, long double b, TFault& fault) {
    switch (op) {
    case '+': return Checked(a + b, fault);
    case '-': return Checked(a - b, fault);
    case '*': return Checked(a * b, fault);
    case '/':
        if (b == 0) {
            fault = TFault::Division;
            return 0;
        }
        return Checked(a / b, fault);
    default: return Power(a, b, fault);
    }
}

// arctan(x / sqrt(1 - x^2)) for ARCSIN and ARCCOS.
long double ArcTangentOfSine(long double x, TFault& fault) {
    const long double d = 1 - x * x;
    if (!(d > 0)) {
        fault = TFault::Float;
        return 0;
    }
    return std::atan(x / std::sqrt(d));
}

long double ApplyFunction(uint8_t fn, long double x, TFault& fault) {
    switch (fn) {
    case fnArctan: return std::atan(x);
    case fnCos: return std::cos(x);
    case fnSin: return std::sin(x);
    case fnTan: {
        const long double c = std::cos(x);
        if (c == 0) {
            fault = TFault::Division;
            return 0;
        }
        return Checked(std::sin(x) / c, fault);
    }
    case fnAbs: return std::fabs(x);
    case fnExp: return Checked(std::exp(x), fault);
    case fnLn:
    case fnLog:
        if (x <= 0) {
            fault = TFault::Logarithm;
            return 0;
        }
        return fn == fnLn ? std::log(x) : std::log(x) / std::log(10.0L);
    case fnSqrt:
        if (x < 0) {
            fault = TFault::Root;
            return 0;
        }
        return std::sqrt(x);
    case fnSqr: return Checked(x * x, fault);
    case fnInt:
    case fnRound: return RoundEven(x);
    case fnFrac: return x - std::trunc(x);
    case fnTrunc: return std::trunc(x);
    case fnArcsin: return x == 1 ? kHalfPi : ArcTangentOfSine(x, fault);
    case fnArccos: return x == 1 ? 0 : kHalfPi - ArcTangentOfSine(x, fault);
    case fnSign: return x > 0 ? 1 : x < 0 ? -1 : 0;
    default: {
        const long double t = std::trunc(x);
        if (!(t >= -9223372036854775807.0L && t <= 9223372036854775807.0L)) {
            fault = TFault::Float;
            return 0;
        }
        return static_cast<long double>(~static_cast<int64_t>(t));
    }
    }
}

// Placeholders of the twelve variables in a compiled formula's text (never in a text the
// evaluator reads, which loses every character below 33).
constexpr char kFirstVariable = 1;
constexpr int kVariableCount = 12;
bool IsVariable(char c) { return c >= kFirstVariable && c < kFirstVariable + kVariableCount; }

bool EndsNumber(char c) {
    return c == 0 || c == ')' || c == '*' || c == '+' || c == '-' || c == '/' || c == '^';
}
bool EndsExpression(char c) { return c == 0 || c == ')' || c == ',' || c == '<' || c == '=' || c == '>'; }

// The recursive descent, shared by the evaluator (values) and the compiler (a program). The
// builder makes values in the order the evaluator computes them.
template <class Builder>
class TParser {
public:
    using V = typename Builder::Value;
    TParser(std::string_view text, char separator, Builder& b) : S(text), Sep(separator), B(b) {}

    V Expression() {
        if (++Depth > kMaxDepth) throw TExpressionError(kExprSyntax);
        V v = Term();
        while (Peek() == '+' || Peek() == '-') {
            const char op = S[Pos++];
            V r = Term();
            v = B.Binary(op, v, r);
        }
        if (!EndsExpression(Peek())) throw TExpressionError(kExprSyntax);
        --Depth;
        return v;
    }

private:
    char Peek(size_t ahead = 0) const { return Pos + ahead < S.size() ? S[Pos + ahead] : 0; }
    bool IsDigit(char c) const { return c >= '0' && c <= '9'; }

    V Term() {
        V v = Factor();
        while (Peek() == '*' || Peek() == '/' || Peek() == '^') {
            const char op = S[Pos++];
            V r = Factor();
            v = B.Binary(op, v, r);
        }
        return v;
    }

    V Closed(V v) {
        if (Peek() != ')') throw TExpressionError(kExprBrackets);
        ++Pos;
        return v;
    }

    V Factor() {
        if (Peek() == '(') {
            ++Pos;
            return Closed(Expression());
        }
        if (V v; Number(v) || Constant(v)) return v;
        for (uint8_t fn = 0; fn < fnCount; ++fn) {
            const std::string_view name = kFunctionNames[fn];
            if (S.substr(Pos, name.size()) == name && Peek(name.size()) == '(') {
                Pos += name.size() + 1;
                V x = Closed(Expression());
                return B.Function(fn, x);
            }
        }
        throw TExpressionError(kExprSyntax);
    }

    bool Constant(V& v) {
        if (Peek() == 'E' && EndsNumber(Peek(1))) {
            Pos += 1;
            v = B.Number(std::numbers::e_v<long double>);
            return true;
        }
        if (Peek() == 'P' && Peek(1) == 'I' && EndsNumber(Peek(2))) {
            Pos += 2;
            v = B.Number(std::numbers::pi_v<long double>);
            return true;
        }
        return false;
    }

    bool Number(V& v) {
        const size_t start = Pos;
        if (Peek() == '$') return Hex(v);
        // A variable of a compiled formula, alone or after a sign.
        const bool sign = Peek() == '+' || Peek() == '-';
        if (IsVariable(Peek(sign ? 1 : 0))) {
            const bool negative = Peek() == '-';
            Pos += sign ? 2 : 1;
            v = B.Variable(S[Pos - 1] - kFirstVariable, negative);
            return true;
        }
        const char first = Peek();
        if (!(IsDigit(first) || sign || first == '.' || first == Sep)) return false;
        std::string text(1, first == Sep ? '.' : first);
        ++Pos;
        for (;;) {
            const char c = Peek();
            if (IsDigit(c)) {
                text += c;
            } else if (c == '.' || c == Sep) {
                text += '.';
            } else if (c == 'E') {
                text += 'E';
                if (Peek(1) == '+' || Peek(1) == '-') text += S[++Pos];
            } else {
                break;
            }
            ++Pos;
        }
        long double value = 0;
        if (!Convert(text, value) || !EndsNumber(Peek())) {
            Pos = start;
            return false;
        }
        v = B.Number(value);
        return true;
    }

    // "." reads as "0.", a sign and "." as the sign and "0.", a trailing "." as ".0".
    static bool Convert(std::string text, long double& value) {
        bool negative = false;
        if (text[0] == '+' || text[0] == '-') {
            negative = text[0] == '-';
            text.erase(0, 1);
        }
        if (text.empty()) return false;
        if (text[0] == '.') text.insert(0, "0");
        if (text.back() == '.') text += '0';
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return false;
        if (negative) value = -value;
        return true;
    }

    bool Hex(V& v) {
        const size_t start = Pos++;
        uint32_t value = 0;
        int digits = 0;
        for (char c = Peek(); digits < 8; c = Peek()) {
            const int d = IsDigit(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (d < 0) break;
            value = value * 16 + uint32_t(d);
            ++digits;
            ++Pos;
        }
        if (digits == 0 || !EndsNumber(Peek())) {
            Pos = start;
            return false;
        }
        v = B.Number(value);
        return true;
    }

    std::string_view S;
    char Sep;
    Builder& B;
    size_t Pos = 0;
    int Depth = 0;
};

// The text as the evaluator reads it: no characters below 33, capitals, "0" before a leading sign.
// A compiled formula's text keeps its variable placeholders.
std::string Prepared(std::string_view text, bool keepVariables = false) {
    std::string s;
    s.reserve(text.size() + 1);
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 33 && !(keepVariables && IsVariable(c))) continue;
        s += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    if (std::count(s.begin(), s.end(), '(') != std::count(s.begin(), s.end(), ')'))
        throw TExpressionError(kExprBrackets);
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.insert(0, "0");
    return s;
}

// Computes as it parses.
struct TEvaluator {
    using Value = long double;
    static Value Raised(Value v, TFault fault) {
        if (fault != TFault::None) throw TExpressionError(FaultText(fault));
        return v;
    }
    Value Number(long double v) { return v; }
    Value Variable(int, bool) { throw TExpressionError(kExprSyntax); }
    Value Binary(char op, Value a, Value b) {
        TFault f = TFault::None;
        const Value v = ApplyBinary(op, a, b, f);
        return Raised(v, f);
    }
    Value Function(uint8_t fn, Value x) {
        TFault f = TFault::None;
        const Value v = ApplyFunction(fn, x, f);
        return Raised(v, f);
    }
};

enum TStepKind : uint8_t { skNumber, skVariable, skNegVariable, skBinary, skFunction };

// Writes the program in evaluation order (postfix) and tracks the stack it needs.
struct TCompiler {
    struct Value {};
    std::vector<TShredFormula::TStep>& Program;
    size_t Depth = 0, MaxDepth = 0;
    void Push() { MaxDepth = std::max(MaxDepth, ++Depth); }
    Value Number(long double v) {
        Program.push_back({skNumber, 0, v});
        Push();
        return {};
    }
    Value Variable(int index, bool negative) {
        Program.push_back({negative ? skNegVariable : skVariable, uint8_t(index), 0});
        Push();
        return {};
    }
    Value Binary(char op, Value, Value) {
        Program.push_back({skBinary, uint8_t(op), 0});
        --Depth;
        return {};
    }
    Value Function(uint8_t fn, Value) {
        Program.push_back({skFunction, fn, 0});
        return {};
    }
};

bool IsVariableLetter(char c) { return c == 'n' || c == 'N' || c == 'p' || c == 'P' || c == 't' || c == 'T'; }
int LetterIndex(char c) { return c == 'n' || c == 'N' ? 0 : c == 'p' || c == 'P' ? 1 : 2; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

// The formula with its variables as placeholders, when each stands apart: the nearest other
// characters are operators, brackets or the ends, and a sign before it does not follow an "E"
// (which would make it part of an exponent). Empty otherwise.
std::optional<std::string> Template(std::string_view f, char separator, bool& usesPrevious) {
    if (IsVariable(separator) || EndsNumber(separator)) return std::nullopt;
    usesPrevious = false;
    std::string out;
    auto before = [&](size_t i) -> char {  // nearest non-blank before i, 0 at the start
        while (i > 0)
            if (!IsBlank(f[--i])) return f[i];
        return 0;
    };
    for (size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (IsVariableLetter(c) && i + 1 < f.size() && f[i + 1] >= '1' && f[i + 1] <= '4') {
            size_t j = i + 2;
            while (j < f.size() && IsBlank(f[j])) ++j;
            const char next = j < f.size() ? f[j] : 0;
            const char prev = before(i);
            if (!EndsNumber(next)) return std::nullopt;
            if (!(prev == 0 || prev == '(' || prev == '+' || prev == '-' || prev == '*' || prev == '/' || prev == '^'))
                return std::nullopt;
            if (prev == '+' || prev == '-') {
                size_t k = i;
                while (k > 0 && IsBlank(f[k - 1])) --k;
                const char beforeSign = before(k - 1);
                if (beforeSign == 'E' || beforeSign == 'e') return std::nullopt;
            }
            const int index = LetterIndex(c) * 4 + (f[i + 1] - '1');
            usesPrevious |= index >= 4;
            out += char(kFirstVariable + index);
            ++i;
        } else if (!IsBlank(c)) {
            out += c;
        }
    }
    return out;
}

int Digit(TCombCode code, int k) { return int(code >> (8 * k) & 0xFF); }

int32_t Shred(long double x, int32_t multiplier) {
    if (!std::isfinite(x)) return 0;
    const long double a = std::fabs(x);
    return static_cast<int32_t>(std::trunc((a - std::trunc(a)) * multiplier));
}

int32_t Multiplier(int places) {
    int32_t m = 1;
    for (int i = 0; i < places; ++i) m *= 10;
    return m;
}

} // namespace

long double EvaluateExpression(std::string_view text, char separator) {
    const std::string s = Prepared(text);
    TEvaluator evaluator;
    TParser<TEvaluator> parser(s, separator, evaluator);
    return parser.Expression();
}

int ShredPlaces(int places) { return places >= 1 && places <= 9 ? places : 2; }

std::string SubstituteDigits(std::string_view formula, TCombCode n, TCombCode p, TCombCode t) {
    std::string text(formula);
    for (int k = 0; k < kPositions; ++k) {
        const std::pair<char, TCombCode> vars[] = {{'n', n}, {'p', p}, {'t', t}};
        for (auto [letter, code] : vars) {
            const std::string digit = std::to_string(Digit(code, k));
            const char upper = char(letter - 'a' + 'A'), number = char('1' + k);
            std::string next;
            next.reserve(text.size() + 8);
            for (size_t i = 0; i < text.size(); ++i) {
                if ((text[i] == letter || text[i] == upper) && i + 1 < text.size() && text[i + 1] == number) {
                    next += digit;
                    ++i;
                } else {
                    next += text[i];
                }
            }
            text = std::move(next);
        }
    }
    return text;
}

int32_t ShredValue(TCombCode n, TCombCode p, TCombCode t, int places, std::string_view formula, char separator) {
    try {
        return Shred(EvaluateExpression(SubstituteDigits(formula, n, p, t), separator), Multiplier(ShredPlaces(places)));
    } catch (const TExpressionError&) {
        return 0;
    }
}

TShredFormula::TShredFormula(std::string_view formula, int places, char separator)
    : FFormula(formula), FPlaces(ShredPlaces(places)), FMultiplier(Multiplier(FPlaces)), FSeparator(separator) {
    bool usesPrevious = true;
    std::optional<std::string> text = Template(formula, separator, usesPrevious);
    if (!text) return;
    FUsesPrevious = usesPrevious;
    try {
        const std::string s = Prepared(*text, true);
        TCompiler compiler{FProgram};
        TParser<TCompiler> parser(s, separator, compiler);
        parser.Expression();
        FStackSize = compiler.MaxDepth;
        FCompiled = FStackSize <= kMaxStack;
    } catch (const TExpressionError&) {
        // The same text with any digits in place of the variables fails to parse too.
        FCompiled = true;
        FInvalid = true;
    }
}

int32_t TShredFormula::Value(TCombCode n, TCombCode p, TCombCode t) const {
    if (!FCompiled) return ShredValue(n, p, t, FPlaces, FFormula, FSeparator);
    if (FInvalid) return 0;
    long double vars[kVariableCount];
    const TCombCode codes[3] = {n, p, t};
    for (int v = 0; v < kVariableCount; ++v) vars[v] = Digit(codes[v / 4], v % 4);
    long double stack[kMaxStack];
    size_t top = 0;
    TFault fault = TFault::None;
    for (const TStep& s : FProgram) {
        switch (s.Kind) {
        case skNumber: stack[top++] = s.Number; break;
        case skVariable: stack[top++] = vars[s.Arg]; break;
        case skNegVariable: stack[top++] = -vars[s.Arg]; break;
        case skBinary:
            --top;
            stack[top - 1] = ApplyBinary(char(s.Arg), stack[top - 1], stack[top], fault);
            break;
        default: stack[top - 1] = ApplyFunction(s.Arg, stack[top - 1], fault);
        }
        if (fault != TFault::None) return 0;
    }
    return Shred(stack[0], FMultiplier);
}

} // namespace qx
