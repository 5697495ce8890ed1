#include <gtest/gtest.h>

#include "core/Text.h"

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
