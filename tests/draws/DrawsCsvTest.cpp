#include <gtest/gtest.h>

#include <random>

#include "core/FileIO.h"
#include "core/Text.h"
#include "draws/DrawsCsv.h"
#include "support/TestSupport.h"

using namespace qx;
using Fields = std::vector<std::string>;

TEST(CsvSplit, DelimitedTextRules) {
    EXPECT_EQ(SplitCsvLine("12;\"03/07/2019 M\";1;2;3;4"), (Fields{"12", "03/07/2019 M", "1", "2", "3", "4"}));
    EXPECT_EQ(SplitCsvLine("12;03/07/2019 M;1;2;3;4").size(), 7u);  // a blank ends an unquoted field
    EXPECT_EQ(SplitCsvLine("  \t12 ; 5 ;"), (Fields{"12", "5", ""}));
    EXPECT_EQ(SplitCsvLine("\"a\"\"b\";c"), (Fields{"a\"b", "c"}));
    EXPECT_EQ(SplitCsvLine("\"open;ended"), (Fields{"open;ended"}));
    EXPECT_EQ(SplitCsvLine("\"ab\"cd;e"), (Fields{"ab", "cd", "e"}));
    EXPECT_EQ(SplitCsvLine(";;"), (Fields{"", "", ""}));
    EXPECT_EQ(SplitCsvLine(""), Fields{});
    EXPECT_EQ(SplitCsvLine(std::string("1;2\0;3", 6)), (Fields{"1", "2"}));
}

TEST(CsvExport, SixFieldsQuotedLabelCrLf) {
    TDrawRecord r;
    r.Number = 4321;
    r.Digits[1] = 7;
    r.Digits[2] = 3;
    r.Digits[3] = 9;
    r.SetDateLabel("03/07/2019 M");
    EXPECT_EQ(DrawsCsvText({r}), "4321;\"03/07/2019 M\";0;7;3;9\r\n");
    r.SetDateLabel("a\"b");
    EXPECT_EQ(DrawCsvLine(r), "4321;\"a\"\"b\";0;7;3;9");
}

TEST(CsvImport, LineRules) {
    TDrawsArray a;
    auto r = AppendDrawsFromCsv(
        "12;\"03/07/2019 M\";1;2;3;4\r\n"
        "13;03/07/2019 M;1;2;3;4\r\n"        // seven fields: skipped
        "   \r\n"                            // empty after trimming
        "0;\"03/07/2019 E\";1;2;3;4\r\n"     // number 0
        "x;\"03/07/2019 E\";1;2;3;4\r\n"     // number not a number
        "12;\"03/08/2019 M\";5;5;5;5\r\n"    // duplicate number
        "14;\"03/08/2019 E\";x;1;2;3\r\n"    // a letter is no digit
        "15;\"03/09/2019 M\";12;1;2;3\r\n"   // outside 0..9
        "17;\"03/32/2019 M\";1;2;3;4\r\n"    // no such day
        "16;\"03/09/2019 E is long\";1;2;3;4\r\n",
        a);
    EXPECT_EQ(r.Added, 2);
    EXPECT_EQ(r.BadDigits, 2);
    EXPECT_EQ(r.BadNumbers, 2);
    EXPECT_EQ(r.BadLabels, 1);
    EXPECT_EQ(r.BadShape, 1);
    EXPECT_EQ(r.Duplicates, 1);
    EXPECT_FALSE(r.Reordered);  // 12 then 16: ascending
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].Number, 12);
    EXPECT_EQ(a[0].Digits[3], 4);
    EXPECT_EQ(a[1].DateLabel(), "03/09/2019 E");  // cut to 12 characters
    EXPECT_EQ(ImportSummary(r), "Добавлено тиражей: 2\rПропущено строк с числами вне диапазона 0..9: 2\r"
                                "Пропущено строк с некорректным номером тиража: 2\rПропущено строк с некорректной "
                                "датой тиража: 1\rПропущено строк неверного формата: 1");
}

TEST(CsvImport, FiveFieldFilesAreNumberedByArchiveLength) {
    TDrawsArray a;
    const char* text = "\"01/01/2001 M\";1;2;3;4\r\n\"01/01/2001 E\";4;3;2;1\r\n";
    EXPECT_EQ(AppendDrawsFromCsv(text, a).Added, 2);
    EXPECT_EQ(a[0].Number, 1);
    EXPECT_EQ(a[1].Number, 2);
    EXPECT_EQ(AppendDrawsFromCsv(text, a).Added, 2);  // imported again: appended again
    EXPECT_EQ(a[3].Number, 4);
}

TEST(CsvImport, ExportThenImportIntoTheSameArchiveAddsNothing) {
    TDrawsArray a;
    AppendDrawsFromCsv("5;\"01/01/2001 M\";1;2;3;4\r\n5;\"01/01/2001 E\";4;3;2;1\r\n6;\"01/02/2001 M\";0;0;0;0\r\n", a);
    ASSERT_EQ(a.size(), 2u);  // of two draws with one number only the first
    std::string text = DrawsCsvText(a);
    EXPECT_EQ(AppendDrawsFromCsv(text, a).Added, 0);
    TDrawsArray fresh;
    AppendDrawsFromCsv(text, fresh);
    EXPECT_EQ(DrawsCsvText(fresh), text);
}

TEST(CsvImport, MalformedInputNeverCrashes) {
    std::mt19937 rng(3);
    const std::string alphabet = "0123456789;\"\r\n \t,x-\xD0\x90";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        int len = static_cast<int>(rng() % 200);
        for (int i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
        TDrawsArray a;
        AppendDrawsFromCsv(text, a);
        for (const auto& d : a)
            for (uint8_t v : d.Digits) ASSERT_LE(v, 9);
    }
}

TEST(CsvImport, RealArchiveRoundTrip) {
    QX_REQUIRE_REAL_ARCHIVE();
    std::string original = ReadFileBytes(qx::test::RealArchiveCsv());
    TDrawsArray a;
    auto r = AppendDrawsFromCsv(Cp1251ToUtf8(original), a);
    EXPECT_EQ(r.Added, 13788);
    EXPECT_EQ(a.back().Number, 13788);
    EXPECT_EQ(Utf8ToCp1251(DrawsCsvText(a)), original);
}
