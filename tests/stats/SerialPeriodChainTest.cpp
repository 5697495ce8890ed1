// Serial groups, periods and chains on small archives worked out by hand: the runs and gaps a
// window gives, the facts of runs found after the window, filters over the full list and the
// configuration (width 1, other segment tables) the members copy.
#include <gtest/gtest.h>

#include <random>

#include "StatTestSupport.h"
#include "stats/StatClasses.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"

using namespace qx;
using namespace qx::test;

namespace {

std::vector<std::string> Values(const TStatTable& t) { return ColumnTexts(t, TStatColumn::Value); }
std::vector<std::string> Counts(const TStatTable& t) { return ColumnTexts(t, TStatColumn::Count); }

int RowOf(const TStatTable& t, const std::string& text) {
    for (int r = 0; r < t.Size(); ++r)
        if (t.Text(r, TStatColumn::Value) == text) return r;
    ADD_FAILURE() << "no row " << text;
    return 0;
}

size_t Survivors(const TStatBench& b, const std::string& code, const TStatDrawArray& selected, bool exclude,
                 int L) {
    TCombsArray all, kept;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    auto stat = b.Create(code);
    FilterCombinations(*stat, selected, exclude, false, L, all, kept);
    return kept.size();
}

// Codes of the full list for which pred holds, counted here.
template <class Pred>
size_t CountCodes(Pred&& pred) {
    size_t n = 0;
    for (int ci = 0; ci < kCombCount; ++ci) n += pred(CodeOfIndex(ci));
    return n;
}
bool HasDigit(TCombCode c, int d) {
    for (int p = 0; p < kPositions; ++p)
        if (DigitOfCode(c, p) == d) return true;
    return false;
}

TStatDraw RowKey(int k1, int k2, int k3 = 0) {
    TStatDraw r;
    r.Key = TStatKey::FromParts(k1, k2, k3);
    return r;
}

// The registry's object for code over the fixture's draws: it reads tables off the archive's
// indexes, which objects made on their own do not have.
std::unique_ptr<TCustomStat> Registered(const TStatBench& b, const std::string& code) {
    TStatList list;
    list.SetDraws(&b.Draws);
    list.SetConfig(b.Config);
    list.Register();
    return list.CreateStat(list.IndexOfCode(code));
}

TStatTable RegisteredTable(const TStatBench& b, const std::string& code, int windowLength, int offset) {
    TStatTableParams p;
    p.Current = int(b.Draws.size()) - 1 - offset;
    p.WindowLength = windowLength;
    return ComputeTable(*Registered(b, code), p);
}

// The same rows and facts as the table of an object made on its own.
void ExpectSameTable(const TStatTable& a, const TStatTable& b) {
    ASSERT_EQ(a.Rows.size(), b.Rows.size());
    for (size_t r = 0; r < a.Rows.size(); ++r) {
        EXPECT_EQ(a.Rows[r].Row, b.Rows[r].Row) << r;
        EXPECT_EQ(a.Rows[r].Fact, b.Rows[r].Fact) << r;
    }
}

} // namespace

// Digit 5 in draws 1-3, missing from 4, back in the current draw 5: the broken run counts 3 at
// draw 3, the open run 1 at the current draw. Digits the current draw lacks give nothing.
TEST(SerialGroups, BrokenAndOpenRunsOfTheCurrentDrawsDigits) {
    TStatBench b;
    b.Draws = DrawsOf({"5123", "5467", "5890", "1234", "5678", "5000", "5111", "2222"});
    const TStatTable t = b.Table("GRPV", 5, 3);
    EXPECT_EQ(Values(t), (std::vector<std::string>{"6 x 1", "7 x 1", "5 x 3", "8 x 1", "5 x 1"}));
    EXPECT_EQ(Counts(t), (std::vector<std::string>{"2", "2", "1", "2", "1"}));
    const TStatDraw& five = t.Rows[size_t(RowOf(t, "5 x 3"))].Row;
    EXPECT_EQ(five.LastDraw, 3); // the run's last draw, not the draw that broke it
    EXPECT_EQ(five.Depth, 3);
    // The fact replays from draw 4 with no runs: 5 runs again at draws 5-7 and breaks at 8. The
    // row it produces there carries the run's last draw, 7.
    EXPECT_EQ(t.Rows[size_t(RowOf(t, "5 x 3"))].Fact, 7);
    // The run open at the current draw is not seen again after it.
    EXPECT_EQ(t.Rows[size_t(RowOf(t, "5 x 1"))].Fact, -1);

    // Pauses of the same digits: 6 was absent from draw 1 only, 8 from draws 1-2 and 4.
    const TStatTable pauses = b.Table("GRPP", 5, 3);
    EXPECT_EQ(Values(pauses), (std::vector<std::string>{"6 x 1", "7 x 1", "8 x 2", "5 x 1", "6 x 2", "7 x 2", "8 x 1"}));

    // A candidate matches by any digit of a selected row's value.
    EXPECT_EQ(Survivors(b, "GRPV", {five}, false, 4), CountCodes([](TCombCode c) { return HasDigit(c, 5); }));
    EXPECT_EQ(Survivors(b, "GRPV", {five}, true, 4), CountCodes([](TCombCode c) { return !HasDigit(c, 5); }));
}

// Digit 5 runs over draws 1-3, 5-6 and 8-9. A window of draws 3-6 meets the first run at its
// last draw only (5 x 1) and the second at the current draw (5 x 2); 9 runs at draw 6 alone.
// Searches count a run from where they start, and the run holding the current draw up to it.
TEST(SerialGroups, RunsCutWhereTheWindowOrTheSearchStarts) {
    TStatBench b;
    b.Draws = DrawsOf({"5000", "5111", "5222", "1234", "5678", "5999", "1111", "5555", "5123", "0000"});
    const TStatTable t = RegisteredTable(b, "GRPV", 4, 4);
    EXPECT_EQ(Values(t), (std::vector<std::string>{"5 x 1", "5 x 2", "9 x 1"}));
    EXPECT_EQ(Counts(t), (std::vector<std::string>{"1", "1", "1"}));
    // After draw 6, 5 runs two draws again (8-9), ended by draw 10.
    EXPECT_EQ(t.Rows[1].Fact, 9);
    EXPECT_EQ(t.Rows[0].Fact, -1);
    ExpectSameTable(t, b.Table("GRPV", 4, 4));

    auto stat = Registered(b, "GRPV"), plain = b.Create("GRPV");
    const TStatDraw one = RowKey(5, 1), two = RowKey(5, 2);
    EXPECT_EQ(stat->FindNext(one, 8, false, 5), 9);  // the run of draws 8-9 from draw 9 on
    EXPECT_EQ(stat->FindNext(two, 1, false, 5), 3);  // the run of draws 1-3 from draw 2 on
    EXPECT_EQ(stat->FindNext(one, 5, false, 5), 6);  // at the current draw, the run from it on
    EXPECT_EQ(stat->FindNext(two, 5, false, 5), 9);  // that run is one draw long there: 8-9 next
    for (int from = 0; from <= 10; ++from)
        for (const TStatDraw& row : {one, two})
            EXPECT_EQ(stat->FindNext(row, from, false, 5), plain->FindNext(row, from, false, 5)) << from;
}

// A stored width outside 1..10 acts as 2; an object keeps the width it was made with.
TEST(SerialGroups, WidthsOutOfRangeActAsTwo) {
    TStatBench b;
    b.Draws = DrawsOf({"9990", "9991", "1239", "4567", "2389"});
    const std::vector<std::string> two = Values(b.Table("GRCV", 5));
    auto made = b.Create("SC2C5");
    for (int width : {0, 11, -4}) {
        b.Config.ChannelSize = width;
        EXPECT_EQ(Values(b.Table("GRCV", 5)), two) << width;
        EXPECT_EQ(FindStatClass("TstChain2CnlCnt")->ParamRange(b.Config).High, 5) << width;
    }
    b.Config.ChannelSize = 1;
    EXPECT_NE(Values(b.Table("GRCV", 5)), two);
    TStatBench twoWide;
    twoWide.Draws = b.Draws;
    TStatTableParams p;
    p.Current = 4;
    p.WindowLength = 5;
    EXPECT_EQ(ComputeTable(*made, p).Rows.size(), twoWide.Table("SC2C5", 5).Rows.size());
}

TEST(SerialGroups, TenChannelsOfWidthOneAndSegmentsOfTheTable) {
    TStatBench b;
    b.Config.ChannelSize = 1;
    b.Draws = DrawsOf({"9990", "9991", "1239"});
    // Channel 10 is digit 9, in all three draws; channel 1 (digit 0) broke after the first but the
    // current draw lacks it.
    EXPECT_EQ(Values(b.Table("GRCV", 3)), (std::vector<std::string>{"02 x 2", "03 x 1", "04 x 1", "10 x 3"}));
    EXPECT_EQ(Values(b.Table("GRCP", 3)), (std::vector<std::string>{"02 x 1", "03 x 2", "04 x 2"}));

    // Segment 0 is a value like any other; the segments run from the smallest number to the largest.
    b.Config.SetMatrixSegmentsText("0000099999000009999900000999990000099999");
    EXPECT_EQ(Values(b.Table("GRSV", 3)), (std::vector<std::string>{"0 x 3", "9 x 3"}));
    EXPECT_TRUE(b.Table("GRSP", 3).Rows.empty());
}

// A window of draws 3-6: the first draw there holding 1 (draw 3) or 2 (also draw 3) gives no gap,
// though the archive has one for it (to draws 1 and 2); 1 and 3 come back at draw 5, 2 at draw 6.
TEST(Periods, TheWindowsFirstOccurrenceOfAValueGivesNoGap) {
    TStatBench b;
    b.Draws = DrawsOf({"1111", "2222", "1222", "3333", "1333", "2444"});
    const TStatTable t = RegisteredTable(b, "PRDV", 4, 0);
    EXPECT_EQ(Values(t), (std::vector<std::string>{"1 x 2", "3 x 1", "2 x 3"}));
    EXPECT_EQ(Counts(t), (std::vector<std::string>{"1", "1", "1"}));
    ExpectSameTable(t, b.Table("PRDV", 4));
    // The whole archive: 1's gap of 2 twice, 2's gap of 1 at draw 3.
    const TStatTable all = RegisteredTable(b, "PRDV", 6, 0);
    EXPECT_EQ(Values(all), (std::vector<std::string>{"1 x 2", "2 x 1", "3 x 1", "2 x 3"}));
    EXPECT_EQ(Counts(all), (std::vector<std::string>{"2", "1", "1", "1"}));
    ExpectSameTable(all, b.Table("PRDV", 6));
}

// Numbers that jump about give a gap of a new size almost every time: past a few thousand keys
// the registry's object merges the window's draws like an object made on its own.
TEST(Periods, NumberingThatJumpsAboutGivesTheSameTables) {
    TStatBench b;
    std::mt19937 rnd(3);
    int number = 1;
    for (int i = 0; i < 1600; ++i) {
        number += 1 + int(rnd() % 30000);
        b.Draws.push_back(StatDraw(number, {int(rnd() % 10), int(rnd() % 10), int(rnd() % 10), int(rnd() % 10)}));
    }
    for (int window : {1600, 40}) {
        ExpectSameTable(RegisteredTable(b, "PRDV", window, 0), b.Table("PRDV", window));
        ExpectSameTable(RegisteredTable(b, "PRDC", window, 7), b.Table("PRDC", window, 7));
    }
}

// Digit 1 in draws 1, 2 and 4 gives gaps 1 and 2; a digit seen once, or twice in one draw, gives none.
TEST(Periods, GapsBetweenOccurrencesAndTheDrawTheyPointBackTo) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "1567", "8899", "1000"});
    const TStatTable t = b.Table("PRDV", 4);
    EXPECT_EQ(Values(t), (std::vector<std::string>{"1 x 1", "1 x 2"}));
    for (const auto& row : t.Rows) EXPECT_EQ(row.Fact, -1);

    // (1, 1) points at the current draw, which holds 1; (1, 2) at draw 3, which does not.
    const TStatDraw one = t.Rows[0].Row, two = t.Rows[1].Row;
    const size_t withOne = CountCodes([](TCombCode c) { return HasDigit(c, 1); });
    EXPECT_EQ(Survivors(b, "PRDV", {one}, false, 3), withOne);
    EXPECT_EQ(Survivors(b, "PRDV", {one}, true, 3), size_t(kCombCount));
    EXPECT_EQ(Survivors(b, "PRDV", {two}, false, 3), 0u);
    EXPECT_EQ(Survivors(b, "PRDV", {two}, true, 3), kCombCount - withOne);
    // A gap longer than the archive points before its first draw: the all-zero draw, holding 0 only.
    EXPECT_EQ(Survivors(b, "PRDV", {RowKey(0, 50)}, false, 3), CountCodes([](TCombCode c) { return HasDigit(c, 0); }));
    EXPECT_EQ(Survivors(b, "PRDV", {RowKey(1, 50)}, false, 3), 0u);
    EXPECT_EQ(Survivors(b, "PRDV", {RowKey(1, -30000)}, true, 3), kCombCount - withOne);

    // Channels and segments map each position first.
    EXPECT_EQ(Values(b.Table("PRDC", 4)), (std::vector<std::string>{"01 x 1", "03 x 1", "01 x 2"}));
    b.Config.SetMatrixSegmentsText("1111122222333334444455555666667777788888");
    EXPECT_EQ(Values(b.Table("PRDG", 4)), (std::vector<std::string>{"1 x 1", "4 x 1", "6 x 1", "8 x 1", "1 x 2", "3 x 3", "5 x 3", "7 x 3"}));
}

TEST(Chains, EveryPreviousDigitAndPositionWise) {
    TStatBench b;
    b.Draws = DrawsOf({"1123", "1890"});
    // Both 1s of the previous draw lead to every digit of the current draw.
    const TStatTable all = b.Table("SDV2", 2);
    EXPECT_EQ(Values(all), (std::vector<std::string>{"1 -> 1", "1 -> 8", "1 -> 9", "1 -> 0"}));
    EXPECT_EQ(Counts(all), (std::vector<std::string>{"2", "2", "2", "2"}));
    EXPECT_EQ(Values(b.Table("SDP2", 2)), (std::vector<std::string>{"1 -> 1"}));
    EXPECT_EQ(Values(b.Table("SDN1", 2)), (std::vector<std::string>{"1 -> 1"}));
    EXPECT_TRUE(b.Table("SDN2", 2).Rows.empty());
    // Channels of width 2: 1123 holds channels 1, 1, 2, 2 and 1890 channels 1, 5, 5, 1.
    EXPECT_EQ(Values(b.Table("SCP2", 2)), (std::vector<std::string>{"01 -> 01"}));
    EXPECT_EQ(Counts(b.Table("SCV2", 2)), (std::vector<std::string>{"4", "4"}));
    EXPECT_EQ(Values(b.Table("SCV2", 2)), (std::vector<std::string>{"01 -> 01", "01 -> 05"}));
    // A candidate matches by a digit equal to where a selected chain leads.
    EXPECT_EQ(Survivors(b, "SDV2", {all.Rows[size_t(RowOf(all, "1 -> 8"))].Row}, false, 1),
              CountCodes([](TCombCode c) { return HasDigit(c, 8); }));

    // Three draws: draw 3 follows 4567 (the current draw) after 4512 (the draw before it).
    b.Draws = DrawsOf({"4512", "4567", "7777", "4512", "4567"});
    EXPECT_EQ(Values(b.Table("SDP3", 5)), (std::vector<std::string>{"4-4 -> 7", "5-5 -> 7", "1-6 -> 7", "2-7 -> 7"}));
    EXPECT_EQ(Values(b.Table("SDM3", 5)), (std::vector<std::string>{"1-6 -> 7"}));
    EXPECT_EQ(Values(b.Table("SCM1", 5)), (std::vector<std::string>{"03-03 -> 04"}));
}

// Previous draw 1500, current 1023, width 2: 1 and 0 (twice) lead into channel 1, where 1023 holds
// 1 and then 0, so the last same-channel digit 0 merges (x -> 0) again.
TEST(Chains, WithinChannels) {
    TStatBench b;
    b.Draws = DrawsOf({"1500", "1023"});
    EXPECT_EQ(Values(b.Table("SDA2", 2)), (std::vector<std::string>{"1 -> 1", "1 -> 0", "0 -> 1", "0 -> 0"}));
    EXPECT_EQ(Counts(b.Table("SDA2", 2)), (std::vector<std::string>{"1", "2", "2", "4"}));
    EXPECT_EQ(Counts(b.Table("SDG2", 2)), (std::vector<std::string>{"1", "1", "2", "2"}));
    EXPECT_EQ(Values(b.Table("SDZ2", 2)), (std::vector<std::string>{"1 -> 0", "0 -> 0"}));
    EXPECT_EQ(Counts(b.Table("SDZ2", 2)), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(Values(b.Table("SDC2", 2)), (std::vector<std::string>{"1 -> 2", "0 -> 2"}));

    // (1 -> 0) accepts any digit of 1's channel; (0 -> 0) only the digit 0.
    const TStatTable t = b.Table("SDA2", 2);
    EXPECT_EQ(Survivors(b, "SDA2", {t.Rows[1].Row}, false, 1),
              CountCodes([](TCombCode c) { return HasDigit(c, 0) || HasDigit(c, 1); }));
    EXPECT_EQ(Survivors(b, "SDA2", {t.Rows[3].Row}, false, 1), CountCodes([](TCombCode c) { return HasDigit(c, 0); }));
}

TEST(Chains, CountsListedInAdvanceAndMatchedByCount) {
    TStatBench b;
    b.Draws = DrawsOf({"1023", "1456", "1078"});
    // Channel 1 (digits 0, 1): the current draw has 2; after the last draw with 2 came one with 1.
    const TStatTable two = b.Table("SC2C1", 3);
    EXPECT_EQ(Values(two), (std::vector<std::string>{"2 -> 0", "2 -> 1", "2 -> 2"}));
    EXPECT_EQ(Counts(two), (std::vector<std::string>{"0", "1", "0"}));
    EXPECT_EQ(Values(b.Table("SC3C1", 3)), (std::vector<std::string>{"1-2 -> 0", "1-2 -> 1", "1-2 -> 2"}));
    EXPECT_EQ(Survivors(b, "SC2C1", {two.Rows[1].Row}, false, 2), 4u * 2 * 8 * 8 * 8);

    // Width 1: ten channels, w + 1 rows; a code of two digits names channel 10.
    b.Config.ChannelSize = 1;
    EXPECT_EQ(FindStatClass("TstChain2CnlCnt")->ParamRange(b.Config).High, 10);
    EXPECT_EQ(Values(b.Table("SC2C10", 3)), (std::vector<std::string>{"0 -> 0", "0 -> 1"}));
    ASSERT_NE(b.Create("SC3C10"), nullptr);
    EXPECT_EQ(b.Create("SC3C10")->GetName(), "Переходы кол-ва чисел в 10 канале между 3 тиражами");

    // Segments list one row; variants run over the table's numbers, 9 and 1 as starting bounds.
    b.Config.SetMatrixSegmentsText("5555566666555556666655555666665555566666");
    const TParamRange range = FindStatClass("TstChain2SgmCnt")->ParamRange(b.Config);
    EXPECT_EQ(range.Low, 5);
    EXPECT_EQ(range.High, 6);
    // Segment 5 (digits 0-4): 1456 has two like the current 1078; 1078 followed with two.
    EXPECT_EQ(Values(b.Table("SS2C5", 3)), (std::vector<std::string>{"2 -> 0", "2 -> 2"}));
    EXPECT_EQ(Values(b.Table("SS3C6", 3)), (std::vector<std::string>{"2-2 -> 0"}));
}

TEST(Chains, NamesAndTexts) {
    EXPECT_EQ(FindStatClass("TstChain2Pos")->Name(3), "Переходы чисел между 2 тиражами в 3 позиции");
    EXPECT_EQ(FindStatClass("TstChain3SegmentsPos")->Name(0), "Переходы сегментов между 3 тиражами с учетом позиции");
    EXPECT_EQ(FindStatClass("TstChain2Pos")->HelpCodeFormat(), "SDNx");
    EXPECT_EQ(FindStatClass("TstChain3SgmCnt")->Code(4), "SS3C4");
    for (const char* name : {"TstNumGroups", "TstChnPeriods", "TstChain2DrawsAll", "TstChain3CnlCnt", "TstChainChannels2InsideCnt"})
        EXPECT_FALSE(FindStatClass(name)->CanParseValue()) << name;
    EXPECT_EQ(FlagLetters(FindStatClass("TstChain2DrawsPos")->Flags()), "SD");
    EXPECT_EQ(FlagLetters(FindStatClass("TstNumPeriods")->Flags()), "P");
}
