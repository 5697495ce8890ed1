// Channels, matrix rows and columns, segments: worked draws, filter counts over the full list,
// full sets counted here by hand, and the configuration each object copies.
#include <gtest/gtest.h>

#include <map>

#include "StatTestSupport.h"
#include "core/DrawHelpers.h"
#include "stats/FullSet.h"
#include "stats/StatBases.h"
#include "stats/StatClasses.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

std::vector<std::string> Values(const TStatTable& t) {
    return ColumnTexts(t, TStatColumn::Value);
}
std::vector<std::string> Counts(const TStatTable& t) {
    return ColumnTexts(t, TStatColumn::Count);
}

// Rows of the table whose value text is one of texts, as the filter receives them.
TStatDrawArray RowsNamed(const TStatTable& t, std::initializer_list<std::string> texts) {
    TStatDrawArray rows;
    for (int r = 0; r < t.Size(); ++r)
        for (const std::string& text : texts)
            if (t.Text(r, TStatColumn::Value) == text) rows.push_back(t.Rows[size_t(r)].Row);
    EXPECT_EQ(rows.size(), texts.size());
    return rows;
}

// How many of the 10,000 combinations the selected rows keep (or leave, with exclude).
size_t Survivors(const TStatBench& b, const std::string& code, const TStatDrawArray& selected,
                 bool exclude = false) {
    TCombsArray all, kept;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    auto stat = b.Create(code);
    FilterCombinations(*stat, selected, exclude, false, int(b.Draws.size()) - 1, all, kept);
    return kept.size();
}

TMatrixSegments SegmentsOf(const char* text) {
    TConfigData c;
    c.SetMatrixSegmentsText(text);
    return c.MatrixSegments;
}

} // namespace

TEST(GroupFamilies, ChannelsOfDraw0189WithWidthTwo) {
    TStatBench b;
    b.Draws = DrawsOf({"0189"});
    TStatTable chan = b.Table("CHAN", 1);
    EXPECT_EQ(Values(chan),
              (std::vector<std::string>{"01 [0-1]", "02 [2-3]", "03 [4-5]", "04 [6-7]", "05 [8-9]"}));
    EXPECT_EQ(Counts(chan), (std::vector<std::string>{"2", "0", "0", "0", "2"}));

    // Listed rows: channel 1 with counts 0..2, then channel 2 ...; a draw counts once per channel.
    TStatTable chnv = b.Table("CHNV", 1);
    ASSERT_EQ(chnv.Size(), 15);
    EXPECT_EQ(chnv.Text(0, TStatColumn::Value), "01 [0-1] x 0");
    EXPECT_EQ(chnv.Text(3, TStatColumn::Value), "02 [2-3] x 0");
    EXPECT_EQ(chnv.Text(14, TStatColumn::Value), "05 [8-9] x 2");
    std::vector<std::string> hit;
    for (int r = 0; r < chnv.Size(); ++r)
        if (chnv.Text(r, TStatColumn::Count) == "1") hit.emplace_back(chnv.Text(r, TStatColumn::Value));
    EXPECT_EQ(hit, (std::vector<std::string>{"01 [0-1] x 2", "02 [2-3] x 0", "03 [4-5] x 0", "04 [6-7] x 0",
                                             "05 [8-9] x 2"}));

    // Only 1..2 are listed for this width, though a draw can touch four channels.
    EXPECT_EQ(Values(b.Table("CHNC", 1)), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Counts(b.Table("CHNC", 1)), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(Values(b.Table("CHN5", 1)), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Counts(b.Table("CHN5", 1)), (std::vector<std::string>{"0", "1"}));
    // Counts of 0 are not listed but are values like any other.
    EXPECT_EQ(Values(b.Table("CHN3", 1)), (std::vector<std::string>{"1", "2", "0"}));

    auto chnc = b.Create("CHNC");
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*chnc).CombValue(MakeCode(0, 2, 5, 7), 0, false, 0), 4);
    EXPECT_EQ(b.Create("CHAN")->ParseValueChecked("03 [4-5]"), 3);
    EXPECT_EQ(b.Create("CHNV")->ParseValueChecked("03 [4-5] x 1"), 0);
}

TEST(GroupFamilies, WidthsThreeOneAndOutOfRange) {
    TStatBench b;
    b.Draws = DrawsOf({"0189"});
    b.Config.ChannelSize = 3;
    EXPECT_EQ(Values(b.Table("CHAN", 1)),
              (std::vector<std::string>{"01 [0-2]", "02 [3-5]", "03 [6-8]", "04 [9-11]"}));
    EXPECT_EQ(Counts(b.Table("CHAN", 1)), (std::vector<std::string>{"2", "0", "1", "1"}));
    EXPECT_EQ(b.Table("CHNV", 1).Size(), 16); // four channels, counts 0..3
    EXPECT_EQ(Values(b.Table("CHNC", 1)), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Counts(b.Table("CHNC", 1)), (std::vector<std::string>{"0", "0", "1"}));
    EXPECT_EQ(Values(b.Table("CHN2", 1)), (std::vector<std::string>{"1", "2", "3", "0"}));
    EXPECT_EQ(FindStatClass("TstChnValCnt")->ParamRange(b.Config).High, 4);

    b.Config.ChannelSize = 1;
    TStatTable chnv = b.Table("CHNV", 1);
    ASSERT_EQ(chnv.Size(), 20); // ten channels, counts 0..1
    EXPECT_EQ(chnv.Text(19, TStatColumn::Value), "10 [9-9] x 1");
    // Only 1 is listed; four channels get a row of their own.
    EXPECT_EQ(Values(b.Table("CHNC", 1)), (std::vector<std::string>{"1", "4"}));

    // A stored width outside 1..10 acts as 2, in the variants and in the objects.
    for (int width : {0, 11, -3}) {
        b.Config.ChannelSize = width;
        EXPECT_EQ(FindStatClass("TstChnValCnt")->ParamRange(b.Config).High, 5);
        EXPECT_EQ(b.Table("CHAN", 1).Size(), 5);
    }
}

TEST(GroupFamilies, RowsAndColumnsOfPairsAndTriples) {
    TStatBench b;
    b.Draws = DrawsOf({"3371"});
    // Rows are digit + 1: 4 4 8 2.
    EXPECT_EQ(Values(b.Table("KRM2", 1)), (std::vector<std::string>{"4:4", "4:8", "4:2", "8:2"}));
    EXPECT_EQ(Counts(b.Table("KRM2", 1)), (std::vector<std::string>{"1", "2", "2", "1"}));
    EXPECT_EQ(Values(b.Table("KRS2", 1)), (std::vector<std::string>{"4:4", "4:8", "8:2"}));
    EXPECT_EQ(Values(b.Table("KRM3", 1)), (std::vector<std::string>{"4:4:8", "4:4:2", "4:8:2"}));
    EXPECT_EQ(Counts(b.Table("KRM3", 1)), (std::vector<std::string>{"1", "1", "2"}));
    EXPECT_EQ(Values(b.Table("KRS3", 1)), (std::vector<std::string>{"4:4:8", "4:8:2"}));
    // One column: every pair is 0:0, six times per draw.
    EXPECT_EQ(Values(b.Table("KFM2", 1)), (std::vector<std::string>{"0:0"}));
    EXPECT_EQ(Counts(b.Table("KFM2", 1)), (std::vector<std::string>{"6"}));
    EXPECT_EQ(Counts(b.Table("KFS3", 1)), (std::vector<std::string>{"2"}));
    // Channels of pairs: 0 1 8 9 gives 1 1 5 5.
    b.Draws = DrawsOf({"0189"});
    EXPECT_EQ(Values(b.Table("KCM2", 1)), (std::vector<std::string>{"1:1", "1:5", "5:5"}));
    EXPECT_EQ(Counts(b.Table("KCM2", 1)), (std::vector<std::string>{"1", "4", "1"}));
    EXPECT_EQ(Values(b.Table("KCS3", 1)), (std::vector<std::string>{"1:1:5", "1:5:5"}));
    EXPECT_FALSE(b.Create("KRM2")->Class().CanParseValue());
}

TEST(GroupFamilies, DefaultAndConfiguredSegments) {
    TStatBench b;
    b.Draws = DrawsOf({"0189", "5555"});
    // The default table puts every digit in segment 1.
    EXPECT_EQ(Values(b.Table("SGMS", 2)), (std::vector<std::string>{"1"}));
    EXPECT_EQ(Values(b.Table("SGMC", 2)), (std::vector<std::string>{"1"}));
    EXPECT_EQ(Values(b.Table("SGM1", 2)), (std::vector<std::string>{"4"}));
    EXPECT_EQ(Counts(b.Table("SGMV", 2)), (std::vector<std::string>{"2"}));
    EXPECT_EQ(b.Table("SGMV", 2).Text(0, TStatColumn::Value), "1 x 4");

    // Position 1: digits 0-4 in 3, 5-9 in 2; position 2 all 7; positions 3 and 4 all 2.
    b.Config.MatrixSegments = SegmentsOf("3333322222777777777722222222222222222222");
    const TParamRange range = FindStatClass("TstSgmValCnt")->ParamRange(b.Config);
    EXPECT_EQ(range.Low, 2);
    EXPECT_EQ(range.High, 7);
    // Listed in order of first appearance; draw 0189 is 3 7 2 2, draw 5555 is 2 7 2 2.
    TStatTable sgms = b.Table("SGMS", 2);
    EXPECT_EQ(Values(sgms), (std::vector<std::string>{"3", "2", "7"}));
    EXPECT_EQ(Counts(sgms), (std::vector<std::string>{"1", "5", "2"}));
    TStatTable sgmv = b.Table("SGMV", 2);
    EXPECT_EQ(Values(sgmv), (std::vector<std::string>{"3 x 1", "2 x 2", "7 x 1", "3 x 0", "2 x 3"}));
    EXPECT_EQ(Counts(sgmv), (std::vector<std::string>{"1", "1", "2", "1", "1"}));
    EXPECT_EQ(Values(b.Table("SGMC", 2)), (std::vector<std::string>{"3", "2"}));
    EXPECT_EQ(Values(b.Table("SGM2", 2)), (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(Values(b.Table("SGM5", 2)), (std::vector<std::string>{"0"}));
    EXPECT_EQ(Values(b.Table("KGM2", 1)), (std::vector<std::string>{"2:7", "2:2", "7:2"}));
    // Sorting the draw moves digits between positions, and the positions have their own segments.
    EXPECT_EQ(Values(b.Table("SGMS", 1, 1, true)), (std::vector<std::string>{"3", "2", "7"}));
    EXPECT_EQ(Counts(b.Table("SGMS", 1, 1, true)), (std::vector<std::string>{"1", "2", "1"}));
    EXPECT_EQ(Counts(b.Table("SGMS", 1, 1, false)), (std::vector<std::string>{"1", "2", "1"}));
    b.Draws = DrawsOf({"9180"});
    EXPECT_NE(Counts(b.Table("SGMS", 1, 0, true)), Counts(b.Table("SGMS", 1, 0, false)));
}

TEST(GroupFamilies, FilterCountsOverTheFullList) {
    TStatBench b;
    b.Draws = DrawsOf({"0189"});
    TStatTable chnv = b.Table("CHNV", 1);
    // No digit in 0-1: 8^4.
    EXPECT_EQ(Survivors(b, "CHNV", RowsNamed(chnv, {"01 [0-1] x 0"})), 4096u);
    EXPECT_EQ(Survivors(b, "CHNV", RowsNamed(chnv, {"01 [0-1] x 0"}), true), 10000u - 4096u);
    // Some digit in 8-9: all but 8^4.
    EXPECT_EQ(Survivors(b, "CHAN", RowsNamed(b.Table("CHAN", 1), {"05 [8-9]"})), 10000u - 4096u);
    // Four distinct channels: 5 * 4 * 3 * 2 channel choices, 2^4 digit choices.
    TStatDrawArray four;
    four.push_back(TStatDraw{});
    four[0].Key = TStatKey::FromA(4);
    EXPECT_EQ(Survivors(b, "CHNC", four), 120u * 16u);
    // Exactly one 9: 4 * 9^3.
    b.Config.ChannelSize = 1;
    EXPECT_EQ(Survivors(b, "CHN10", RowsNamed(b.Table("CHN10", 1), {"1"})), 2916u);
    // Rows 4:4 or 8:2 in some pair: both digits 3 at two positions, or a 7 before a 1.
    b.Draws = DrawsOf({"3371"});
    size_t expected = 0;
    for (int ci = 0; ci < kCombCount; ++ci) {
        const TCombCode c = CodeOfIndex(ci);
        bool any = false;
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j) {
                const int a = DigitOfCode(c, i), d = DigitOfCode(c, j);
                any = any || (a == 3 && d == 3) || (a == 7 && d == 1);
            }
        expected += any;
    }
    EXPECT_EQ(Survivors(b, "KRM2", RowsNamed(b.Table("KRM2", 1), {"4:4", "8:2"})), expected);
}

TEST(GroupFamilies, FullSetsCountedIndependently) {
    TStatBench b;
    TStatDrawArray kfm2 = ComputeFullSetTable(*b.Create("KFM2"));
    ASSERT_EQ(kfm2.size(), 1u);
    EXPECT_EQ(kfm2[0].Count, 60000);
    TStatDrawArray sgm1 = ComputeFullSetTable(*b.Create("SGM1"));
    ASSERT_EQ(sgm1.size(), 1u);
    EXPECT_EQ(sgm1[0].Key.KeyA(), 4);
    EXPECT_EQ(sgm1[0].Count, 10000);
    TStatDrawArray krm3 = ComputeFullSetTable(*b.Create("KRM3"));
    ASSERT_EQ(krm3.size(), 1000u);
    for (const TStatDraw& r : krm3) ASSERT_EQ(r.Count, 40);
    // Channels of width 3 over all combinations, counted digit by digit.
    b.Config.ChannelSize = 3;
    std::map<std::pair<int, int>, int> expected;
    for (int ci = 0; ci < kCombCount; ++ci) {
        int n[5] = {};
        for (int p = 0; p < 4; ++p) ++n[ChannelOf(DigitOfCode(CodeOfIndex(ci), p), 3)];
        for (int k = 1; k <= 4; ++k) ++expected[{k, n[k]}];
    }
    TStatDrawArray chnv = ComputeFullSetTable(*b.Create("CHNV"));
    ASSERT_EQ(chnv.size(), expected.size());
    for (const TStatDraw& r : chnv) EXPECT_EQ(r.Count, (expected[{r.Key.K1(), r.Key.K2()}])) << r.Key.K1();
}

TEST(GroupFamilies, UnavailableClassesAreKnownButNeverRegistered) {
    for (const char* name :
         {"TstColumns", "TstRowAjacentCnt", "TstColValCnt", "TstRowValCnt", "TstCombChnMix4",
          "TstCombChnSeq4", "TstCombColMix4", "TstCombRowSeq4", "TstCombSegmMix4", "TstCombSegmSeq4"}) {
        const TStatClass* c = FindStatClass(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_FALSE(c->Available()) << name;
    }
    EXPECT_EQ(FindStatClass("TstCombRowMix4")->Code(0), "KRM4");
    EXPECT_EQ(FindStatClass("TstCombRowMix3")->Name(0), "Сочетания из 3 строк по всем числам тиража");
    EXPECT_EQ(FindStatClass("TstChnValCnt")->HelpCodeFormat(), "CHNx");
    EXPECT_EQ(FindStatClass("TstSgmValCnt")->HelpCodeFormat(), "SGMx");
    TStatList list;
    list.Register();
    EXPECT_EQ(list.IndexOfCode("KRM4"), -1);
    EXPECT_EQ(list.IndexOfCode("COLS"), -1);
    EXPECT_EQ(list.IndexOfCode("COL1"), -1);
    EXPECT_NE(list.IndexOfCode("KRM3"), -1);
    TStatBench b;
    auto krm4 = FindStatClass("TstCombRowMix4")->Create(b.Env(), 0);
    TStatDrawArray any(1);
    EXPECT_FALSE(krm4->Matches(MakeCode(1, 2, 3, 4), any, false, false, 0));
}

TEST(GroupFamilies, ObjectsKeepTheConfigurationTheyWereMadeWith) {
    TStatBench b;
    b.Draws = DrawsOf({"0189"});
    auto chan = b.Create("CHAN");
    auto sgms = b.Create("SGMS");
    b.Config.ChannelSize = 3;
    b.Config.MatrixSegments = SegmentsOf("2222222222");
    TStatTableParams p;
    p.Current = 0;
    p.WindowLength = 1;
    EXPECT_EQ(ComputeTable(*chan, p).Size(), 5);
    EXPECT_EQ(ComputeTable(*sgms, p).Size(), 1);
    EXPECT_EQ(b.Table("CHAN", 1).Size(), 4);
    EXPECT_EQ(Values(b.Table("SGMS", 1)), (std::vector<std::string>{"2", "1"}));
}

TEST(GroupFamilies, CodesWithBytesAboveNineIndexNoTable) {
    TStatBench b;
    b.Config.MatrixSegments = SegmentsOf("1234567891234567891234567891234567891234");
    b.Draws = DrawsOf({"0189"});
    const TCombCode bad[] = {MakeCode(1, 12, 3, 4), 0xFFFFFFFFu, MakeCode(200, 0, 0, 0)};
    for (const char* code : {"SGMS", "SGMV", "SGMC", "SGM2", "KGM2", "KGS3", "CHAN", "CHNV", "KRM2"}) {
        auto stat = b.Create(code);
        const TStatTable t = b.Table(code, 1);
        TStatDrawArray all;
        for (const auto& r : t.Rows) all.push_back(r.Row);
        TCombsArray kept;
        FilterCombinations(*stat, all, false, false, 0, bad, kept);
        EXPECT_LE(kept.size(), 3u) << code;
    }
}

TEST(GroupFamilies, ChannelCountsIgnoreTheOrderOfTheDigits) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    for (int width : {1, 2, 3})
        for (const char* code : {"CHAN", "CHNV", "CHNC", "CHN1", "CHN3"}) {
            b.Config.ChannelSize = width;
            const TStatTable plain = b.Table(code, 3000, 100), sorted = b.Table(code, 3000, 100, true);
            ASSERT_EQ(plain.Size(), sorted.Size()) << code << " width " << width;
            for (int r = 0; r < plain.Size(); ++r)
                EXPECT_TRUE(plain.Rows[size_t(r)].Row == sorted.Rows[size_t(r)].Row) << code << " row " << r;
        }
}
