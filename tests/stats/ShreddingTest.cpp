#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "LiteralShredding.h"
#include "StatTestSupport.h"
#include "core/DrawHelpers.h"
#include "stats/Expression.h"
#include "stats/FullSet.h"
#include "stats/StatBases.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"

namespace qx::test {
namespace {

std::string ErrorOf(std::string_view text, char separator = '.') {
    try {
        EvaluateExpression(text, separator);
    } catch (const TExpressionError& e) {
        return e.what();
    }
    return "";
}

TCombCode Code(int a, int b, int c, int d) { return MakeCode(a, b, c, d); }

TEST(Expression, PrecedenceNumbersConstantsAndFunctions) {
    EXPECT_EQ(EvaluateExpression("2+3^2"), 11);  // "^" binds like "*"
    EXPECT_EQ(EvaluateExpression("2*3^2"), 36);
    EXPECT_EQ(EvaluateExpression("2^3^2"), 64);  // left to right
    EXPECT_EQ(EvaluateExpression("10-4-3"), 3);
    EXPECT_EQ(EvaluateExpression(" -2 * ( 1 + 2 ) "), -6);
    EXPECT_EQ(EvaluateExpression("2*-3"), -6);
    EXPECT_EQ(EvaluateExpression("2^-1"), 0.5);
    EXPECT_EQ(EvaluateExpression("0^5"), 0);
    EXPECT_EQ(EvaluateExpression("0^0"), 1);
    EXPECT_NEAR(double(EvaluateExpression("2^0.5")), std::sqrt(2.0), 1e-15);
    // Number forms.
    EXPECT_EQ(EvaluateExpression("$1F"), 31);
    EXPECT_EQ(EvaluateExpression("$ff+1"), 256);
    EXPECT_EQ(EvaluateExpression(".5"), 0.5);
    EXPECT_EQ(EvaluateExpression("-.5"), -0.5);
    EXPECT_EQ(EvaluateExpression("5."), 5);
    EXPECT_EQ(EvaluateExpression("1E3"), 1000);
    EXPECT_EQ(EvaluateExpression("1e-2*100"), 1);
    // The user's separator besides "."; without it a "," ends the text.
    EXPECT_EQ(EvaluateExpression("1,5*2", ','), 3);
    EXPECT_EQ(EvaluateExpression("1.5*2", ','), 3);
    EXPECT_EQ(EvaluateExpression("(2*3),junk"), 6);
    EXPECT_EQ(EvaluateExpression("(2*3)=7"), 6);
    EXPECT_EQ(ErrorOf("1,5"), kExprSyntax);
    // Constants and functions (SQRT is found before SQR).
    EXPECT_EQ(EvaluateExpression("PI"), std::numbers::pi_v<long double>);
    EXPECT_EQ(EvaluateExpression("E*1"), std::numbers::e_v<long double>);
    EXPECT_EQ(EvaluateExpression("SQRT(16)+SQR(3)"), 13);
    EXPECT_EQ(EvaluateExpression("frac(-2.5)"), -0.5);
    EXPECT_EQ(EvaluateExpression("TRUNC(-2.7)"), -2);
    EXPECT_EQ(EvaluateExpression("INT(2.5)+INT(3.5)"), 6);  // halves to even
    EXPECT_EQ(EvaluateExpression("ROUND(-2.5)"), -2);
    EXPECT_EQ(EvaluateExpression("ROUND(2.6)"), 3);
    EXPECT_EQ(EvaluateExpression("NOT(5.7)"), -6);
    EXPECT_EQ(EvaluateExpression("NOT(-1)"), 0);
    EXPECT_EQ(EvaluateExpression("SIGN(-3)+SIGN(0)+ABS(-4)"), 3);
    EXPECT_EQ(EvaluateExpression("ARCSIN(1)"), std::numbers::pi_v<long double> / 2);
    EXPECT_EQ(EvaluateExpression("ARCCOS(1)"), 0);
    EXPECT_NEAR(double(EvaluateExpression("ARCSIN(0.5)")), std::asin(0.5), 1e-15);
    EXPECT_NEAR(double(EvaluateExpression("LOG(1000)")), 3, 1e-15);
    EXPECT_NEAR(double(EvaluateExpression("LN(E)")), 1, 1e-15);
}

TEST(Expression, EveryErrorText) {
    EXPECT_EQ(ErrorOf("(1+2"), kExprBrackets);
    EXPECT_EQ(ErrorOf("((1+2),3)"), kExprBrackets);
    EXPECT_EQ(ErrorOf("(1,2)"), kExprSyntax);  // "1," is no number
    EXPECT_EQ(ErrorOf("SIN((1),2)"), kExprBrackets);
    EXPECT_EQ(ErrorOf("1+"), kExprSyntax);
    EXPECT_EQ(ErrorOf("2E"), kExprSyntax);
    EXPECT_EQ(ErrorOf("SQR 2"), kExprSyntax);
    EXPECT_EQ(ErrorOf("$123456789"), kExprSyntax);
    EXPECT_EQ(ErrorOf(""), kExprSyntax);
    EXPECT_EQ(ErrorOf("1/0"), kExprDivision);
    EXPECT_EQ(ErrorOf("0^-1"), kExprDivision);
    EXPECT_EQ(ErrorOf("LN(0)"), kExprLogarithm);
    EXPECT_EQ(ErrorOf("LOG(-1)"), kExprLogarithm);
    EXPECT_EQ(ErrorOf("SQRT(-1)"), kExprRoot);
    // Results C++ would carry on with as infinities or NaN.
    EXPECT_EQ(ErrorOf("10^5000"), kExprFloat);
    EXPECT_EQ(ErrorOf("EXP(100000)"), kExprFloat);
    EXPECT_EQ(ErrorOf("(-8)^(1/3)"), kExprFloat);
    EXPECT_EQ(ErrorOf("ARCSIN(2)"), kExprFloat);
    EXPECT_EQ(ErrorOf("NOT(1E30)"), kExprFloat);
    EXPECT_EQ(ErrorOf("1E4000*1E4000"), kExprFloat);
    // Nesting beyond the limit is a syntax error, not a stack overflow.
    EXPECT_EQ(ErrorOf(std::string(100000, '(') + "1" + std::string(100000, ')')), kExprSyntax);
    EXPECT_EQ(ErrorOf(std::string(50000, '-') + "1"), kExprSyntax);
    EXPECT_EQ(EvaluateExpression(std::string(60, '(') + "1" + std::string(60, ')')), 1);
}

TEST(Shredding, ValuesOfTheDefaultFormulasAndTheQuirksOfSubstitution) {
    const TShreddingFormulas d;
    const TCombCode n = Code(1, 2, 3, 4);
    EXPECT_EQ(ShredValue(n, 0, 0, 2, d.Formula[0]), 42);  // 3/7
    EXPECT_EQ(ShredValue(n, 0, 0, 2, d.Formula[1]), 66);  // 4/6
    EXPECT_EQ(ShredValue(n, 0, 0, 2, d.Formula[2]), 33);  // 7/3
    EXPECT_EQ(ShredValue(n, 0, 0, 2, "(n1-5)/3"), 33);    // |-4/3|
    EXPECT_EQ(ShredValue(n, 0, 0, 2, "n1+n2"), 0);        // whole
    EXPECT_EQ(ShredValue(0, 0, 0, 2, d.Formula[0]), 0);   // 0/0
    EXPECT_EQ(ShredValue(n, 0, 0, 2, "10^5000+n1/7"), 0);
    EXPECT_EQ(ShredValue(n, 0, 0, 5, "n1/7"), 14285);
    // Places outside 1..9 act as 2; 10^10 would overflow the multiplier.
    EXPECT_EQ(ShredValue(n, 0, 0, 0, "n1/7"), 14);
    EXPECT_EQ(ShredValue(n, 0, 0, 10, "n1/7"), 14);
    EXPECT_EQ(ShredValue(n, 0, 0, 9, "n1/7"), 142857142);
    // Any case; n, p and t of each position in turn; digits run into neighbouring digits.
    EXPECT_EQ(ShredValue(n, Code(5, 0, 0, 0), Code(6, 0, 0, 0), 2, "(N1+P1+t1)/8"), 50);
    EXPECT_EQ(ShredValue(Code(3, 0, 0, 0), 0, 0, 2, "2n1/7"), 28);       // 23/7
    EXPECT_EQ(ShredValue(Code(1, 2, 0, 0), 0, 0, 2, "n1n2/7"), 71);      // 12/7
    EXPECT_EQ(SubstituteDigits("n12+N1E1+.n1+pn11", Code(3, 4, 0, 0), Code(1, 0, 0, 0), 0), "32+3E1+.3+01");  // p3 appears and is replaced in its turn
    for (const char* f : {"(n1+n2)/(n3+n4)", "SQRT(n1*p2)/(t3+7)", "-n1/7", "2*-p4/3", "(n1)+(n2)^t3/9"})
        EXPECT_TRUE(TShredFormula(f, 2).Compiled()) << f;
    for (const char* f : {"2n1/7", "n1n2", "n12", "N1E1", ".n1", "1E-n1", "$n1"})
        EXPECT_FALSE(TShredFormula(f, 2).Compiled()) << f;
}

// Formulas whose compiled values must equal the literal substitute-and-parse, over every code.
TEST(Shredding, CompiledFormulasEqualTheLiteralOnesForEveryCode) {
    const char* corpus[] = {"(n1+n2)/(n3+n4)", "(n1+n3)/(n2+n4)", "(n3+n4)/(n1+n2)", "(n1*p2+t3)/7",
                            "2n1", "n1n2/7", "n12/9", "N1E1/7", ".n1", "SQRT(n1+p1)/(t1-n2)", "n1^p1/(t4+3)",
                            "-n1/(n2-n3)", "LN(n1)*LOG(n2+p3)", "ARCSIN(n1/10)+NOT(n2/3)", "$F/n1", "(n1+",
                            "n1+n2)", "n5/3", "1,5+n1/7", "((n1))/((n2+1))*E", "n1 2/7", "FRAC(n4/PI)*1E5",
                            "n1/-n2", "INT(n1/2)/n3"};
    std::mt19937 rnd(7);
    for (const char* f : corpus)
        for (int places : {2, 5}) {
            const TShredFormula compiled(f, places);
            for (int ci = 0; ci < kCombCount; ++ci) {
                const TCombCode n = CodeOfIndex(ci), p = CodeOfIndex(int(rnd() % 10000)), t = CodeOfIndex(int(rnd() % 10000));
                ASSERT_EQ(compiled.Value(n, p, t), ShredValue(n, p, t, places, f)) << f << " code " << ci;
            }
        }
}

// Random texts and random well-formed trees: only the evaluator's errors, never a crash, and the
// compiled value always the literal one.
TEST(Shredding, FuzzedTextsAndTrees) {
    std::mt19937 rnd(99);
    const std::string alphabet = "0123456789+-*/^().,$EPIabcdeNnPpTt1234 SQRTLOGX";
    auto check = [&](const std::string& text) {
        try {
            EvaluateExpression(text);
        } catch (const TExpressionError&) {
        }
        const TShredFormula f(text, 3);
        for (int k = 0; k < 4; ++k) {
            const TCombCode n = CodeOfIndex(int(rnd() % 10000)), p = CodeOfIndex(int(rnd() % 10000));
            ASSERT_EQ(f.Value(n, p, 0), ShredValue(n, p, 0, 3, text)) << text;
        }
    };
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int len = int(rnd() % 30); len > 0; --len) text += alphabet[rnd() % alphabet.size()];
        check(text);
    }
    const char* vars[] = {"n1", "n2", "n3", "n4", "p1", "p2", "t3", "T4", "3", "0.5", "PI", "$A"};
    const char* ops[] = {"+", "-", "*", "/", "^"};
    const char* fns[] = {"SQRT", "LN", "SIN", "ABS", "FRAC", "INT", "NOT", "ARCTAN"};
    std::function<std::string(int)> tree = [&](int depth) -> std::string {
        switch (depth <= 0 ? 0 : rnd() % 4) {
        case 0: return (rnd() % 5 == 0 ? "-" : "") + std::string(vars[rnd() % 12]);
        case 1: return "(" + tree(depth - 1) + ops[rnd() % 5] + tree(depth - 1) + ")";
        case 2: return std::string(fns[rnd() % 8]) + "(" + tree(depth - 1) + ")";
        default: return tree(depth - 1) + ops[rnd() % 5] + tree(depth - 1);
        }
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string text = tree(4);
        ASSERT_TRUE(TShredFormula(text, 3).Compiled()) << text;
        check(text);
    }
}

TEST(Shredding, NamesPutTheFormulaInLiterally) {
    TStatList list;
    TShreddingFormulas f;
    f.Formula[0] = "50%d %s";
    list.SetFormulas(f);
    list.Register();
    const int i = list.IndexOfCode("SHR1");
    ASSERT_GE(i, 0);
    EXPECT_EQ(list.Items(i).StatClass->Name(1), "Метод шинковки 1: %s");
    EXPECT_EQ(list.Items(i).FullName(), "Метод шинковки 1: 50%d %s");
    EXPECT_EQ(list.Items(list.IndexOfCode("SHR2")).FullName(), "Метод шинковки 2: (n1+n3)/(n2+n4)");
    list.Items(i).CustomName = "50% %d %s";
    EXPECT_EQ(list.Items(i).FullName(), "50% %d 50%d %s");
    list.Items(i).CustomName = "%n без формулы";
    EXPECT_EQ(list.Items(i).FullName(), "%n без формулы");
    list.ShowGroupName = false;
    EXPECT_EQ(list.DisplayName(list.IndexOfCode("SHR3"), true), "Метод шинковки 3: (n3+n4)/(n1+n2) [ SNG ]");
    // New formulas reach the names through the rebuilt registry; the custom name stays.
    f.Formula[0] = "n1/7";
    list.SetFormulas(f);
    list.Reregister();
    EXPECT_EQ(list.Items(list.IndexOfCode("SHR1")).Formula, "n1/7");
    EXPECT_EQ(list.Items(list.IndexOfCode("SHR1")).CustomName, "%n без формулы");
}

TEST(Shredding, DrawsTakeTheTwoBeforeThemAndTheFullSetZeros) {
    TStatBench b;
    b.Draws = DrawsOf({"1000", "2000", "3000", "4000"});
    b.Formulas.Formula[0] = "(n1*100+p1*10+t1)/1000+0.0000001";  // three places: n1 p1 t1
    b.Formulas.Digits[0] = 3;
    auto stat = b.Create("SHR1");
    auto& graph = dynamic_cast<TCustomGraphStat&>(*stat);
    EXPECT_EQ(graph.DrawValue(0, 3, false), 100);  // p and t zero
    EXPECT_EQ(graph.DrawValue(1, 3, false), 210);  // t zero
    EXPECT_EQ(graph.DrawValue(3, 3, false), 432);
    const TStatTable table = b.Table("SHR1", 4);
    std::vector<std::string> values = ColumnTexts(table, TStatColumn::Value);
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"100", "210", "321", "432"}));
    // Every combination of the full set with p and t zero: n1 * 100 in ten rows of 1000.
    const TStatDrawArray full = ComputeFullSetTable(*b.Create("SHR1"));
    ASSERT_EQ(full.size(), 10u);
    for (size_t v = 0; v < 10; ++v) {
        EXPECT_EQ(full[v].Key.KeyA(), int(v) * 100);
        EXPECT_EQ(full[v].Count, 1000);
    }
    // A candidate follows the current draw L: p is draw L, t draw L - 1.
    TStatDraw row;
    row.Key = TStatKey::FromA(543);
    const TStatDrawArray selected = {row};
    EXPECT_TRUE(stat->Matches(Code(5, 0, 0, 0), selected, false, false, 3));
    EXPECT_FALSE(stat->Matches(Code(5, 0, 0, 0), selected, false, false, 2));
}

// Values above 16 bits are compared whole: 70000 is not the row 4464 (70000 - 65536).
TEST(Shredding, FiveDecimalsMatchTheirWholeValue) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "5678"});
    b.Formulas.Formula[0] = "(n1+n2)/(n3+n4)+0.000005";  // 7/10 gives 70000 whatever the rounding
    b.Formulas.Digits[0] = 5;
    auto stat = b.Create("SHR1");
    int with70000 = 0, with4464 = 0;
    for (int ci = 0; ci < kCombCount; ++ci) {
        const int32_t v = ShredValue(CodeOfIndex(ci), 0, 0, 5, b.Formulas.Formula[0]);
        with70000 += v == 70000;
        with4464 += v == 4464;
    }
    ASSERT_GT(with70000, 0);
    TCombsArray all, kept;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    for (int32_t key : {70000, 4464}) {
        TStatDraw row;
        row.Key = TStatKey::FromA(key);
        FilterCombinations(*stat, TStatDrawArray{row}, false, false, 1, all, kept);
        EXPECT_EQ(int(kept.size()), key == 70000 ? with70000 : with4464) << key;
    }
}

} // namespace
} // namespace qx::test
