#include <gtest/gtest.h>

#include "StatTestSupport.h"
#include "core/DrawHelpers.h"
#include "stats/FullSet.h"
#include "stats/StatBases.h"

using namespace qx;
using namespace qx::test;

namespace {

std::vector<std::string> Values(const TStatTable& t) { return ColumnTexts(t, TStatColumn::Value); }
std::vector<std::string> Counts(const TStatTable& t) { return ColumnTexts(t, TStatColumn::Count); }

TStatDrawArray Selected(std::initializer_list<TStatKey> keys) {
    TStatDrawArray rows;
    for (TStatKey k : keys) {
        TStatDraw r;
        r.Key = k;
        rows.push_back(r);
    }
    return rows;
}

} // namespace

TEST(BasicFamilies, DrawOfFourZeros) {
    TStatBench b;
    b.Draws = DrawsOf({"0000"});
    TStatTable nums = b.Table("NUMS", 10);
    ASSERT_EQ(nums.Rows.size(), 10u);
    EXPECT_EQ(nums.Text(0, TStatColumn::Count), "4");
    EXPECT_EQ(nums.Text(1, TStatColumn::Count), "0");

    EXPECT_EQ(Values(b.Table("EVEN", 10)), (std::vector<std::string>{"1:3", "2:2", "3:1", "4:0"}));
    EXPECT_EQ(Counts(b.Table("EVEN", 10)), (std::vector<std::string>{"0", "0", "0", "1"}));
    EXPECT_EQ(Counts(b.Table("SMAL", 10)), (std::vector<std::string>{"0", "0", "0", "1"}));
    // 0 is not prime and is not listed in advance: its row comes after the listed ones.
    EXPECT_EQ(Values(b.Table("PRIM", 10)), (std::vector<std::string>{"1:3", "2:2", "3:1", "4:0", "0:4"}));
    TStatTable evnv = b.Table("EVNV", 10);
    ASSERT_EQ(evnv.Rows.size(), 16u);
    EXPECT_EQ(evnv.Text(0, TStatColumn::Value), "ЧЧЧЧ (000)");
    EXPECT_EQ(evnv.Text(0, TStatColumn::Count), "1");
    EXPECT_EQ(evnv.Text(15, TStatColumn::Value), "нннн (015)");
}

TEST(BasicFamilies, DrawOfFourOnesAndPatterns) {
    TStatBench b;
    b.Draws = DrawsOf({"1111", "2749"});
    TStatTable prim = b.Table("PRIM", 1, 1);
    EXPECT_EQ(prim.Text(3, TStatColumn::Value), "4:0");
    EXPECT_EQ(prim.Text(3, TStatColumn::Count), "1");
    TStatTable prmv = b.Table("PRMV", 1, 1);
    EXPECT_EQ(prmv.Text(15, TStatColumn::Value), "ПППП (015)");
    EXPECT_EQ(prmv.Text(15, TStatColumn::Count), "1");
    // 2 7 4 9: odd at positions 2 and 4 gives 0101.
    TStatTable evnv = b.Table("EVNV", 1);
    EXPECT_EQ(evnv.Text(5, TStatColumn::Value), "ЧнЧн (005)");
    EXPECT_EQ(evnv.Text(5, TStatColumn::Count), "1");
    // Only the patterns that occurred have rows.
    EXPECT_EQ(Values(b.Table("SMLV", 2)), (std::vector<std::string>{"1111 (000)", "1212 (005)"}));
    EXPECT_EQ(b.Table("PRMV", 2).Rows.size(), 16u);
}

TEST(BasicFamilies, PositionsFollowTheSortedFlag) {
    TStatBench b;
    b.Draws = DrawsOf({"5816"});
    auto countOf = [](const TStatTable& t, int digit) { return std::string(t.Text(digit, TStatColumn::Count)); };
    EXPECT_EQ(countOf(b.Table("POS3", 1), 1), "1");
    EXPECT_EQ(countOf(b.Table("POS3", 1, 0, true), 6), "1");
    EXPECT_EQ(countOf(b.Table("POS3", 1, 0, true), 1), "0");

    auto pos = b.Create("POS3");
    auto& graph = dynamic_cast<TCustomGraphStat&>(*pos);
    EXPECT_EQ(graph.CombValue(MakeCode(5, 8, 1, 6), 0, false, 0), 1);
    EXPECT_EQ(graph.DrawValue(0, 0, true), 6);
    auto even = b.Create("EVEN");
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*even).DrawValue(0, 0, false), 2);
}

TEST(BasicFamilies, RepeatedDigitsCountTwiceAndMeasureAZeroGap) {
    TStatBench b;
    b.Draws = DrawsOf({"7730", "1234", "5677"});
    TStatTable t = b.Table("NUMS", 3);
    const TStatTableRow& seven = t.Rows[7];
    EXPECT_EQ(t.Text(7, TStatColumn::Count), "4");
    // The second 7 of a draw measures a gap of 0, the smallest there is.
    EXPECT_EQ(seven.Row.PeriodMin, 0);
    EXPECT_EQ(seven.Row.PeriodMax, 2);
    TStatTable digs = b.Table("DIGS", 3);
    EXPECT_EQ(Values(digs), (std::vector<std::string>{"7", "3", "0", "1", "2", "4", "5", "6"}));
}

TEST(BasicFamilies, ParseValueReadsBackTheValueTexts) {
    TStatBench b;
    b.Draws = DrawsOf({"0000"});
    EXPECT_EQ(b.Create("EVEN")->ParseValue("3:1"), 3);
    EXPECT_EQ(b.Create("EVEN")->ParseValue("3"), 0);
    EXPECT_EQ(b.Create("EVNV")->ParseValue("ЧнЧн (005)"), 5);
    EXPECT_EQ(b.Create("SMLV")->ParseValue("1221 (006)"), 6);
    EXPECT_EQ(b.Create("PRMV")->ParseValue("ПП"), 12);
    EXPECT_EQ(b.Create("NUMS")->ParseValue("7"), 7);
    EXPECT_EQ(b.Create("NUMS")->ParseValue("x"), 0);
    EXPECT_EQ(b.Create("NUMS")->ParseValueChecked("7"), 7);
}

TEST(BasicFamilies, MatchesComparesThePartEachMemberNames) {
    TStatBench b;
    b.Draws = DrawsOf({"0000"});
    const TCombCode code = MakeCode(2, 7, 4, 9);
    auto matches = [&](const char* method, TStatDrawArray sel) { return b.Create(method)->Matches(code, sel, false, false, 0); };
    EXPECT_TRUE(matches("NUMS", Selected({TStatKey::FromA(9)})));
    EXPECT_FALSE(matches("NUMS", Selected({TStatKey::FromA(9, 1)})));  // the whole key
    EXPECT_FALSE(matches("NUMS", Selected({TStatKey::FromA(3)})));
    EXPECT_TRUE(matches("EVEN", Selected({TStatKey::FromParts(2, 5)})));  // K1 only
    EXPECT_FALSE(matches("EVEN", Selected({TStatKey::FromA(3)})));
    EXPECT_TRUE(matches("EVNV", Selected({TStatKey::FromA(5, 1)})));  // KeyA only
    EXPECT_FALSE(matches("EVNV", Selected({TStatKey::FromA(10)})));
    EXPECT_TRUE(matches("POS2", Selected({TStatKey::FromParts(7, 3)})));
    EXPECT_FALSE(matches("POS2", Selected({TStatKey::FromParts(2)})));
    EXPECT_FALSE(matches("NUMS", {}));
}

TEST(BasicFamilies, ClassProperties) {
    TStatBench b;
    auto pos = b.Create("POS2");
    const TStatClass& c = pos->Class();
    EXPECT_EQ(c.ClassName(), "TstPosVal");
    EXPECT_EQ(c.Name(2), "Число в 2 позиции тиража");
    EXPECT_EQ(pos->GetName(), "Число в 2 позиции тиража");
    EXPECT_EQ(c.HelpCodeFormat(), "POSx");
    EXPECT_EQ(c.FlagsEx(), kFlagS | kFlagN | kFlagG);
    EXPECT_TRUE(c.HasParams());
    EXPECT_EQ(c.ParamRange(b.Config).High, 4);
    auto evnv = b.Create("EVNV");
    EXPECT_EQ(evnv->Class().FlagsEx(), kFlagS | kFlagN);
    EXPECT_FALSE(evnv->Class().IsGraph());
    EXPECT_EQ(b.Create("EVEN")->Class().FlagsEx(), kFlagN | kFlagG);
}

TEST(BasicFamilies, FullSetTables) {
    TStatBench b;
    TStatDrawArray nums = ComputeFullSetTable(*b.Create("NUMS"));
    ASSERT_EQ(nums.size(), 10u);
    for (const TStatDraw& r : nums) EXPECT_EQ(r.Count, 4000);
    TStatDrawArray even = ComputeFullSetTable(*b.Create("EVEN"));
    ASSERT_EQ(even.size(), 5u);  // key order: 0..4
    const int expected[] = {625, 2500, 3750, 2500, 625};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(even[size_t(n)].Key.KeyA(), n);
        EXPECT_EQ(even[size_t(n)].Count, expected[n]);
    }
    const TFullSet set = FullSetOf(even);
    EXPECT_EQ(set.FullMin, 625);
    EXPECT_EQ(set.FullMax, 3750);
    EXPECT_EQ(ComputeFullSetTable(*b.Create("POS4")).size(), 10u);
}
