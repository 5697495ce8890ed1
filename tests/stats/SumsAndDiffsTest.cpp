#include <gtest/gtest.h>

#include <map>

#include "StatTestSupport.h"
#include "core/DrawHelpers.h"
#include "stats/FullSet.h"
#include "stats/StatBases.h"
#include "stats/StatFilter.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

// Value text -> count text of every row, for tables whose row order is not the point.
std::map<std::string, std::string> CountsByValue(const TStatTable& t) {
    std::map<std::string, std::string> m;
    for (int r = 0; r < t.Size(); ++r)
        m[std::string(t.Text(r, TStatColumn::Value))] = t.Text(r, TStatColumn::Count);
    return m;
}

using TCounts = std::map<std::string, std::string>;

TStatDrawArray RowsWith(const TStatTable& t, std::initializer_list<const char*> values) {
    TStatDrawArray rows;
    for (const char* v : values)
        for (int r = 0; r < t.Size(); ++r)
            if (t.Text(r, TStatColumn::Value) == v) rows.push_back(t.Rows[size_t(r)].Row);
    return rows;
}

TCombsArray FullList() {
    TCombsArray all;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    return all;
}

int SumOfIndex(int ci) {
    return ci / 1000 + ci / 100 % 10 + ci / 10 % 10 + ci % 10;
}

size_t Survivors(TCustomStat& stat, const TStatDrawArray& selected, bool exclude, int L) {
    TCombsArray out;
    FilterCombinations(stat, selected, exclude, false, L, FullList(), out);
    return out.size();
}

} // namespace

TEST(SumsAndDiffs, DrawOfFourZeros) {
    TStatBench b;
    b.Draws = DrawsOf({"0000"});
    // Sum 0 is not listed (6..30 are) and gets its row after them.
    TStatTable sums = b.Table("SUMS", 1);
    ASSERT_EQ(sums.Size(), 26);
    EXPECT_EQ(sums.Text(0, TStatColumn::Value), "6");
    EXPECT_EQ(sums.Text(25, TStatColumn::Value), "0");
    EXPECT_EQ(sums.Text(25, TStatColumn::Count), "1");
    EXPECT_EQ(CountsByValue(b.Table("SUM1", 1)), (TCounts{{"Остальные", "1"}, {"9-27", "0"}}));
    EXPECT_EQ(CountsByValue(b.Table("S2T3", 1)), (TCounts{{"12", "1"}}));
    TStatTable difa = b.Table("DIFA", 1);
    ASSERT_EQ(difa.Size(), 10); // 1..9 listed, then 0
    EXPECT_EQ(difa.Text(9, TStatColumn::Value), "0");
    EXPECT_EQ(difa.Text(9, TStatColumn::Count), "3");
    EXPECT_EQ(CountsByValue(b.Table("DIFO", 1)), (TCounts{{"0 x 3", "1"}}));
    EXPECT_EQ(CountsByValue(b.Table("DIFK", 1))["3"], "1");
    EXPECT_EQ(CountsByValue(b.Table("DIFD", 1))["0"], "1");
    EXPECT_EQ(CountsByValue(b.Table("KDS3", 1)), (TCounts{{"0:0:0", "1"}}));
}

TEST(SumsAndDiffs, DrawOneTwoThreeNine) {
    TStatBench b;
    b.Draws = DrawsOf({"1239"});
    EXPECT_EQ(CountsByValue(b.Table("S2T3", 1)), (TCounts{{"1", "1"}})); // 1 + 2 = 3
    TCounts difa = CountsByValue(b.Table("DIFA", 1));
    EXPECT_EQ(difa["1"], "2");
    EXPECT_EQ(difa["6"], "1");
    EXPECT_EQ(difa["2"], "0");
    EXPECT_EQ(ColumnTexts(b.Table("DIFO", 1), TStatColumn::Value),
              (std::vector<std::string>{"1 x 2", "6 x 1"}));
    EXPECT_EQ(CountsByValue(b.Table("DIFK", 1))["2"], "1");
    EXPECT_EQ(CountsByValue(b.Table("DIFD", 1))["8"], "1");
    EXPECT_EQ(CountsByValue(b.Table("DIFM", 1))["6"], "1");
    EXPECT_EQ(ColumnTexts(b.Table("KDS2", 1), TStatColumn::Value), (std::vector<std::string>{"1:1", "1:6"}));
    EXPECT_EQ(ColumnTexts(b.Table("KDS3", 1), TStatColumn::Value), (std::vector<std::string>{"1:1:6"}));
    EXPECT_EQ(CountsByValue(b.Table("SUME", 1)), (TCounts{{"2", "1"}}));
    EXPECT_EQ(CountsByValue(b.Table("SUMP", 1)), (TCounts{{"6", "1"}})); // 1 + 2 + 3, 9 is not prime
    // Differences follow the sorted flag: 9 1 3 2 reads 8, 2, 1 as drawn and 1, 1, 6 sorted.
    b.Draws = DrawsOf({"9132"});
    EXPECT_EQ(ColumnTexts(b.Table("KDS3", 1), TStatColumn::Value), (std::vector<std::string>{"8:2:1"}));
    EXPECT_EQ(ColumnTexts(b.Table("KDS3", 1, 0, true), TStatColumn::Value),
              (std::vector<std::string>{"1:1:6"}));
    EXPECT_EQ(CountsByValue(b.Table("DIFD", 1))["8"], "1");
}

TEST(SumsAndDiffs, OnlyTheFirstDifferenceMeasuresPeriodsButEveryHitMovesTheLastDraw) {
    TStatBench b;
    // 3 is the first difference of draws 1 and 5 and only a later one in draw 3: the gap measured
    // at draw 5 runs from draw 3.
    b.Draws = DrawsOf({"0300", "1111", "0030", "1111", "3000"});
    TStatTable difa = b.Table("DIFA", 5);
    const TStatDraw& three = difa.Rows[2].Row;
    ASSERT_EQ(three.Key.KeyA(), 3);
    EXPECT_EQ(three.Count, 5);
    EXPECT_EQ(three.PeriodMin, 2);
    EXPECT_EQ(three.PeriodMax, 2);
    // The same for the first pair of differences.
    b.Draws = DrawsOf({"0303", "1111", "0036", "1111", "0303"});
    TStatTable kds2 = b.Table("KDS2", 5);
    ASSERT_EQ(kds2.Rows[0].Row.Key, TStatKey::FromParts(3, 3));
    EXPECT_EQ(kds2.Rows[0].Row.Count, 5);
    EXPECT_EQ(kds2.Rows[0].Row.PeriodMin, 2);
    EXPECT_EQ(kds2.Rows[0].Row.PeriodMax, 2);
}

TEST(SumsAndDiffs, RangesMatchInsideWithTheirRowAndOutsideWithout) {
    TStatBench b;
    b.Draws = DrawsOf({"0000", "5555"});
    const int L = 1;
    const size_t expected[] = {9010, 8006, 6480};
    for (int v = 1; v <= 3; ++v) {
        const std::string code = "SUM" + std::to_string(v);
        auto stat = b.Create(code);
        const TStatTable t = b.Table(code, 2);
        const std::string inRange(t.Text(1, TStatColumn::Value));
        const TStatDrawArray in = RowsWith(t, {inRange.c_str()}), out = RowsWith(t, {"Остальные"});
        const TStatDrawArray both = RowsWith(t, {"Остальные", inRange.c_str()});
        EXPECT_EQ(Survivors(*stat, in, false, L), expected[v - 1]) << code;
        EXPECT_EQ(Survivors(*stat, both, false, L), expected[v - 1]) << code;
        EXPECT_EQ(Survivors(*stat, both, true, L), kCombCount - expected[v - 1]) << code;
        EXPECT_EQ(Survivors(*stat, out, false, L), kCombCount - expected[v - 1]) << code;
    }
    auto sum1 = b.Create("SUM1");
    const TStatTable t = b.Table("SUM1", 2);
    EXPECT_TRUE(sum1->Matches(MakeCode(0, 0, 0, 9), RowsWith(t, {"9-27"}), false, false, L));
    EXPECT_FALSE(sum1->Matches(MakeCode(0, 0, 0, 9), RowsWith(t, {"Остальные"}), false, false, L));
    EXPECT_EQ(sum1->GetName(), "Сумма тиража: диапазон 1 (1/3)");
    EXPECT_EQ(b.Create("SUM2")->GetName(), "Сумма тиража: диапазон 2 (1/2)");
    EXPECT_FALSE(sum1->Class().CanParseValue());
}

TEST(SumsAndDiffs, FullSetOfSumsAgainstCountedSums) {
    TStatBench b;
    std::map<int, int> counted;
    for (int ci = 0; ci < kCombCount; ++ci) ++counted[SumOfIndex(ci)];
    const TStatDrawArray sums = ComputeFullSetTable(*b.Create("SUMS"));
    ASSERT_EQ(sums.size(), 37u);
    for (const TStatDraw& r : sums) EXPECT_EQ(r.Count, counted[r.Key.KeyA()]) << r.Key.KeyA();
    const TFullSet set = FullSetOf(sums);
    EXPECT_EQ(set.FullMin, 1);
    EXPECT_EQ(set.FullMax, 670);
    // Three of four differences in a row never repeat a multiplicity above 3.
    const TStatDrawArray difk = ComputeFullSetTable(*b.Create("DIFK"));
    int total = 0;
    for (const TStatDraw& r : difk) total += r.Count;
    EXPECT_EQ(total, kCombCount);
    EXPECT_EQ(difk.size(), 3u);
}

TEST(SumsAndDiffs, SumChangeLooksAtDrawsAfterSumsLikeTheCurrentOne) {
    TStatBench b;
    // No earlier draw has the current sum 12 before it: an empty table.
    b.Draws = DrawsOf({"1111", "2222", "3333"});
    EXPECT_EQ(b.Table("SUMC", 3).Size(), 0);
    // 20 -> 15 after a 20, then the current 20 itself (its previous sum is 15).
    b.Draws = DrawsOf({"5555", "3444", "9920"});
    EXPECT_EQ(ColumnTexts(b.Table("SUMC", 3), TStatColumn::Value),
              (std::vector<std::string>{"- 05 : 20 - 5 = 15"}));
    EXPECT_EQ(CountsByValue(b.Table("SUMT", 3)), (TCounts{{"=", "0"}, {"+", "0"}, {"-", "1"}}));
    EXPECT_EQ(ColumnTexts(b.Table("SUMV", 3), TStatColumn::Value), (std::vector<std::string>{"- 05"}));
    b.Draws = DrawsOf({"1240", "0007", "1600", "2320", "0070"});
    // Every sum is 7: four draws follow a 7.
    EXPECT_EQ(ColumnTexts(b.Table("SUMC", 5), TStatColumn::Value),
              (std::vector<std::string>{"+00 : 7 + 0 = 7"}));
    EXPECT_EQ(CountsByValue(b.Table("SUMV", 5)), (TCounts{{"+00", "4"}}));
}

TEST(SumsAndDiffs, TheOldestDrawFollowsASumOfZero) {
    TStatBench b;
    b.Draws = DrawsOf({"0012", "0000"});
    EXPECT_EQ(CountsByValue(b.Table("SUMT", 2)), (TCounts{{"=", "0"}, {"+", "1"}, {"-", "0"}}));
    b.Draws = DrawsOf({"0000", "0000"});
    EXPECT_EQ(CountsByValue(b.Table("SUMT", 2)), (TCounts{{"=", "2"}, {"+", "0"}, {"-", "0"}}));
    // The draw before the window is still the previous draw of the window's first draw.
    b.Draws = DrawsOf({"5000", "1400", "0050"});
    EXPECT_EQ(CountsByValue(b.Table("SUMT", 1)), (TCounts{{"=", "1"}, {"+", "0"}, {"-", "0"}}));
}

TEST(SumsAndDiffs, CandidatesFollowTheCurrentDraw) {
    TStatBench b;
    b.Draws = DrawsOf({"5555", "3444", "9920"}); // current sum 20
    const int L = 2;
    std::map<int, size_t> bySum;
    for (int ci = 0; ci < kCombCount; ++ci) ++bySum[SumOfIndex(ci)];

    auto sumv = b.Create("SUMV");
    TStatDraw fall;
    fall.Key = TStatKey::FromA(-5);
    EXPECT_EQ(Survivors(*sumv, {fall}, false, L), bySum[15]);
    auto sumt = b.Create("SUMT");
    TStatDraw rise;
    rise.Key = TStatKey::FromA(1);
    size_t above = 0;
    for (int s = 21; s <= 36; ++s) above += bySum[s];
    EXPECT_EQ(Survivors(*sumt, {rise}, false, L), above);
    auto sumc = b.Create("SUMC");
    const TStatTable t = b.Table("SUMC", 3);
    EXPECT_EQ(Survivors(*sumc, {t.Rows[0].Row}, false, L), bySum[15]);
    EXPECT_EQ(Survivors(*sumc, {t.Rows[0].Row}, true, L), kCombCount - bySum[15]);

    // Graph values look at the draw before the given one.
    auto& change = dynamic_cast<TCustomGraphStat&>(*sumc);
    EXPECT_EQ(change.DrawValue(1, L, false), -5);
    EXPECT_EQ(change.DrawValue(0, L, false), 20);
    EXPECT_EQ(change.CombValue(MakeCode(9, 9, 9, 9), 2, false, L), 36 - 15);
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*sumt).DrawValue(2, L, false), 1);
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*b.Create("SUM1")).DrawValue(1, L, false), 1);
}

TEST(SumsAndDiffs, SumMembersReadTheSameSortedOrNot) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    for (const char* code :
         {"SUMS", "SUM1", "SUM2", "SUM3", "SUMC", "SUMV", "SUMT", "SUME", "SUMP", "S2T3", "DIFD"})
        for (int offset : {0, 700}) {
            const TStatTable plain = b.Table(code, 1000, offset), sorted = b.Table(code, 1000, offset, true);
            ASSERT_EQ(plain.Size(), sorted.Size()) << code;
            for (int r = 0; r < plain.Size(); ++r) {
                EXPECT_EQ(plain.Rows[size_t(r)].Row, sorted.Rows[size_t(r)].Row) << code << " row " << r;
                EXPECT_EQ(plain.Rows[size_t(r)].Fact, sorted.Rows[size_t(r)].Fact) << code << " row " << r;
            }
        }
}
