#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "core/Text.h"
#include "support/CommaLocale.h"

using namespace qx;

TEST(Text, Windows1251RoundTrip) {
    const std::string utf8 = "Архив тиражей: ёЁ №5 «x»";
    std::string raw = Utf8ToCp1251(utf8);
    EXPECT_EQ(raw.size(), 24u);  // one byte a character
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), 0xC0);  // А
    EXPECT_EQ(Cp1251ToUtf8(raw), utf8);
    EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xACz"), "a\x88z");  // the euro sign exists in 1251
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xADz"), "a?z");     // a Chinese character does not
    EXPECT_EQ(Utf8ToCp1251("a\xFFz"), "a?z");             // broken UTF-8 never stops conversion
}

TEST(Text, IntegersReadLikeTheProgramsFields) {
    EXPECT_EQ(StrToIntDef("12", 0), 12);
    EXPECT_EQ(StrToIntDef("  -7", 0), -7);
    EXPECT_EQ(StrToIntDef("+7", 0), 7);
    EXPECT_EQ(StrToIntDef("7 ", -1), -1);
    EXPECT_EQ(StrToIntDef("x", -1), -1);
    EXPECT_EQ(StrToIntDef("", -1), -1);
    EXPECT_EQ(StrToIntDef("+-1", -1), -1);
    EXPECT_EQ(StrToIntDef("2147483648", -1), -1);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
    EXPECT_EQ(StrToFloatDef("1,5", 0), 1.5L);
    EXPECT_EQ(StrToFloatDef(" 2.25 ", 0), 2.25L);
    EXPECT_EQ(StrToFloatDef("inf", -1), -1);
    EXPECT_EQ(StrToFloatDef("0x10", -1), -1);
    EXPECT_EQ(FloatToText(-1), "-1");
    EXPECT_EQ(FloatToText(0.1L), "0.1");
}

TEST(Text, RealNumbersReadLikeStrtodInTheCLocale) {
    EXPECT_EQ(TryStrToFloat("+0.5"), 0.5L);
    EXPECT_EQ(TryStrToFloat("-.5"), -0.5L);
    EXPECT_EQ(TryStrToFloat("5."), 5.0L);
    EXPECT_EQ(TryStrToFloat("\t1e3 "), 1000.0L);
    EXPECT_EQ(TryStrToFloat("-2,5E-1"), -0.25L);
    for (const char* bad : {"", " ", "+", "-", ".", "+-1", "--1", "1e", "1e+", "1,000,5", "1 2", "1e99999",
                            "1e-99999", "nan", "5%"})
        EXPECT_EQ(TryStrToFloat(bad), std::nullopt) << bad;
}

TEST(Text, FormatRealPrintsAsPrintfInTheCLocale) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> numerator(-2000000, 2000000), denominator(1, 20000);
    for (int i = 0; i < 2000; ++i) {
        const long double v = static_cast<long double>(numerator(random)) / denominator(random);
        const int precision = i % 10;
        char fixed[128], general[128];
        std::snprintf(fixed, sizeof fixed, "%.*Lf", precision, v);
        std::snprintf(general, sizeof general, "%.15Lg", v);
        ASSERT_EQ(FormatReal(v, TRealFormat::Fixed, precision), fixed) << static_cast<double>(v);
        ASSERT_EQ(FormatReal(v, TRealFormat::General, 15), general) << static_cast<double>(v);
    }
    EXPECT_EQ(FormatReal(0.125L, TRealFormat::Fixed, 2), "0.12");  // the binary tie goes to even
    EXPECT_EQ(FormatReal(-0.0001L, TRealFormat::Fixed, 3), "-0.000");
    EXPECT_EQ(FormatReal(1e30L, TRealFormat::General, 15), "1e+30");
    EXPECT_EQ(FormatReal(1e300L, TRealFormat::Fixed, 1).size(), 303u);  // longer than any short buffer
    EXPECT_EQ(FloatToText(-0.0L), "0");
}

// Under a locale whose decimal point is "," (as the window's process gets on a Russian desktop)
// numbers are still read and written with ".".
TEST(Text, NumbersIgnoreTheProcessLocale) {
    QX_COMMA_LOCALE_SCOPE(comma);
    ASSERT_EQ(test::PrintfHalf(), "0,5");  // the locale is really in force
    EXPECT_EQ(TryStrToFloat("0.5"), 0.5L);
    EXPECT_EQ(TryStrToFloat("0,5"), 0.5L);
    EXPECT_EQ(TryStrToFloat(" -1.25e2 "), -125.0L);
    EXPECT_EQ(StrToFloatDef("x", -1), -1);
    EXPECT_EQ(FloatToText(0.5L), "0.5");
    EXPECT_EQ(FloatToText(-1234.5678L), "-1234.5678");
    EXPECT_EQ(FormatReal(2.5L, TRealFormat::Fixed, 3), "2.500");
    EXPECT_EQ(FormatReal(1e-7L, TRealFormat::General, 15), "1e-07");
}

TEST(Text, FormatNeverReadsArgumentsAsFormats) {
    EXPECT_EQ(FormatText("Ошибка!\r\r%s", {"100% %s %d"}), "Ошибка!\r\r100% %s %d");
    EXPECT_EQ(FormatText("%d из %d", {"3", "5"}), "3 из 5");
    EXPECT_EQ(FormatText("{ %1:s } %0:s", {"Числа", "num"}), "{ num } Числа");
    EXPECT_EQ(FormatText("100%%", {}), "100%");
    EXPECT_EQ(FormatText("%s", {}), "");
}

TEST(Text, CaseAndTrim) {
    EXPECT_TRUE(SameText("TFormMain", "tformmain"));
    EXPECT_TRUE(SameText("Раздел Ё", "раздел ё"));
    EXPECT_FALSE(SameText("abc", "abd"));
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

TEST(Text, LeftCharsCountsCharactersNotBytes) {
    EXPECT_EQ(LeftChars("abcdef", 3), "abc");
    EXPECT_EQ(LeftChars("abc", 3), "abc");
    EXPECT_EQ(LeftChars("", 3), "");
    EXPECT_EQ(LeftChars("жжж", 2), "жж");  // four bytes, not two
    EXPECT_EQ(LeftChars("aж€b", 3), "aж€");
    EXPECT_EQ(LeftChars("жж", 0), "");
}
