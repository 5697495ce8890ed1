#include <gtest/gtest.h>

#include "StakesTestSupport.h"
#include "stakes/StakesGrid.h"

using namespace qx;
using namespace qx::test;

namespace {

TConfigData Prizes() {
    TConfigData c;
    c.Cost = 10000;  // 1.00
    c.Profits = {{4, 5000 * 10000}, {3, 50 * 10000}};
    return c;
}

std::string Hex(const std::string& bytes, size_t from, size_t n) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (size_t i = from; i < from + n; ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

} // namespace

TEST(StakeRecord, BytesOfAStakeAndOfASeparator) {
    TStakeRecord r = Stake(0x01020304, "1234", "Ставка", Prizes());
    r.Sample = 9876;
    const std::string b = Bytes(r);
    ASSERT_EQ(b.size(), 304u);
    // version 2, kind 1, reserved, draw 0x01020304 little-endian, unchecked
    EXPECT_EQ(Hex(b, 0, 16), "0201000004030201" "00000000" "94260000");
    // numbers: count 4, digits 1 2 3 4; drawn zero; match count -1; matched digits zero
    EXPECT_EQ(Hex(b, 16, 24), "0400000001020304" "00000000" "ffffffff00000000" "00000000");
    // profit -1.0000 as int64
    EXPECT_EQ(Hex(b, 40, 8), "f0d8ffffffffffff");
    // comment length 6, then the Windows-1251 bytes, then zeros to the end
    EXPECT_EQ(Hex(b, 48, 7), "06d1f2e0e2eae0");
    EXPECT_EQ(b.substr(55), std::string(304 - 55, '\0'));

    const std::string s = Bytes(StakeSeparator());
    EXPECT_EQ(Hex(s, 0, 48), "02000000ffffffff" "0000000000000000" "0000000000000000" "00000000ffffffff" "0000000000000000"
                             "0000000000000000");
    EXPECT_EQ(s.substr(48), std::string(256, '\0'));
}

TEST(StakeRecord, CheckingCountsPositionsAndSortsTheMatchedDigits) {
    const TConfigData config = Prizes();
    struct Case {
        const char *staked, *drawn;
        int matches;
        std::vector<int> digits;
        const char* profit;
    } cases[] = {
        {"1234", "1243", 2, {1, 2}, "-1.00"}, {"7707", "7077", 2, {7, 7}, "-1.00"},
        {"1234", "1234", 4, {1, 2, 3, 4}, "4999.00"}, {"1234", "1235", 3, {1, 2, 3}, "49.00"},
        {"9012", "1234", 0, {}, "-1.00"}, {"4321", "1321", 3, {1, 2, 3}, "49.00"},
    };
    for (const Case& c : cases) {
        TStakeRecord r = Stake(5, c.staked, "x", config);
        const TStakeRecord before = r;
        CheckStake(r, Draw(5, c.drawn).Digits, config);
        EXPECT_TRUE(r.IsChecked()) << c.staked;
        EXPECT_EQ(r.Matched.Count, c.matches) << c.staked << " " << c.drawn;
        for (int i = 0; i < kPositions; ++i)
            EXPECT_EQ(r.Matched.Digits[i], i < c.matches ? c.digits[static_cast<size_t>(i)] : 0) << c.staked;
        EXPECT_EQ(MoneyText(r.Profit, '.'), c.profit) << c.staked;
        EXPECT_EQ(StakeCellText(r, stcDrawn, '.'), DigitsText(MakeCode(c.drawn[0] - '0', c.drawn[1] - '0',
                                                                       c.drawn[2] - '0', c.drawn[3] - '0')));
        // nothing but the checking fields moved
        EXPECT_EQ(Bytes(r).substr(48), Bytes(before).substr(48));
        EXPECT_EQ(Bytes(r).substr(0, 8), Bytes(before).substr(0, 8));
    }
}

TEST(StakeRecord, ProfitOfUncheckedStakesAndDamagedCounts) {
    const TConfigData config = Prizes();
    EXPECT_EQ(StakeProfit(4, -1, config), -10000);
    EXPECT_EQ(StakeProfit(4, 2, config), -10000);  // no prize row for two matches
    EXPECT_EQ(StakeProfit(5, -1, config), -625 * 10000);
    // A damaged count's fourth power and its cost saturate instead of wrapping round.
    EXPECT_EQ(StakeProfit(2147483647, 4, config), INT64_MIN);
    TConfigData free;
    free.Profits = {{4, INT64_MAX}, {4, 1}};
    EXPECT_EQ(StakeProfit(4, 4, free), INT64_MAX);  // the first row for the count wins
}

TEST(StakeRecord, MoneyTextsRoundHalvesAwayFromZero) {
    EXPECT_EQ(MoneyText(50, '.'), "0.01");
    EXPECT_EQ(MoneyText(-50, '.'), "-0.01");
    EXPECT_EQ(MoneyText(49, ','), "0,00");
    EXPECT_EQ(MoneyText(-49, '.'), "0.00");
    EXPECT_EQ(MoneyText(49990000, ','), "4999,00");
    EXPECT_EQ(MoneyAverage(10, 4), 3);    // 2.5 -> 3
    EXPECT_EQ(MoneyAverage(-10, 4), -3);  // -2.5 -> -3
    EXPECT_EQ(MoneyAverage(7, 3), 2);
    EXPECT_EQ(MoneyAverage(INT64_MIN, 1), INT64_MIN);
}

TEST(StakeRecord, GridTexts) {
    TStakeRecord r = Stake(12, "0120", "Комментарий");
    EXPECT_EQ(StakeCellText(r, stcDraw, '.'), "12");
    EXPECT_EQ(StakeCellText(r, stcKind, '.'), "Вручную");
    EXPECT_EQ(StakeCellText(r, stcNumbers, '.'), "0;1;2;0");
    EXPECT_EQ(StakeCellText(r, stcDrawn, '.'), "");
    EXPECT_EQ(StakeCellText(r, stcMatchCount, '.'), "");
    EXPECT_EQ(StakeCellText(r, stcComment, '.'), "Комментарий");
    // An unchecked stake holding zeros highlights nothing (its drawn digits are zero too).
    for (int p = 0; p < kPositions; ++p) EXPECT_FALSE(StakeDigitMatches(r, p));
    CheckStake(r, Draw(12, "0921").Digits, {});
    EXPECT_EQ(StakeCellText(r, stcMatched, '.'), "0 2");
    EXPECT_TRUE(StakeDigitMatches(r, 0));
    EXPECT_FALSE(StakeDigitMatches(r, 1));
    // A damaged match count shows as stored but indexes nothing.
    r.Matched.Count = 7;
    EXPECT_EQ(StakeCellText(r, stcMatchCount, '.'), "7");
    EXPECT_EQ(StakeCellText(r, stcMatched, '.'), "");
    for (int c = 0; c < kStakeColumnCount; ++c) EXPECT_EQ(StakeCellText(StakeSeparator(), c, '.'), "");
    TColour colour;
    EXPECT_FALSE(StakeRowColour(StakeSeparator(), colour));
    r.Kind = skScript;
    ASSERT_TRUE(StakeRowColour(r, colour));
    EXPECT_EQ(colour, (TColour{234, 255, 255}));
}
