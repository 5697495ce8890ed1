// Sequences, repeats, combination values and Ognev numbers: worked examples, candidates judged
// as the draw after the current one, and full sets against counts made here.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "LiteralStats.h"
#include "StatTestSupport.h"
#include "stats/FullSet.h"
#include "stats/StatBases.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"
#include "stats/families/Ognev.h"

using namespace qx;
using namespace qx::test;

namespace {

using TCounts = std::map<std::string, std::string>;

// Value text -> count text of every row.
TCounts Counts(const TStatTable& t) {
    TCounts m;
    for (int r = 0; r < t.Size(); ++r) m[std::string(t.Text(r, TStatColumn::Value))] = t.Text(r, TStatColumn::Count);
    return m;
}

TStatDraw RowOf(TStatKey key) {
    TStatDraw row;
    row.Key = key;
    return row;
}

TCombsArray FullList() {
    TCombsArray all;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    return all;
}

TCombsArray Survivors(TCustomStat& stat, const TStatDrawArray& selected, int L, bool sorted = false) {
    TCombsArray out;
    FilterCombinations(stat, selected, false, sorted, L, FullList(), out);
    return out;
}

int DrawValueOf(const TStatBench& b, const char* code, int index) {
    auto stat = b.Create(code);
    return dynamic_cast<TCustomGraphStat&>(*stat).DrawValue(index, index, false);
}

// Runs of +1 steps read off the digits as a string: a run ends where the next digit is not the
// next character.
std::vector<int> RunLengthsOf(int ci) {
    const std::string s = std::to_string(10000 + ci).substr(1);
    std::vector<int> runs{1};
    for (size_t k = 1; k < s.size(); ++k) {
        if (s[k] == s[k - 1] + 1)
            ++runs.back();
        else
            runs.push_back(1);
    }
    return runs;
}

// The characteristic number by the definition: a list shrunk by differences until two are left.
std::vector<int> OgnevOf(std::vector<int> x, int mode) {
    while (x.size() > 2) {
        std::vector<int> next;
        for (size_t k = 1; k < x.size(); ++k) next.push_back(std::abs(x[k] - x[k - 1]));
        x = next;
    }
    int v = std::abs(x[1] - x[0]);
    if (mode == 1 && v < 2) v = x[0] + x[1];
    if (mode == 2 && v == 0) v = x[0] + x[1];
    if (mode == 2 && v == 1) return {1, x[0] + x[1]};
    return {v};
}

std::vector<int> OgnevOfCode(int ci, int mode) {
    return OgnevOf({ci / 1000, ci / 100 % 10, ci / 10 % 10, ci % 10}, mode);
}

std::map<int, int> FullSetCounts(const TStatBench& b, const char* code) {
    std::map<int, int> counts;
    for (const TStatDraw& r : ComputeFullSetTable(*b.Create(code))) counts[r.Key.KeyA()] = r.Count;
    return counts;
}

} // namespace

TEST(CrossDraw, SequencesOfRisingDigits) {
    TStatBench b;
    b.Draws = DrawsOf({"3459"});
    EXPECT_EQ(Counts(b.Table("SEQL", 1)), (TCounts{{"1", "1"}, {"2", "0"}, {"3", "1"}, {"4", "0"}}));
    EXPECT_EQ(Counts(b.Table("SEQS", 1)), (TCounts{{"0", "0"}, {"1", "1"}, {"2", "0"}}));
    EXPECT_EQ(Counts(b.Table("LENS", 1)), (TCounts{{"1", "0"}, {"2", "0"}, {"3", "1"}, {"4", "0"}}));
    EXPECT_EQ(DrawValueOf(b, "LENS", 0), 3);

    // Falling steps make no run in the table; the graph counts them as steps too.
    b.Draws = DrawsOf({"5432"});
    EXPECT_EQ(Counts(b.Table("SEQL", 1))["1"], "4");
    EXPECT_EQ(Counts(b.Table("LENS", 1))["1"], "1");
    EXPECT_EQ(Counts(b.Table("SEQS", 1))["0"], "1");
    EXPECT_EQ(DrawValueOf(b, "LENS", 0), 4);
    EXPECT_EQ(DrawValueOf(b, "SEQS", 0), 1);
    // Without any step of one the graph plots 0, not 1; a step up then down is one run of three.
    b.Draws = DrawsOf({"1357", "1210"});
    EXPECT_EQ(DrawValueOf(b, "LENS", 0), 0);
    EXPECT_EQ(DrawValueOf(b, "LENS", 1), 4);

    // A candidate without any rising step matches the LENS row of 1; one with a run of two does not.
    auto lens = b.Create("LENS");
    TCombsArray some = {MakeCode(5, 4, 3, 2), MakeCode(1, 2, 9, 9)}, out;
    FilterCombinations(*lens, TStatDrawArray{RowOf(TStatKey::FromA(1))}, false, false, 1, some, out);
    EXPECT_EQ(out, TCombsArray{MakeCode(5, 4, 3, 2)});
}

TEST(CrossDraw, SequenceAndOgnevFullSetsAgainstCountsMadeHere) {
    TStatBench b;
    std::map<int, int> seql, seqs, lens, hco1, hco2;
    for (int ci = 0; ci < kCombCount; ++ci) {
        const std::vector<int> runs = RunLengthsOf(ci);
        for (int length : runs) ++seql[length];
        ++seqs[int(std::count_if(runs.begin(), runs.end(), [](int n) { return n > 1; }))];
        ++lens[*std::max_element(runs.begin(), runs.end())];
        ++hco1[OgnevOfCode(ci, 0)[0]];
        ++hco2[OgnevOfCode(ci, 1)[0]];
    }
    EXPECT_EQ(FullSetCounts(b, "SEQL"), seql);
    EXPECT_EQ(FullSetCounts(b, "SEQS"), seqs);
    EXPECT_EQ(FullSetCounts(b, "LENS"), lens);
    EXPECT_EQ(FullSetCounts(b, "HCO1"), hco1);
    EXPECT_EQ(FullSetCounts(b, "HCO2"), hco2);
}

TEST(CrossDraw, RepeatsFromThePreviousDraw) {
    TStatBench b;
    b.Draws = DrawsOf({"1275", "1770"});
    // Listed: the current draw's digits; only the current draw repeats (positions 1 and 3).
    const TStatTable rpv2 = b.Table("RPV2", 2);
    EXPECT_EQ(ColumnTexts(rpv2, TStatColumn::Value), (std::vector<std::string>{"1", "7", "0"}));
    EXPECT_EQ(Counts(rpv2), (TCounts{{"1", "1"}, {"7", "1"}, {"0", "0"}}));
    // The oldest draw is compared with four zeros: no repeat, a count of 0 after the listed 1..4.
    const TStatTable rpc2 = b.Table("RPC2", 2);
    EXPECT_EQ(ColumnTexts(rpc2, TStatColumn::Value), (std::vector<std::string>{"1", "2", "3", "4", "0"}));
    EXPECT_EQ(Counts(rpc2), (TCounts{{"0", "1"}, {"1", "0"}, {"2", "1"}, {"3", "0"}, {"4", "0"}}));

    // A candidate is the draw after 1770: two positions equal to it, the other two not.
    auto counts = b.Create("RPC2");
    EXPECT_EQ(Survivors(*counts, {RowOf(TStatKey::FromA(2))}, 1).size(), 6u * 9 * 9);
    // Shifted by one: only 2881 has all four positions one above 1770.
    auto plusOne = b.Create("PRC+1");
    EXPECT_EQ(Survivors(*plusOne, {RowOf(TStatKey::FromA(4))}, 1), TCombsArray{MakeCode(2, 8, 8, 1)});
    // Two draws back of the candidate is 1275: 1, 7 and 5 sit where 1275 has them.
    auto overOne = b.Create("RPO1");
    const TCombsArray three = Survivors(*overOne, {RowOf(TStatKey::FromA(4))}, 1);
    EXPECT_EQ(three, TCombsArray{MakeCode(1, 2, 7, 5)});
    // A value member keeps every candidate holding a selected digit anywhere.
    EXPECT_EQ(Survivors(*b.Create("RPV2"), {RowOf(TStatKey::FromA(7))}, 1).size(), size_t(kCombCount - 6561));
}

TEST(CrossDraw, ShiftedRepeatsWrapRound) {
    TStatBench b;
    b.Draws = DrawsOf({"9123", "0234", "9555"});
    // Listed: 9 5 5 5 shifted by one; 9 at position 1 repeats as 0 in the draw after a 9.
    const TStatTable plus = b.Table("PRV+1", 3);
    EXPECT_EQ(ColumnTexts(plus, TStatColumn::Value), (std::vector<std::string>{"0", "6"}));
    EXPECT_EQ(Counts(plus), (TCounts{{"0", "1"}, {"6", "0"}}));
    // Shifted by -2: 1 - 2 wraps to 9, 0 - 2 to 8.
    b.Draws = DrawsOf({"1000", "9000", "1000"});
    EXPECT_EQ(Counts(b.Table("PRV-2", 3)), (TCounts{{"9", "1"}, {"8", "0"}}));
    EXPECT_EQ(Counts(b.Table("PRC-2", 3))["1"], "1");
}

TEST(CrossDraw, RepeatsOverThreeDraws) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "1256", "1277"});
    EXPECT_EQ(Counts(b.Table("RPV3", 3)), (TCounts{{"1", "1"}, {"2", "1"}, {"7", "0"}}));
    EXPECT_EQ(Counts(b.Table("PRL2", 3)), (TCounts{{"1", "1"}, {"2", "1"}, {"7", "0"}}));
    EXPECT_EQ(Counts(b.Table("RPC3", 3)), (TCounts{{"0", "2"}, {"1", "0"}, {"2", "1"}, {"3", "0"}, {"4", "0"}}));
    EXPECT_EQ(Counts(b.Table("PRB2", 3)), (TCounts{{"0", "2"}, {"1", "0"}, {"2", "1"}, {"3", "0"}, {"4", "0"}}));
    // A candidate after 1277 compares with 1277 and 1256: 12xx repeats 1 and 2 in three draws.
    auto three = b.Create("RPC3");
    EXPECT_EQ(Survivors(*three, {RowOf(TStatKey::FromA(2))}, 2).size(), 100u);
    auto two = b.Create("PRB2");
    // 7 at positions 3 and 4 repeats 1277 but not 1256.
    EXPECT_EQ(Survivors(*two, {RowOf(TStatKey::FromA(2))}, 2).size(), 100u);
}

TEST(CrossDraw, CombinationValues) {
    TStatBench b;
    b.Draws = DrawsOf({"1234", "5678", "1234", "7173"});
    EXPECT_EQ(Counts(b.Table("KNP41", 3, 1)), (TCounts{{"1:2:3:4", "2"}, {"5:6:7:8", "1"}}));
    EXPECT_EQ(ColumnTexts(b.Table("KNO2", 1), TStatColumn::Value), (std::vector<std::string>{"1:3", "3:7", "7:7"}));
    EXPECT_EQ(Counts(b.Table("KNM2", 1)),
              (TCounts{{"7:1", "1"}, {"7:7", "1"}, {"7:3", "2"}, {"1:7", "1"}, {"1:3", "1"}}));
    EXPECT_EQ(ColumnTexts(b.Table("KNS3", 1), TStatColumn::Value), (std::vector<std::string>{"7:1:7", "1:7:3"}));
    EXPECT_EQ(ColumnTexts(b.Table("KNP22", 1), TStatColumn::Value), (std::vector<std::string>{"1:7"}));
    EXPECT_EQ(ColumnTexts(b.Table("KNP32", 1), TStatColumn::Value), (std::vector<std::string>{"1:7:3"}));
    EXPECT_EQ(ColumnTexts(b.Table("KNO3", 1), TStatColumn::Value), (std::vector<std::string>{"1:3:7", "3:7:7"}));

    // Keys match exactly: "7:7" of the sorted pairs is every code with at least two sevens.
    EXPECT_EQ(Survivors(*b.Create("KNO2"), {RowOf(TStatKey::FromParts(7, 7))}, 3).size(),
              size_t(kCombCount - 6561 - 4 * 729));
    EXPECT_EQ(Survivors(*b.Create("KNP41"), {RowOf(TStatKey::FromParts(1, 2, 3, 4))}, 3),
              TCombsArray{MakeCode(1, 2, 3, 4)});

    TStatList list;
    list.Register();
    for (const char* gone : {"KNM4", "KNS4", "KNO4", "KNP42", "KNP33"}) EXPECT_EQ(list.IndexOfCode(gone), -1) << gone;
    const TStatMethod& pos = list.Items(list.IndexOfCode("KNP23"));
    EXPECT_EQ(pos.StatClass->Name(pos.Param), "Сочетания из 2-х чисел тиража начиная с 3 позиции");
    EXPECT_EQ(pos.StatClass->HelpCodeFormat(), "KNP2");
    EXPECT_FALSE(pos.StatClass->CanParseValue());
    EXPECT_EQ(list.Items(list.IndexOfCode("KNM3")).BaseName(), "Сочетания из 3 чисел по всем числам тиража");
}

TEST(CrossDraw, OgnevNumbers) {
    auto ognev = [](TDigits d, int mode) {
        const TOgnevNumber n = Ognev(d, mode);
        return std::vector<int>(n.Values.begin(), n.Values.begin() + n.Count);
    };
    for (int mode : {0, 1, 2}) {
        EXPECT_EQ(ognev({0, 0, 0, 0}, mode), std::vector<int>{0}) << mode;
        EXPECT_EQ(ognev({1, 2, 3, 4}, mode), std::vector<int>{0}) << mode;
    }
    EXPECT_EQ(ognev({3, 8, 2, 6}, 0), std::vector<int>{1});
    EXPECT_EQ(ognev({3, 8, 2, 6}, 1), std::vector<int>{3});
    EXPECT_EQ(ognev({3, 8, 2, 6}, 2), (std::vector<int>{1, 3}));
    for (int ci = 0; ci < kCombCount; ci += 7)
        EXPECT_EQ(ognev({uint8_t(ci / 1000), uint8_t(ci / 100 % 10), uint8_t(ci / 10 % 10), uint8_t(ci % 10)}, 2),
                  OgnevOfCode(ci, 2)) << ci;
}

TEST(CrossDraw, DynamicOgnevCountsTheFollowingDraw) {
    TStatBench b;
    // At offset 0 the following draw is four zeros: only 0 counts.
    b.Draws = DrawsOf({"3826", "1234"});
    EXPECT_EQ(Counts(b.Table("HCO3", 2)), (TCounts{{"0", "1"}}));
    // 3826 gives the pair (1, 3): the value 3 shown with its 1, then the candidates 9 and 6,
    // judged by the draw after it.
    b.Draws = DrawsOf({"1111", "3826", "9600"});
    const TStatTable t = b.Table("HCO3", 2, 1);
    EXPECT_EQ(ColumnTexts(t, TStatColumn::Value), (std::vector<std::string>{"3 (1)", "9", "6"}));
    EXPECT_EQ(Counts(t), (TCounts{{"3 (1)", "0"}, {"9", "1"}, {"6", "1"}}));
    // A candidate holding a selected value anywhere matches.
    auto hco3 = b.Create("HCO3");
    EXPECT_EQ(Survivors(*hco3, {t.Rows[1].Row}, 1).size(), size_t(kCombCount - 6561));

    // A repeated draw number: the earlier draw carrying the current number contributes as well.
    b.Draws = DrawsOf({"3826", "1111", "2444"});
    b.Draws[2].Number = b.Draws[0].Number;
    EXPECT_EQ(Counts(b.Table("HCO3", 3)),
              (TCounts{{"3 (1)", "0"}, {"9", "0"}, {"6", "0"}, {"2", "0"}, {"8", "0"}, {"4", "0"}}));
}

TEST(CrossDraw, RegisteredCodesAndNames) {
    TStatList list;
    list.Register();
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i) {
        const int group = list.Items(i).StatClass->Group();
        if (group == 6 || group == 7 || group == 11) codes.push_back(list.Items(i).Code());
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"SEQL",   "SEQS",   "LENS",  "RPV2",  "RPV3",  "PRL2",  "PRV2O1",
                                               "PRV2O2", "PRV2O3", "PRV+1", "PRV-1", "PRV+2", "PRV-2", "RPC2",
                                               "RPC3",   "PRB2",   "RPO1",  "PRC2O2", "PRC2O3", "PRC+1", "PRC-1",
                                               "PRC+2",  "PRC-2",  "HCO1",  "HCO2",  "HCO3"}));
    EXPECT_EQ(list.Items(list.IndexOfCode("PRV+1")).BaseName(), "Данные предыдущего тиража + 1");
    EXPECT_EQ(list.Items(list.IndexOfCode("PRC-2")).BaseName(), "Количество совпадений \"значений - 2\"");
    EXPECT_EQ(list.Items(list.IndexOfCode("RPO1")).BaseName(), "Количество повторов в 2-х тиражах через 1 тираж(а)");
    EXPECT_EQ(list.DisplayName(list.IndexOfCode("SEQS"), true),
              "{ seq } Количество последовательностей в тираже [ SNG ]");
    EXPECT_EQ(list.DisplayName(list.IndexOfCode("RPC2"), true),
              "{ rep } Количество повторов в 2-х тиражах подряд [ D ]");
    EXPECT_TRUE(list.Items(list.IndexOfCode("HCO2")).StatClass->CanParseValue());
    EXPECT_FALSE(list.Items(list.IndexOfCode("HCO3")).StatClass->CanParseValue());
}

// Draw numbers repeating in a short cycle, so every current draw shares its number with others
// before and after it: the dynamic method's table (hits counting 0, facts from later draws with
// the same number) against the literal one at every current draw, sorted and not.
TEST(CrossDraw, DynamicOgnevWithRepeatedNumbersAgreesWithTheLiteralTable) {
    TStatBench b;
    b.Draws = DrawsOf({"3826", "1234", "2444", "9600", "3826", "0000", "7173", "2444", "5890", "1357", "2468", "3826"});
    for (size_t i = 0; i < b.Draws.size(); ++i) b.Draws[i].Number = 1 + int(i % 4);
    // The registry's objects read the carriers of the number off an index of the archive.
    TStatList list;
    list.SetDraws(&b.Draws);
    list.Register();
    const int registered = list.IndexOfCode("HCO3");
    for (bool sorted : {false, true})
        for (int k = 0; k < int(b.Draws.size()) * 2; ++k) {
            // Every current draw twice: once for each kind of object.
            const int L = k / 2;
            TStatTableParams p;
            p.Current = L;
            p.WindowLength = 1 + k % 7;
            p.Sorted = sorted;
            const TStatTable fast = ComputeTable(*(k % 2 ? b.Create("HCO3") : list.CreateStat(registered)), p);
            const oracle::TLiteralTable slow = oracle::LiteralComputeTable(*b.Create("HCO3"), p);
            ASSERT_EQ(fast.Rows.size(), slow.Rows.size()) << L;
            for (size_t r = 0; r < fast.Rows.size(); ++r) {
                EXPECT_EQ(fast.Rows[r].Row, slow.Rows[r].Row) << L << " row " << r;
                EXPECT_EQ(fast.Rows[r].Fact, slow.Rows[r].Fact) << L << " row " << r;
            }
        }
}
