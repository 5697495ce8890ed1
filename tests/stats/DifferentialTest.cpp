// The engine's fast algorithms against the literal ones, cell by cell, on the real archive and on
// archives with the irregularities a hand-edited file can hold.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "LiteralShredding.h"
#include "LiteralStats.h"
#include "StatTestSupport.h"
#include "core/DrawHelpers.h"
#include "stats/FullSet.h"
#include "stats/OwnPasses.h"
#include "stats/StatBases.h"
#include "stats/StatClassOf.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"
#include "stats/TableSort.h"
#include "core/Text.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

// A method that is not a digit-values one and keeps state across draws: the gap since each
// digit's previous occurrence, through the last-value list.
class TstTestGaps final : public TCustomNumbersStat {
public:
    using TCustomNumbersStat::TCustomNumbersStat;
    static constexpr std::string_view kClassName = "TstTestGaps";
    static constexpr std::string_view kCodeFormat = "TGAP";
    static constexpr std::string_view kNameFormat = "gaps";
    static constexpr uint8_t kGroup = 9;
    static constexpr uint8_t kFlags = kFlagP;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        for (uint8_t d : Draw.Digits) {
            auto it = std::find_if(lastValues.begin(), lastValues.end(),
                                   [&](const TLastValue& v) { return v.Key == TStatKey::FromA(d); });
            if (it == lastValues.end()) {
                lastValues.push_back({Draw.Number, TStatKey::FromA(d)});
                continue;
            }
            const int gap = Draw.Number - it->LastDraw;
            it->LastDraw = Draw.Number;
            if (gap <= 0) continue;
            Hit.Key = TStatKey::FromParts(d, gap);
            rows.AddHit(Hit, true);
        }
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        for (int p = 0; p < kPositions; ++p)
            if (SelectedHasK(selected, 1, int16_t(DigitOfCode(code, p)))) return true;
        return false;
    }
};

// A reference-draw method: digits repeating at their position from the draw before, where the
// current draw holds them too. Only position 1 measures periods.
class TstTestRepeats : public TCustomValuesStat {
public:
    using TCustomValuesStat::TCustomValuesStat;
    static constexpr std::string_view kClassName = "TstTestRepeats";
    static constexpr std::string_view kCodeFormat = "TREP";
    static constexpr std::string_view kNameFormat = "repeats";
    static constexpr uint8_t kGroup = 7;
    static constexpr uint8_t kFlags = kFlagD | kFlagN;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        const TDrawRecord back = DrawAt(i - 1, sorted);
        for (int p = 0; p < kPositions; ++p)
            if (back.Digits[p] == RefDraw.Digits[p] && Draw.Digits[p] == back.Digits[p]) {
                Hit.Key = TStatKey::FromA(Draw.Digits[p]);
                rows.AddHit(Hit, p == 0);
            }
    }
    void AddCombination(TCombCode code, TStatSink& rows) override {
        TCustomStat::AddCombination(code, rows);
        Hit.Key = TStatKey::FromA(DigitOfCode(code, 0));
        rows.AddHit(Hit, false);
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        for (int p = 0; p < kPositions; ++p)
            if (DigitOfCode(code, p) == RefDraw.Digits[p] && SelectedHasKey(selected, TStatKey::FromA(RefDraw.Digits[p])))
                return true;
        return false;
    }
};

// The same method through the engine's hooks for a method's own table pass and filter decision.
class TstTestRepeatsOwn final : public TstTestRepeats, public TOwnWindowPass, public TOwnCodeFilter {
public:
    using TstTestRepeats::TstTestRepeats;
    static constexpr std::string_view kClassName = "TstTestRepeatsOwn";
    static constexpr std::string_view kCodeFormat = "TREO";

    TOwnWindowPass* OwnWindowPass() override { return this; }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }
    bool BeginPass(int, int, int L, bool sorted) override {
        FSorted = sorted;
        FRef = DrawAt(L, sorted);
        return true;
    }
    int ValueCount() const override { return 256; }
    TStatKey ValueKey(uint32_t id) const override { return TStatKey::FromA(int32_t(id)); }
    int DrawHits(int i, uint32_t* ids) const override {
        const TDrawRecord d = DrawAt(i, FSorted), back = DrawAt(i - 1, FSorted);
        int n = 0;
        for (int p = 0; p < kPositions; ++p)
            if (back.Digits[p] == FRef.Digits[p] && d.Digits[p] == back.Digits[p])
                ids[n++] = d.Digits[p] | (p == 0 ? kPeriodsBit : 0u);
        return n;
    }
    void MatchTable(TSelectedRows selected, bool exclude, bool sorted, int L, uint8_t* pass) override {
        for (int ci = 0; ci < kCombCount; ++ci) pass[ci] = Matches(CodeOfIndex(ci), selected, exclude, sorted, L);
    }

private:
    bool FSorted = false;
    TDrawRecord FRef;
};

// The first cell whose number is not what the literal text reads: a number equal to the text read
// as a number (a "+" exactly when the text has one), "-" for "-". Cells only printf prints are
// read from their texts, which are compared later.
std::string NumberDifference(const TStatTable& a, const oracle::TLiteralTable& b) {
    for (int r = 0; r < a.Size(); ++r)
        for (int c = 1; c < kStatColumnCount; ++c) {
            const TStatCell cell = a.Cell(r, TStatColumn(c));
            const std::string& text = b.Rows[size_t(r)].Text[size_t(c)];
            const auto number = TryStrToFloat(text);
            const bool same = cell.IsNumber() ? number && *number == cell.Value() && cell.LeadingPlus() == (text[0] == '+')
                              : cell.Kind == TStatCell::Dash ? text == "-"
                                                              : true;
            if (!same) return "number of row " + std::to_string(r) + " column " + std::to_string(c) + ": " + text;
        }
    return "";
}

// Sorting by every column both ways, numbers against the literal texts.
std::string SortDifference(const TStatTable& a, const oracle::TLiteralTable& b) {
    for (int c = 0; c < kStatColumnCount; ++c)
        for (bool descending : {false, true}) {
            TStatTable sorted = a;
            SortStatTable(sorted, c, descending);
            const std::vector<int> order =
                SortListRows(int(b.Rows.size()), c, descending,
                             [&](int r, int col) -> std::string_view { return b.Rows[size_t(r)].Text[size_t(col)]; });
            for (size_t r = 0; r < order.size(); ++r)
                if (!(sorted.Rows[r].Row == b.Rows[size_t(order[r])].Row))
                    return "sorted by column " + std::to_string(c) + (descending ? " descending" : "") + ", row " +
                           std::to_string(r);
        }
    return "";
}

// Whether a cell holds a real number only printf prints: sorting by its column reads texts.
bool HasPrintedCells(const TStatTable& t) {
    for (int r = 0; r < t.Size(); ++r)
        for (int c = 1; c < kStatColumnCount; ++c)
            if (t.Cell(r, TStatColumn(c)).Kind == TStatCell::Text) return true;
    return false;
}

// The first difference between two tables, or "". The numbers and the sorted orders are checked
// before any text of the engine's table exists, and make none (unless printf must print a cell).
std::string Difference(const TStatTable& a, const oracle::TLiteralTable& b) {
    if (a.Rows.size() != b.Rows.size()) return "row count " + std::to_string(a.Rows.size()) + " / " + std::to_string(b.Rows.size());
    if (a.Start != b.Start || a.Length != b.Length || a.HasNorms != b.HasNorms || !(a.Summary == b.Summary))
        return "window, summary or norms";
    for (size_t r = 0; r < a.Rows.size(); ++r) {
        if (!(a.Rows[r].Row == b.Rows[r].Row)) return "statistic row " + std::to_string(r);
        if (a.Rows[r].Fact != b.Rows[r].Fact) return "fact of row " + std::to_string(r);
    }
    const uint64_t made = StatTextsMade();
    if (std::string d = NumberDifference(a, b); !d.empty()) return d;
    if (std::string d = SortDifference(a, b); !d.empty()) return d;
    if (StatTextsMade() != made && !HasPrintedCells(a)) return "texts made while reading numbers";
    for (int r = 0; r < a.Size(); ++r)
        for (int c = 0; c < kStatColumnCount; ++c) {
            const std::string& text = b.Rows[size_t(r)].Text[size_t(c)];
            if (a.Text(r, c) != text)
                return "row " + std::to_string(r) + " column " + std::to_string(c) + ": " + std::string(a.Text(r, c)) +
                       " / " + text;
        }
    return "";
}

TStatTableParams Params(int L, int window, bool sorted, const TFullSet* fullSet) {
    TStatTableParams p;
    p.Current = L;
    p.WindowLength = window;
    p.Sorted = sorted;
    p.FullSet = fullSet;
    return p;
}

using TMaker = std::function<std::unique_ptr<TCustomStat>()>;

// Weights of a round: the default ones, other whole coefficients (weights worked out in
// integers), reals (percentages, absolute values) that give weights with decimals and exact ties,
// and coefficients so large that weights pass 2^62 or are infinite, which only printf prints.
TStatWeights RoundWeights(int round, std::mt19937& rnd) {
    auto real = [&] { return static_cast<long double>(int(rnd() % 2001) - 1000) / 8; };
    auto whole = [&] { return static_cast<long double>(int(rnd() % 7) - 3); };
    switch (round % 5) {
    case 1: return {whole(), whole(), whole(), false, rnd() % 2 == 0};
    case 3: return {real(), real(), real(), rnd() % 2 == 0, rnd() % 2 == 0};
    case 4: return {round % 2 ? 1e30L : std::numeric_limits<long double>::infinity(), -1, 1, false, false};
    default: return {};
    }
}

// Random windows, offsets and weights, both sorted modes, with and without norms. The engine's
// objects come from make (the registry's share value tables and occurrence indexes), the oracle's
// are new.
// The oracle's objects come from oracleClass when given (a class with literal value rules).
void CompareTables(const TStatEnv& env, const TStatClass& cls, int param, std::mt19937& rnd, int rounds,
                   const TMaker& make = nullptr, const TStatClass* oracleClass = nullptr) {
    const int count = static_cast<int>(env.Draws->size());
    auto stat = cls.Create(env, param);
    const TFullSet fullSet = FullSetOf(ComputeFullSetTable(*stat));
    for (int round = 0; round < rounds; ++round) {
        const int window = 1 + int(rnd() % 3000);
        const int offset = round == 0 ? 0 : int(rnd() % std::min(2001, std::max(count, 1)));
        const bool sorted = round % 2 == 1;
        const TFullSet* norms = round % 3 == 2 ? &fullSet : nullptr;
        TStatTableParams p = Params(count - 1 - offset, window, sorted, norms);
        p.Weights = RoundWeights(round, rnd);
        auto fast = make ? make() : cls.Create(env, param);
        auto slow = (oracleClass ? *oracleClass : cls).Create(env, param);
        const std::string diff = Difference(ComputeTable(*fast, p), oracle::LiteralComputeTable(*slow, p));
        ASSERT_EQ(diff, "") << cls.Code(param) << " window " << window << " offset " << offset << " sorted " << sorted
                            << " round " << round;
    }
}

void CompareFilters(const TStatEnv& env, const TStatClass& cls, int param, std::mt19937& rnd, int rounds,
                    const TStatClass* oracleClass = nullptr) {
    const int count = static_cast<int>(env.Draws->size());
    TCombsArray all;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    for (int round = 0; round < rounds; ++round) {
        const int offset = int(rnd() % std::min(2001, std::max(count, 1)));
        const bool sorted = rnd() % 2 == 1, exclude = rnd() % 2 == 1;
        auto stat = cls.Create(env, param);
        const TStatTable table = ComputeTable(*stat, Params(count - 1 - offset, 1 + int(rnd() % 3000), sorted, nullptr));
        TStatDrawArray selected;
        for (const auto& r : table.Rows)
            if (rnd() % 3 == 0) selected.push_back(r.Row);
        // The full set, or a shuffled part of it with a few codes no draw can have.
        TCombsArray candidates = all;
        if (round % 2 == 1) {
            std::shuffle(candidates.begin(), candidates.end(), rnd);
            candidates.resize(rnd() % 3000);
            candidates.push_back(MakeCode(1, 12, 3, 4));
            candidates.push_back(0xFFFFFFFFu);
        }
        TCombsArray fast;
        FilterCombinations(*stat, selected, exclude, sorted, count - 1 - offset, candidates, fast);
        auto slow = (oracleClass ? *oracleClass : cls).Create(env, param);
        ASSERT_EQ(fast, oracle::LiteralFilter(*slow, selected, exclude, sorted, count - 1 - offset, candidates))
            << cls.Code(param) << " offset " << offset << " exclude " << exclude;
        // The working list filtered in place gives the same survivors.
        TCombsArray inPlace = candidates;
        FilterCombinations(*stat, selected, exclude, sorted, count - 1 - offset, inPlace, inPlace);
        ASSERT_EQ(inPlace, fast) << cls.Code(param);
    }
}

template <class Fn>
void ForEachMethod(const TStatEnv& env, Fn&& fn) {
    TStatList list;
    list.SetConfig(*env.Config);
    list.Register();
    for (int i = 0; i < list.Count(); ++i) fn(*list.Items(i).StatClass, list.Items(i).Param);
    fn(StatClassOf<TstTestGaps>(), 0);
    fn(StatClassOf<TstTestRepeats>(), 0);
    fn(StatClassOf<TstTestRepeatsOwn>(), 0);
}

// Repeated digits (gaps of 0), repeated and far-jumping draw numbers, and edits between tables:
// a change of one digit, a draw appended, a draw removed and another appended (same length).
// Without a revision the indexes are checked against the draws; with one, by the number.
void CheckIndexesFollowEdits(bool withRevision) {
    std::mt19937 rnd(12);
    TStatBench b;
    for (int i = 0; i < 900; ++i) {
        int number = 1 + i;
        if (i % 89 == 40) number -= 5;
        if (i % 151 == 9) number += 80000;
        const int d = int(rnd() % 10);
        b.Draws.push_back(StatDraw(number, {d, i % 7 == 0 ? d : int(rnd() % 10), int(rnd() % 10), int(rnd() % 10)}));
    }
    uint64_t revision = 1;
    TStatList list;
    if (withRevision)
        list.SetDraws(&b.Draws, [&revision] { return revision; });
    else
        list.SetDraws(&b.Draws);
    list.Register();
    for (int round = 0; round < 6; ++round) {
        for (int i = 0; i < list.Count(); ++i)
            CompareTables(b.Env(), *list.Items(i).StatClass, list.Items(i).Param, rnd, 4, [&] { return list.CreateStat(i); });
        switch (round % 3) {
        case 0:
            b.Draws[rnd() % b.Draws.size()].Digits[rnd() % 4] = uint8_t(rnd() % 10);
            break;
        case 1:
            b.Draws.push_back(StatDraw(b.Draws.back().Number + 1, {1, 2, 3, 4}));
            break;
        default:
            b.Draws.erase(b.Draws.begin() + long(b.Draws.size() - 20));
            b.Draws.push_back(StatDraw(b.Draws.back().Number + 1, {5, 5, 6, 7}));
        }
        ++revision;
    }
}

} // namespace

TEST(Differential, TablesOnTheRealArchive) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    std::mt19937 rnd(20240601);
    ForEachMethod(b.Env(), [&](const TStatClass& cls, int param) { CompareTables(b.Env(), cls, param, rnd, 12); });
}

TEST(Differential, TablesOfTheRegistrysObjects) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    TStatList list;
    list.SetDraws(&b.Draws);
    list.Register();
    std::mt19937 rnd(31);
    for (int i = 0; i < list.Count(); ++i)
        CompareTables(b.Env(), *list.Items(i).StatClass, list.Items(i).Param, rnd, 12, [&] { return list.CreateStat(i); });
}

TEST(Differential, OccurrenceIndexFollowsTheArchive) {
    CheckIndexesFollowEdits(false);
    CheckIndexesFollowEdits(true);
}

TEST(Differential, FiltersOnTheRealArchive) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    std::mt19937 rnd(77);
    ForEachMethod(b.Env(), [&](const TStatClass& cls, int param) { CompareFilters(b.Env(), cls, param, rnd, 6); });
}

TEST(Differential, FullSetTables) {
    TStatBench b;
    ForEachMethod(b.Env(), [&](const TStatClass& cls, int param) {
        auto fast = cls.Create(b.Env(), param), slow = cls.Create(b.Env(), param);
        EXPECT_EQ(ComputeFullSetTable(*fast), oracle::LiteralFullSetTable(*slow)) << cls.Code(param);
    });
}

// Channels, matrix, segments, and the serial, period and chain members built on them.
bool ReadsConfiguration(int group) {
    return (group >= 3 && group <= 5) || (group >= 8 && group <= 10);
}

// The channel, matrix and segment methods under other widths and a segment table that puts
// digits of one position in different segments: tables, filters and full sets.
TEST(Differential, ConfiguredChannelsAndSegments) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    std::mt19937 rnd(303);
    for (int width : {1, 3}) {
        b.Config.ChannelSize = width;
        b.Config.SetMatrixSegmentsText(width == 1 ? "1122334455667788991212345678998765432101"
                                                  : "9999911111222223333344444555556666677777");
        TStatList list;
        list.SetDraws(&b.Draws);
        list.SetConfig(b.Config);
        list.Register();
        for (int i = 0; i < list.Count(); ++i) {
            const TStatClass& cls = *list.Items(i).StatClass;
            const int param = list.Items(i).Param;
            if (!ReadsConfiguration(cls.Group())) continue;
            CompareTables(b.Env(), cls, param, rnd, 6, [&] { return list.CreateStat(i); });
            CompareFilters(b.Env(), cls, param, rnd, 2);
            auto fast = cls.Create(b.Env(), param), slow = cls.Create(b.Env(), param);
            EXPECT_EQ(ComputeFullSetTable(*fast), oracle::LiteralFullSetTable(*slow)) << cls.Code(param);
        }
    }
}

// The shredding methods against objects that substitute and parse the formula on every call: the
// default formulas, five places, and a formula that never evaluates.
TEST(Differential, ShreddingAgainstTheLiteralFormulas) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    // The newest draws only: the literal objects parse the formula for every draw the facts look at.
    b.Draws.assign(RealDraws().end() - 400, RealDraws().end());
    std::mt19937 rnd(1313);
    const TShreddingFormulas defaults;
    TShreddingFormulas other;
    other.Formula = {"(n1*p2+t3)/7", "SQRT(n1+p1+t1)/(n4-p4)", "(n1+"};
    other.Digits = {5, 3, 2};
    for (const TShreddingFormulas& formulas : {defaults, other}) {
        b.Formulas = formulas;
        TStatList list;
        list.SetDraws(&b.Draws);
        list.SetFormulas(formulas);
        list.Register();
        for (int i = 0; i < list.Count(); ++i) {
            const TStatClass& cls = *list.Items(i).StatClass;
            if (cls.Group() != 12) continue;
            const int param = list.Items(i).Param;
            const TStatClass& literal = oracle::LiteralShreddingClass();
            CompareTables(b.Env(), cls, param, rnd, 4, [&] { return list.CreateStat(i); }, &literal);
            CompareFilters(b.Env(), cls, param, rnd, 3, &literal);
            auto fast = cls.Create(b.Env(), param), slow = literal.Create(b.Env(), param);
            EXPECT_EQ(ComputeFullSetTable(*fast), oracle::LiteralFullSetTable(*slow)) << cls.Code(param);
        }
    }
}

TEST(Differential, IrregularArchives) {
    // Repeated and missing draw numbers, numbers that fall, and digits outside 0..9.
    std::mt19937 rnd(5);
    TStatBench b;
    for (int i = 0; i < 600; ++i) {
        int number = 1 + i;
        if (i % 97 == 50) number = 1 + i - 3;  // repeats an earlier number
        if (i % 113 == 7) number += 70000;     // jumps far ahead (gaps beyond 16 bits)
        TDrawRecord d = StatDraw(number, {int(rnd() % 10), int(rnd() % 10), int(rnd() % 10), int(rnd() % 10)});
        if (i % 131 == 3) d.Digits[2] = 12;
        b.Draws.push_back(d);
    }
    std::mt19937 r2(9);
    ForEachMethod(b.Env(), [&](const TStatClass& cls, int param) {
        CompareTables(b.Env(), cls, param, r2, 10);
        CompareFilters(b.Env(), cls, param, r2, 2);
    });
}

// Period filters keep and remove by the same rows; serial and chain facts searched from every
// start inside the window (not only after a row's last draw), in both sorted modes.
TEST(Differential, PeriodFiltersBothWaysAndFactsFromInsideTheWindow) {
    QX_REQUIRE_REAL_ARCHIVE();
    TStatBench b;
    b.Draws = RealDraws();
    const int count = int(b.Draws.size());
    std::mt19937 rnd(1207);
    TCombsArray all;
    for (int ci = 0; ci < kCombCount; ++ci) all.push_back(CodeOfIndex(ci));
    TStatList list;
    list.SetDraws(&b.Draws);
    list.Register();
    for (int i = 0; i < list.Count(); ++i) {
        const TStatClass& cls = *list.Items(i).StatClass;
        const int param = list.Items(i).Param;
        if (cls.Group() < 8 || cls.Group() > 10) continue;
        for (int round = 0; round < 4; ++round) {
            const int L = count - 1 - int(rnd() % 2000), window = 1 + int(rnd() % 40);
            const bool sorted = round % 2 == 1;
            auto stat = cls.Create(b.Env(), param);
            const TStatTable table = ComputeTable(*stat, Params(L, window, sorted, nullptr));
            TStatDrawArray selected;
            for (const auto& r : table.Rows)
                if (rnd() % 2 == 0) selected.push_back(r.Row);
            for (bool exclude : {false, true}) {
                TCombsArray fast;
                FilterCombinations(*stat, selected, exclude, sorted, L, all, fast);
                auto slow = cls.Create(b.Env(), param);
                ASSERT_EQ(fast, oracle::LiteralFilter(*slow, selected, exclude, sorted, L, all))
                    << cls.Code(param) << " exclude " << exclude;
            }
            auto slow = cls.Create(b.Env(), param);
            for (const auto& r : table.Rows)
                for (int from = std::max(0, L - window + 1); from <= L + 1; from += 1 + int(rnd() % 5))
                    ASSERT_EQ(stat->FindNext(r.Row, from, sorted, L), oracle::LiteralFindNext(*slow, r.Row, from, sorted, L))
                        << cls.Code(param) << " from " << from << " L " << L;
        }
    }
}

// The registry over b's draws under width 1 (channel 10 is a part of its own) and a segment table
// with segment 0.
namespace {
void RegisterUnderWidthOne(TStatBench& b, TStatList& list) {
    b.Config.ChannelSize = 1;
    b.Config.SetMatrixSegmentsText("0123401234567895678900000999990918273645");
    list.SetDraws(&b.Draws);
    list.SetConfig(b.Config);
    list.Register();
}
} // namespace

// The registry's serial objects search from the archive's runs: from every start in and just
// after the window, so that searches begin inside runs (long ones too: the default segment table
// puts every digit in one segment, present in every draw), against the literal search.
void CompareSerialFactsFromEveryStart(TStatBench& b, std::mt19937& rnd) {
    const int count = int(b.Draws.size());
    for (const char* segments : {"", "1122334455667788991212345678998765432101"}) {
        b.Config.MatrixSegments = TConfigData::DefaultSegments();
        if (*segments) b.Config.SetMatrixSegmentsText(segments);
        TStatList list;
        list.SetDraws(&b.Draws);
        list.SetConfig(b.Config);
        list.Register();
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Items(i).StatClass->Group() != 8) continue;
            for (int round = 0; round < 4; ++round) {
                const int L = count - 1 - int(rnd() % 300), window = 1 + int(rnd() % 60);
                const bool sorted = round % 2 == 1;
                auto stat = list.CreateStat(i);
                const TStatTable table = ComputeTable(*stat, Params(L, window, sorted, nullptr));
                auto slow = list.Items(i).StatClass->Create(b.Env(), list.Items(i).Param);
                for (const auto& r : table.Rows)
                    for (int from = std::max(0, L - window + 1); from <= std::min(count, L + 40); ++from)
                        ASSERT_EQ(stat->FindNext(r.Row, from, sorted, L), oracle::LiteralFindNext(*slow, r.Row, from, sorted, L))
                            << list.Items(i).Code() << " from " << from << " L " << L;
            }
        }
    }
}

TEST(Differential, SerialFactsFromTheArchivesRunsFromEveryStart) {
    // Digits that stay for stretches: runs of presence and absence tens of draws long.
    TStatBench b;
    std::mt19937 rnd(4242);
    TDrawRecord d = StatDraw(1, {1, 2, 3, 4});
    for (int i = 0; i < 700; ++i) {
        d.Number = 1 + i;
        if (rnd() % 4 == 0) d.Digits[rnd() % 4] = uint8_t(rnd() % 10);
        b.Draws.push_back(d);
    }
    CompareSerialFactsFromEveryStart(b, rnd);
    if (RealDraws().empty()) return;
    b.Draws = RealDraws();
    CompareSerialFactsFromEveryStart(b, rnd);
}

// Hand-edited archives (repeated and far-jumping numbers, digits above 9) under width 1 and a
// segment table with segment 0: the cross-draw members' tables and filters on both paths.
TEST(Differential, IrregularArchivesUnderOtherConfigurations) {
    std::mt19937 rnd(41);
    TStatBench b;
    for (int i = 0; i < 400; ++i) {
        int number = 1 + i;
        if (i % 53 == 20) number = i - 5;     // repeats an earlier number
        if (i % 71 == 9) number += 90000;     // jumps far ahead
        TDrawRecord d = StatDraw(number, {int(rnd() % 10), int(rnd() % 10), int(rnd() % 10), int(rnd() % 10)});
        if (i % 61 == 3) d.Digits[i % 4] = uint8_t(10 + rnd() % 240);
        b.Draws.push_back(d);
    }
    TStatList list;
    RegisterUnderWidthOne(b, list);
    for (int i = 0; i < list.Count(); ++i) {
        const TStatClass& cls = *list.Items(i).StatClass;
        if (cls.Group() < 8 || cls.Group() > 10) continue;
        CompareTables(b.Env(), cls, list.Items(i).Param, rnd, 8, [&] { return list.CreateStat(i); });
        CompareFilters(b.Env(), cls, list.Items(i).Param, rnd, 3);
    }
}

// Draws numbered 0 or below in the middle of the archive start no chain and measure no period;
// with every digit 0..9 the chain members read such windows off the archive index.
TEST(Differential, ChainIndexOverDrawsWithoutNumbers) {
    std::mt19937 rnd(64);
    TStatBench b;
    for (int i = 0; i < 500; ++i) {
        int number = 1 + i;
        if (i % 37 == 11) number = 0;
        if (i % 59 == 30) number = -number;
        if (i % 43 == 5) number = i - 2;  // repeats an earlier number
        const int d = int(rnd() % 10);
        b.Draws.push_back(StatDraw(number, {d, i % 5 == 0 ? d : int(rnd() % 10), int(rnd() % 10), int(rnd() % 10)}));
    }
    TStatList list;
    RegisterUnderWidthOne(b, list);
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i).StatClass->Group() == 10)
            CompareTables(b.Env(), *list.Items(i).StatClass, list.Items(i).Param, rnd, 8, [&] { return list.CreateStat(i); });
}
