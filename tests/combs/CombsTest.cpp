#include <gtest/gtest.h>

#include "combs/CombsGen.h"
#include "combs/CombsStore.h"
#include "combs/CombsText.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"

using namespace qx;

namespace {
TCombsArray Generate(int mode, const char* params) {
    TCombsArray out;
    GenerateByNumbers(mode, ParseOwnNumbers(params), out);
    return out;
}
} // namespace

TEST(CombsGen, ModesAndOwnNumbers) {
    TCombsArray all = Generate(0, "");
    ASSERT_EQ(all.size(), 10000u);
    EXPECT_EQ(all.front(), MakeCode(0, 0, 0, 0));
    EXPECT_EQ(all[1], MakeCode(0, 0, 0, 1));  // d4 fastest
    EXPECT_EQ(all.back(), MakeCode(9, 9, 9, 9));

    TCombsArray only = Generate(2, "1;2");
    ASSERT_EQ(only.size(), 16u);
    EXPECT_EQ(only.front(), MakeCode(1, 1, 1, 1));
    EXPECT_EQ(only[1], MakeCode(1, 1, 1, 2));
    EXPECT_EQ(only.back(), MakeCode(2, 2, 2, 2));

    EXPECT_EQ(Generate(3, "").size(), 10000u);
    EXPECT_EQ(Generate(1, "").size(), 0u);
    EXPECT_EQ(Generate(2, "").size(), 0u);
    EXPECT_EQ(Generate(1, "0").size(), 10000u - 6561u);
    EXPECT_EQ(Generate(3, "0").size(), 6561u);
    // Separators in runs, blanks, words that are not numbers (read as 0), values outside 0..255.
    auto set = ParseOwnNumbers(" 3 ,,; 7;x;300;-1;255");
    EXPECT_TRUE(set.test(3) && set.test(7) && set.test(0) && set.test(255));
    EXPECT_EQ(set.count(), 4u);
    EXPECT_EQ(ParseOwnNumbers(";;,").count(), 0u);
}

TEST(CombsText, LcvReadingRules) {
    TCombsArray c = ParseLcvText("1, 2 ,3;4\r\n1;2;3\r\n1;2;3;4;5\r\na;2;3;4\r\n\r\n;5;;6;7;8;\r\n1;2;3;12\r\n1;2;3;4\r\n");
    ASSERT_EQ(c.size(), 3u);  // a letter is no digit: its line is skipped, not read as 0
    EXPECT_EQ(c[0], MakeCode(1, 2, 3, 4));
    EXPECT_EQ(c[1], MakeCode(5, 6, 7, 8));
    EXPECT_EQ(c[2], MakeCode(1, 2, 3, 4));  // duplicates stay
    EXPECT_EQ(LcvText({MakeCode(0, 7, 3, 9), MakeCode(1, 1, 1, 1)}), "0;7;3;9\r\n1;1;1;1\r\n");
    EXPECT_EQ(ParseLcvText(LcvText(Generate(0, ""))), Generate(0, ""));
}

TEST(CombsText, ClipboardFormats) {
    TCombsArray list = {MakeCode(0, 7, 3, 9), MakeCode(1, 2, 3, 4), MakeCode(5, 5, 5, 5)};
    std::string text = CombsClipboardText(list, {0, 2});
    EXPECT_EQ(text, "00 07 03 09\r\n05 05 05 05\r\n");
    EXPECT_EQ(ParseClipboardCombs(text), (TCombsArray{MakeCode(0, 7, 3, 9), MakeCode(5, 5, 5, 5)}));
    EXPECT_EQ(ParseClipboardCombs("1-2.3:4\n5|6\t7,8"), (TCombsArray{MakeCode(1, 2, 3, 4), MakeCode(5, 6, 7, 8)}));
    for (const char* bad : {"01 02 03", "1 2 3 4 5", "1 2 3 10", "\r\n1 2 3 4"}) {
        try {
            ParseClipboardCombs(bad);
            ADD_FAILURE() << bad;
        } catch (const TAppError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Некорректная комбинация: \"", 0), 0u) << bad;
        }
    }
}

TEST(CombsText, FindInArchiveListsAtMost26NewestDraws) {
    TDrawsArray draws;
    for (int i = 0; i < 100; ++i) {
        TDrawRecord r;
        r.Number = i + 1;
        r.Digits[0] = i % 5 == 0 ? 7 : 1;  // 7000 drawn 20 times ...
        if (i >= 60) r.Digits[0] = 7;      // ... and 40 more
        r.SetDateLabel("01/01/2001 M");
        draws.push_back(r);
    }
    auto lines = FindCombInDraws(draws, MakeCode(7, 0, 0, 0));
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], "Тираж № 100 от 01/01/2001 M, значения: 7;0;0;0");
    EXPECT_EQ(lines[25], "Тираж № 75 от 01/01/2001 M, значения: 7;0;0;0");
    EXPECT_EQ(FindInDrawsMessage({"a", "b"}), "Выделенная комбинация найдена в следующих тиражах:\r\ra\rb");
    EXPECT_EQ(FindInDrawsMessage({}), "Выделенная комбинация не найдена архиве тиражей!");
}

TEST(CombsStore, UndoBufferJournalAndMembership) {
    TCombsStore s;
    EXPECT_GE(s.List().capacity(), 10000u);
    s.Assign(Generate(0, ""));
    EXPECT_FALSE(s.CanUndo());
    s.SaveUndo();
    s.KeepFromUndo([](TCombCode c, size_t) { return DigitOfCode(c, 0) == 3; });
    EXPECT_EQ(s.Count(), 1000);
    s.AddJournalRow(true, "Выделенные комбинации", "9000");
    EXPECT_EQ(s.Journal().back().Count, 1000);
    EXPECT_TRUE(s.Contains(MakeCode(3, 1, 4, 1)));
    EXPECT_FALSE(s.Contains(MakeCode(4, 1, 4, 1)));
    EXPECT_FALSE(s.Contains(MakeCode(3, 1, 4, 11)));
    const TCombCode* before = s.List().data();
    s.RestoreUndo();
    EXPECT_EQ(s.List().data(), before);  // rewritten in place
    EXPECT_EQ(s.Count(), 10000);
    EXPECT_FALSE(s.CanUndo());
    EXPECT_TRUE(s.Contains(MakeCode(4, 1, 4, 1)));

    EXPECT_TRUE(s.StoreBuffer(2, 10));
    EXPECT_FALSE(s.StoreBuffer(2, 10));
    s.Clear();
    EXPECT_FALSE(s.LoadBuffer(2, 11));
    EXPECT_TRUE(s.LoadBuffer(2, 10));
    EXPECT_EQ(s.Count(), 10000);
    s.ClearBufferItems();
    EXPECT_EQ(s.BufferKey(), std::make_pair(2, 10));
    EXPECT_FALSE(s.LoadBuffer(2, 10));
    s.ResetBuffer();
    EXPECT_EQ(s.BufferKey(), std::make_pair(-1, -1));
}

TEST(CombsText, UniqueDigits) {
    EXPECT_EQ(UniqueDigitCount({}), 0);
    EXPECT_EQ(UniqueDigitCount({MakeCode(1, 1, 2, 2), MakeCode(2, 3, 3, 3)}), 3);
    EXPECT_EQ(UniqueDigitCount(Generate(0, "")), 10);
}
