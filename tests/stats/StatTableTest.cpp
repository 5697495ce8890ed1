#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "StatTestSupport.h"
#include "stats/FullSet.h"
#include "stats/StatTable.h"
#include "stats/TableSort.h"

using namespace qx;
using namespace qx::test;

namespace {

using enum TStatColumn;

// A row read through its table.
struct TRowOf {
    const TStatTable& T;
    int R;
    std::string_view operator[](TStatColumn c) const { return T.Text(R, c); }
    TStatCell Cell(TStatColumn c) const { return T.Cell(R, c); }
};

TRowOf RowOf(const TStatTable& t, const std::string& value) {
    for (int r = 0; r < t.Size(); ++r)
        if (t.Rows[size_t(r)].ValueText() == value) return {t, r};
    throw std::runtime_error("no row " + value);
}

} // namespace

TEST(StatTable, WindowLongerThanTheArchiveUsesEveryDraw) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "1567", "8899"});
    TStatTable t = b.Table("NUMS", 1000);
    EXPECT_EQ(t.Start, 0);
    EXPECT_EQ(t.Length, 3);
    EXPECT_EQ(t.Summary.Total, 12);
    const TRowOf one = RowOf(t, "1");
    EXPECT_EQ(one[Count], "2");
    EXPECT_EQ(one[CountPercent], "16.66667");
    EXPECT_EQ(one[Period], "1.5000");  // N / Count with N the draws actually used
    EXPECT_EQ(one[PeriodMin], "1");    // consecutive draws: gap 1
    EXPECT_EQ(one[PeriodMax], "1");
    EXPECT_EQ(one[Depth], "2");
    EXPECT_EQ(one[DepthPercent], "66.67");
    EXPECT_EQ(one[LastDraw], "2");
    // rnd(1.5 + 2) = 4 (half to even); rnd(3 * 2 / 2) = 3; rnd(4 * 3 / 3) = 4.
    EXPECT_EQ(one[ExpectedPeriod], "4");
    EXPECT_EQ(one[ExpectedFormula1], "3");
    EXPECT_EQ(one[ExpectedFormula2], "4");
    EXPECT_EQ(one[Fact], "-");  // offset 0: nothing follows
    EXPECT_EQ(one[DiffPeriod], "-");
    EXPECT_EQ(one.Cell(Fact).Kind, TStatCell::Dash);
    EXPECT_EQ(one.Cell(Period).Value(), 1.5L);
}

TEST(StatTable, NeverDrawnAndOnceDrawnValues) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "1567", "8899"});
    TStatTable t = b.Table("NUMS", 3);
    const TRowOf zero = RowOf(t, "0");
    EXPECT_EQ(zero[Count], "0");
    EXPECT_EQ(zero[CountPercent], "0.00000");
    for (int c = ColumnIndex(Depth); c < kStatColumnCount; ++c) EXPECT_EQ(zero[TStatColumn(c)], "-") << c;
    for (auto c : {Norm, Deviation, DeviationPercent}) EXPECT_EQ(zero[c], "-");  // without norms

    const TRowOf two = RowOf(t, "2");  // once, in the oldest draw
    EXPECT_EQ(two[Depth], "3");
    EXPECT_EQ(two[DepthPercent], "100.00");
    EXPECT_EQ(two[Weight], "3.00");  // default weights without norms: the depth
    for (auto c : {PeriodMin, Period, PeriodMax, ExpectedPeriod}) EXPECT_EQ(two[c], "-");
    EXPECT_EQ(two[ExpectedFormula1], "2");  // rnd(2 * 1 / 1)
    EXPECT_EQ(two[ExpectedFormula2], "3");  // rnd(3 * 2 / 2)

    const TStatValues v = StatValuesOf(t, two.R);
    EXPECT_EQ(v.Value, "2");
    EXPECT_EQ(v.NumValue, 0);
    EXPECT_EQ(v.Count, "1");
    EXPECT_EQ(v.Depth, "3");
    EXPECT_EQ(v.Weight, "3.00");
    EXPECT_EQ(v.Period, "-");
    EXPECT_EQ(v.Deviation, "-");
}

TEST(StatTable, FactLooksIntoTheDrawsHiddenByTheOffset) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "5678", "1111", "9999"});
    TStatTable t = b.Table("NUMS", 2, 2);  // window: draws 1 and 2
    const TRowOf one = RowOf(t, "1");
    EXPECT_EQ(one[LastDraw], "1");
    EXPECT_EQ(one[Fact], "3");
    EXPECT_EQ(t.Rows[size_t(one.R)].Fact, 3);
    EXPECT_EQ(one[ExpectedFormula1], "2");
    EXPECT_EQ(one[DiffFormula1], "-1");
    EXPECT_EQ(one[DiffFormula2], "0");
    EXPECT_EQ(one[DiffPeriod], "-");  // no expectation by period for a single occurrence
    EXPECT_EQ(RowOf(t, "5")[Fact], "-");  // never again
    EXPECT_EQ(RowOf(t, "9")[Fact], "-");  // never in the window

    TStatTable later = b.Table("NUMS", 4, 1);
    const TRowOf nine = RowOf(later, "9");
    EXPECT_EQ(nine[Fact], "-");
    EXPECT_EQ(RowOf(later, "1")[Fact], "-");
    TStatTable ahead = b.Table("NUMS", 1, 3);
    EXPECT_EQ(RowOf(ahead, "4")[ExpectedFormula2], "3");
    EXPECT_EQ(RowOf(ahead, "4")[Fact], "-");
    EXPECT_EQ(RowOf(ahead, "1")[Fact], "3");
    EXPECT_EQ(RowOf(ahead, "1")[DiffFormula2], "0");
    EXPECT_EQ(RowOf(ahead, "1")[DiffFormula1], "-1");
    // Two even digits in draw 1, next in draw 2; expected rnd(3 * 2 / 2) = 3.
    EXPECT_EQ(ColumnTexts(b.Table("EVEN", 1, 3), DiffFormula2)[1], "+1");
}

TEST(StatTable, ExpectationsRoundHalvesToEvenAndDifferencesCarryASign) {
    TStatBench b;
    b.Draws = DrawsOf({"1000", "2222", "1333"});
    const TStatTable t3 = b.Table("NUMS", 3);
    const TRowOf one = RowOf(t3, "1");
    EXPECT_EQ(one[ExpectedPeriod], "4");    // rnd(3 / 2 + 3) = rnd(4.5)
    EXPECT_EQ(one[ExpectedFormula1], "4");  // rnd(3 * 3 / 2) = rnd(4.5)
    EXPECT_EQ(one[ExpectedFormula2], "5");  // rnd(4 * 4 / 3)

    b.Draws = DrawsOf({"1000", "1000", "1999"});
    TStatTable t = b.Table("NUMS", 2, 1);
    const TRowOf d1 = RowOf(t, "1");
    EXPECT_EQ(d1[ExpectedPeriod], "3");
    EXPECT_EQ(d1[ExpectedFormula2], "4");
    EXPECT_EQ(d1[Fact], "3");
    EXPECT_EQ(d1[DiffPeriod], "0");
    EXPECT_EQ(d1[DiffFormula2], "+1");
    EXPECT_EQ(d1.Cell(DiffFormula2).Value(), 1.0L);
    EXPECT_TRUE(d1.Cell(DiffFormula2).LeadingPlus());
    const TRowOf d0 = RowOf(t, "0");
    EXPECT_EQ(d0[ExpectedPeriod], "2");  // rnd(2 / 6 + 2)
    EXPECT_EQ(d0[Fact], "-");
    EXPECT_EQ(d0[DiffFormula1], "-");
}

TEST(StatTable, FormulaExpectationsMultiplyIn64Bits) {
    TStatBench b;
    for (int i = 0; i < 100; ++i) b.Draws.push_back(StatDraw(30000000 + i, {1, 1, 1, 1}));
    const TStatTable t100 = b.Table("NUMS", 100);
    const TRowOf one = RowOf(t100, "1");
    EXPECT_EQ(one[Count], "400");
    EXPECT_EQ(one[ExpectedFormula1], "30075099");  // 401 * 30000099 passes 2^31
    EXPECT_EQ(one[ExpectedFormula2], "30074913");
}

TEST(StatTable, NormsWeightsAndTheUniformFullSet) {
    TStatBench b;
    b.Draws = DrawsOf({"5555", "5123", "0000", "0000"});
    TFullSet custom{1, 8, {{TStatKey::FromA(5), 7}}};  // scale MaxCount / FullMax = 8 / 8
    TStatTable t = b.Table("NUMS", 4, 0, false, &custom);
    ASSERT_TRUE(t.HasNorms);
    const TRowOf five = RowOf(t, "5");
    EXPECT_EQ(five[Count], "5");
    EXPECT_EQ(five[Norm], "7");
    EXPECT_EQ(five[Deviation], "-2");
    EXPECT_EQ(five[DeviationPercent], "-28.57143");
    EXPECT_EQ(five[Depth], "3");
    EXPECT_EQ(five[Weight], "5.00");  // 3 - (5 - 7)
    EXPECT_EQ(RowOf(t, "0")[DeviationPercent], "100.00000");  // no norm, counted
    EXPECT_EQ(RowOf(t, "4")[DeviationPercent], "0.00000");    // no norm, never counted

    // Every value equally frequent over the full set: norms sit at the middle of the counts.
    const TFullSet uniform = FullSetOf(ComputeFullSetTable(*b.Create("NUMS")));
    ASSERT_EQ(uniform.FullMin, uniform.FullMax);
    TStatTable u = b.Table("NUMS", 4, 0, false, &uniform);  // counts 0..8: norm rnd(4)
    for (int r = 0; r < u.Size(); ++r) EXPECT_EQ(u.Text(r, Norm), "4") << u.Rows[size_t(r)].ValueText();
    // A full set without counts gives no norms.
    TFullSet none{0, 0, {}};
    EXPECT_FALSE(b.Table("NUMS", 4, 0, false, &none).HasNorms);

    TStatDraw row;
    row.Count = 5;
    row.Norm = 7;
    row.Depth = 3;
    TStatSummary s;
    s.Total = 20;
    s.MaxDepth = 4;
    EXPECT_EQ(RowWeight(row, s, true, TStatWeights{}), 5.0L);
    TStatWeights w{1, 2, 0.5L, true, false};
    EXPECT_NEAR(double(RowWeight(row, s, true, w)), 25 - 400.0 / 7 + 37.5, 1e-12);
    w.UseAbsValues = true;
    EXPECT_NEAR(double(RowWeight(row, s, true, w)), 25 + 400.0 / 7 + 37.5, 1e-12);
    EXPECT_NEAR(double(RowWeight(row, s, false, w)), 25 + 37.5, 1e-12);
}

TEST(StatTable, EmptyWindowsAndTheDecimalSeparator) {
    TStatBench b;
    EXPECT_TRUE(b.Table("NUMS", 1000).Rows.empty());  // no draws at all
    b.Draws = DrawsOf({"1234", "1567", "8899"});
    EXPECT_TRUE(b.Table("NUMS", 0).Rows.empty());
    EXPECT_EQ(b.Table("NUMS", 0).Length, 0);
    auto stat = b.Create("NUMS");
    TStatTableParams p;
    p.Current = 2;
    p.WindowLength = 3;
    p.DecimalSeparator = ',';
    TStatTable t = ComputeTable(*stat, p);
    EXPECT_EQ(RowOf(t, "1")[CountPercent], "16,66667");
    EXPECT_EQ(RowOf(t, "1")[Period], "1,5000");
    EXPECT_EQ(RowOf(t, "1")[Weight], "2,00");
}

// A row's texts are made once, the first time they are asked for, and stay with the row when the
// table is sorted; sorting and cell numbers make none.
TEST(StatTable, TextsAreMadeOnceOnDemand) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "1567", "8899", "0001"});
    TStatTable t = b.Table("NUMS", 4);
    const uint64_t before = StatTextsMade();
    SortStatTable(t, ColumnIndex(Period), true);
    EXPECT_EQ(t.Cell(0, Count).Value(), 2.0L);  // the longest period: the smallest count of two or more
    EXPECT_EQ(StatTextsMade(), before);
    const std::string_view count = t.Text(0, Count);
    EXPECT_EQ(count, "2");
    EXPECT_EQ(StatTextsMade(), before + 1);
    EXPECT_EQ(t.Text(0, Count).data(), count.data());
    const std::string_view value = t.Text(0, Value);
    SortStatTable(t, ColumnIndex(Value), false);
    const auto moved = std::find_if(t.Rows.begin(), t.Rows.end(), [&](const TStatTableRow& r) { return r.ValueText() == value; });
    EXPECT_EQ(t.Text(int(moved - t.Rows.begin()), Count).data(), count.data());
    EXPECT_EQ(StatTextsMade(), before + 1);
    // A copy shares what is made.
    const TStatTable copy = t;
    EXPECT_EQ(copy.Text(int(moved - t.Rows.begin()), Count).data(), count.data());
}
