#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "scripts/Ratings.h"
#include "scripts/RatingsSort.h"
#include "scripts/RatingsText.h"
#include "stakes/StakeRecord.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

TStakeRecord CheckedStake(const char* comment, int matches, TMoney profit) {
    TStakeRecord r = NewStake(skScript, 5, StakeNumbersOf(MakeCode(1, 2, 3, 4)), 1, comment, {});
    r.Checked = 1;
    r.Matched.Count = matches;
    r.Profit = profit;
    return r;
}

TRatingRow Row(const char* key, int stakes, std::initializer_list<int> counts, TMoney profit = 0) {
    TRatingRow r;
    r.SetRawKey(Utf8ToCp1251(key));
    r.Stakes = stakes;
    int i = 0;
    for (int c : counts) {
        r.MatchCounts[i] = c;
        r.Matches += c * i;
        ++i;
    }
    r.Profit = profit;
    return r;
}

std::vector<std::string> Keys(const TRatings& ratings) {
    std::vector<std::string> keys;
    for (const auto& row : ratings.Rows()) keys.push_back(row.KeyText());
    return keys;
}

} // namespace

TEST(Ratings, RowBytes) {
    TRatingRow r = Row("Ключ", 3, {0, 1, 2, 0, 0}, -123456789);
    std::string bytes = RatingsFileBytes({r});
    ASSERT_EQ(bytes.size(), 296u);
    EXPECT_EQ(bytes.substr(0, 5), "\x04\xca\xeb\xfe\xf7");
    EXPECT_EQ(bytes.substr(5, 251), std::string(251, '\0'));
    int32_t ints[7];
    std::memcpy(ints, bytes.data() + 256, sizeof ints);
    EXPECT_EQ(ints[0], 3);
    EXPECT_EQ(ints[1], 5);
    EXPECT_EQ(ints[3], 1);
    EXPECT_EQ(bytes.substr(284, 4), std::string(4, '\0'));
    int64_t profit;
    std::memcpy(&profit, bytes.data() + 288, 8);
    EXPECT_EQ(profit, -123456789);
    // Garbage after the key from an older file is zero when written again.
    std::memset(r.Key + 4, 'z', 10);
    EXPECT_EQ(RatingsFileBytes({r}), bytes);
}

TEST(Ratings, KeysDifferingInCaseShareARow) {
    TRatings ratings;
    ratings.AddStake(CheckedStake("Ставка Script", 2, -10000));
    ratings.AddStake(CheckedStake("СТАВКА script", 4, 50000000));
    ratings.AddStake(CheckedStake("ставка sCRIPT", 0, -10000));
    ratings.AddStake(CheckedStake("Ёлка", 1, 0));
    ratings.AddStake(CheckedStake("ёЛКА", 1, 0));
    ratings.AddStake(CheckedStake("другая", 3, 0));
    TStakeRecord unchecked = CheckedStake("Ставка Script", 2, 0);
    unchecked.Checked = 0;
    unchecked.Matched.Count = -1;
    ratings.AddStake(unchecked);
    TStakeRecord damaged = CheckedStake("Ставка Script", 7, 0);
    ratings.AddStake(damaged);
    ASSERT_EQ(ratings.Count(), 3);
    const TRatingRow& first = ratings.Row(0);
    EXPECT_EQ(first.KeyText(), "Ставка Script");  // the first comment names the row
    EXPECT_EQ(first.Stakes, 3);
    EXPECT_EQ(first.Matches, 6);
    EXPECT_EQ(first.MatchCounts[0], 1);
    EXPECT_EQ(first.MatchCounts[2], 1);
    EXPECT_EQ(first.MatchCounts[4], 1);
    EXPECT_EQ(first.Profit, 50000000 - 20000);
    EXPECT_EQ(ratings.Row(1).Stakes, 2);
    // After a sort the rows are still found by their keys.
    ratings.Sort({0, false});
    EXPECT_EQ(Keys(ratings), (std::vector<std::string>{"другая", "Ёлка", "Ставка Script"}));
    ratings.AddStake(CheckedStake("ДРУГАЯ", 3, 0));
    EXPECT_EQ(ratings.Row(0).Stakes, 2);
}

TEST(Ratings, EfficiencyColumnsInEachMode) {
    const TRatingRow r = Row("r", 10, {6, 3, 1, 0, 0});
    auto texts = [&](int mode) {
        std::vector<std::string> v;
        for (int c = 11; c <= 15; ++c) v.push_back(RatingCellText(r, c, mode, '.'));
        return v;
    };
    EXPECT_EQ(texts(remExpected), (std::vector<std::string>{"7", "3", "0", "0", "0"}));
    EXPECT_EQ(texts(remAbsolute), (std::vector<std::string>{"-5.610%", "0.840%", "5.140%", "-0.360%", "-0.010%"}));
    const auto relative = texts(remRelative);
    EXPECT_EQ(relative[0], "91.449%");
    EXPECT_EQ(relative[3], "0.000%");
    EXPECT_EQ(RatingCellText(r, 3, 0, ','), "0,500");
    EXPECT_EQ(RatingCellText(Row("r", 3, {1, 1, 1, 0, 0}), 3, 0, '.'), "1.000");
    // No stakes: no averages, no efficiencies; negative counts: "# bad data #".
    const TRatingRow none = Row("n", 0, {0, 0, 0, 0, 0});
    for (int c : {3, 5, 11, 15}) EXPECT_EQ(RatingCellText(none, c, 1, '.'), "");
    EXPECT_EQ(RatingCellText(none, 4, 1, '.'), "0.00");
    TRatingRow bad = Row("b", 2, {1, 1, 0, 0, 0});
    bad.MatchCounts[2] = -5;
    EXPECT_EQ(RatingCellText(bad, 0, 1, '.'), "# bad data #");
    EXPECT_EQ(RatingCellText(bad, 1, 1, '.'), "");
}

TEST(Ratings, MoneyColumnsRoundToHundredthsHalvesAway) {
    TRatingRow r = Row("m", 2, {2, 0, 0, 0, 0}, 101);  // 0.0101 in all, 0.00505 a stake
    EXPECT_EQ(RatingCellText(r, 4, 1, '.'), "0.01");
    EXPECT_EQ(RatingCellText(r, 5, 1, '.'), "0.01");  // 50.5 -> 51 ten-thousandths -> 0.01
    r.Profit = -101;
    EXPECT_EQ(RatingCellText(r, 5, 1, '.'), "-0.01");
    r.Profit = 99;  // 49.5 -> 50 -> 0.01
    EXPECT_EQ(RatingCellText(r, 5, 1, '.'), "0.01");
    r.Profit = 97;  // 48.5 -> 49 -> 0.00
    EXPECT_EQ(RatingCellText(r, 5, 1, '.'), "0.00");
}

TEST(Ratings, SortTreatsCloseValuesAsEqualAndKeepsTheirOrder) {
    // Averages 0.501 and 0.503 differ by less than half a hundredth.
    std::vector<TRatingRow> rows = {Row("a", 1000, {499, 501}), Row("b", 1000, {497, 503}),
                                    Row("c", 1000, {300, 700}), Row("none", 0, {})};
    EXPECT_EQ(CompareRatingRows(rows[0], rows[1], 3), 0);
    EXPECT_LT(CompareRatingRows(rows[0], rows[2], 3), 0);
    EXPECT_EQ(CompareRatingRows(rows[0], rows[3], 3), 0);  // a row without stakes equals anything
    SortRatingRows(rows, 3, true);
    EXPECT_EQ(rows[0].KeyText(), "c");
    EXPECT_EQ(rows[1].KeyText(), "a");
    EXPECT_EQ(rows[2].KeyText(), "b");
    // Profit: 0.005 apart is equal (rounded half to even), 0.015 apart is not.
    EXPECT_EQ(CompareRatingRows(Row("p", 1, {1}, 50), Row("q", 1, {1}, 0), 4), 0);
    EXPECT_GT(CompareRatingRows(Row("p", 1, {1}, 150), Row("q", 1, {1}, 0), 4), 0);
    EXPECT_EQ(CompareRatingRows(Row("p", 1, {1}, 150), Row("q", 1, {1}, 0), 13), 0);
    // Keys in alphabetical order, ё beside е, small letters before capitals.
    EXPECT_LT(CompareRatingRows(Row("ель", 1, {1}), Row("ёж", 1, {1}), 0), 0);
    EXPECT_LT(CompareRatingRows(Row("ёж", 1, {1}), Row("жук", 1, {1}), 0), 0);
    EXPECT_LT(CompareRatingRows(Row("abc", 1, {1}), Row("Abc", 1, {1}), 0), 0);
    EXPECT_LT(CompareRatingRows(Row("Abc", 1, {1}), Row("abd", 1, {1}), 0), 0);
    // Equal rows keep their order in either direction.
    std::vector<TRatingRow> same = {Row("1", 5, {5}), Row("2", 5, {5}), Row("3", 5, {5})};
    SortRatingRows(same, 1, true);
    EXPECT_EQ(same[0].KeyText() + same[1].KeyText() + same[2].KeyText(), "123");
}

TEST(Ratings, RebuildAddsCheckedStakesAndSkipsDamagedCounts) {
    std::vector<TStakeRecord> stakes = {CheckedStake("a", 1, 0), CheckedStake("a", 7, 0), CheckedStake("a", -3, 0),
                                        CheckedStake("b", 4, 5)};
    stakes.push_back(CheckedStake("sep", 0, 0));
    stakes.back().DrawNumber = -1;
    TRatings ratings;
    auto feed = [&](const std::vector<TStakeRecord>& list) {
        ratings.Rebuild([&](const auto& add) {
            for (const auto& s : list) add(s);
        });
    };
    feed(stakes);
    ASSERT_EQ(ratings.Count(), 2);
    EXPECT_EQ(ratings.Row(0).Stakes, 1);
    EXPECT_EQ(ratings.Row(1).Profit, 5);
    feed({});
    EXPECT_TRUE(ratings.Empty());
    TTempDir dir;
    ratings.Save(dir / "Quadrix_4d10.lrt");
    EXPECT_EQ(std::filesystem::file_size(dir / "Quadrix_4d10.lrt"), 0u);
}

TEST(Ratings, LoadKeepsWholeRowsAndSaveRoundTrips) {
    TTempDir dir;
    const std::string two = RatingsFileBytes({Row("x", 1, {1}), Row("y", 2, {0, 2})});
    WriteBytes(dir / "r.lrt", two + "tail");
    TRatings ratings;
    ratings.Load(dir / "r.lrt");
    ASSERT_EQ(ratings.Count(), 2);
    ratings.Save(dir / "r.lrt");
    EXPECT_EQ(ReadBytes(dir / "r.lrt"), two);
    EXPECT_THROW(ratings.Load(dir / "missing.lrt"), TAppError);
}

TEST(Ratings, CsvExportBytes) {
    std::vector<TRatingRow> rows = {Row("Ставка \"вручную\"", 4, {1, 2, 1, 0, 0}, -40000), Row("пусто", 0, {})};
    const std::string csv = Utf8ToCp1251(RatingsCsvText(rows, ','));
    EXPECT_EQ(Cp1251ToUtf8(csv),
              "\"Комментарий\";\"Ставок\";\"Угадано\";\"Среднее\";\"Профит\";\"Ср. профит\";\"0\";\"1\";\"2\";\"3\";"
              "\"4\";\"E0\";\"E1\";\"E2\";\"E3\";\"E4\"\r\n"
              "\"Ставка \"\"вручную\"\"\";4;4;1,000;-4,00;-1,00;1;2;1;0;0\r\n"
              "\"пусто\";0;0;;0,00;;0;0;0;0;0\r\n");
}

// Ratings files of random bytes: loading, showing, sorting, exporting and adding never fail.
TEST(Ratings, RandomFilesNeverCrashTheReaders) {
    TTempDir dir;
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 rnd(seed);
        std::string bytes(static_cast<size_t>(std::uniform_int_distribution<int>(0, 20)(rnd)) * 296 + seed % 7, '\0');
        for (char& c : bytes) c = static_cast<char>(rnd());
        WriteBytes(dir / "r.lrt", bytes);
        TRatings ratings;
        ratings.Load(dir / "r.lrt");
        for (const TRatingRow& row : ratings.Rows())
            for (int mode = 0; mode < 3; ++mode)
                for (int c = 0; c < 16; ++c) (void)RatingCellText(row, c, mode, ',');
        for (int column = 0; column < 16; ++column) ratings.Sort({column, column % 2 == 0});
        (void)RatingsCsvText(ratings.Rows(), '.');
        for (const TRatingRow& row : ratings.Rows()) {
            TStakeRecord stake = CheckedStake("x", 4, INT64_MAX);
            stake.SetRawComment(row.RawKey());
            ratings.AddStake(stake);  // sums saturate on damaged rows
        }
        ratings.Save(dir / "r.lrt");
        EXPECT_EQ(std::filesystem::file_size(dir / "r.lrt") % 296, 0u);
    }
}
