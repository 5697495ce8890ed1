#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <random>

#include "StatTestSupport.h"
#include "core/Text.h"
#include "stats/KeyTests.h"
#include "stats/StatFormat.h"
#include "stats/StatRows.h"
#include "stats/TableSort.h"
#include "stats/families/ArchiveData.h"
#include "support/CommaLocale.h"

using namespace qx;

namespace {

TStatDraw DrawHit(TStatKey key, int number, int depth) {
    TStatDraw h;
    h.Key = key;
    h.LastDraw = h.PrevDraw = number;
    h.Depth = depth;
    h.Count = 1;
    return h;
}

std::string Printed(long double x, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lf", decimals, x);
    return buf;
}

} // namespace

TEST(StatKey, ThreeReadingsAndTheKeyOrder) {
    TStatKey k = TStatKey::FromA(-2, 5);
    EXPECT_EQ(k.KeyA(), -2);
    EXPECT_EQ(k.KeyB(), 5);
    EXPECT_EQ(k.K1(), -2);
    EXPECT_EQ(k.K2(), -1);
    EXPECT_EQ(k.K3(), 5);
    EXPECT_EQ(k.K4(), 0);
    EXPECT_EQ(k.Byte(1), 0xFE);
    EXPECT_EQ(k.Byte(5), 5);
    k.SetK(4, 7);
    EXPECT_EQ(k.KeyB(), 7 << 16 | 5);
    k.SetByte(1, 3);
    EXPECT_EQ(k.K1(), int16_t(0xFF03));

    // A negative part sorts after every non-negative one; K1 decides before K2.
    EXPECT_TRUE(KeyOrderLess(TStatKey::FromParts(5), TStatKey::FromParts(-1)));
    EXPECT_TRUE(KeyOrderLess(TStatKey::FromParts(1, 9), TStatKey::FromParts(2, 0)));
    EXPECT_TRUE(KeyOrderLess(TStatKey::FromParts(1, 0, 0, 3), TStatKey::FromParts(1, 0, 1, 0)));
    EXPECT_FALSE(KeyOrderLess(TStatKey::FromParts(1), TStatKey::FromParts(1)));
}

TEST(StatRows, MergeRuleKeepsNewestOccurrenceAndMeasuresGaps) {
    TStatRows rows;
    const TStatKey a = TStatKey::FromA(7), b = TStatKey::FromA(3);
    TStatDraw listed;
    listed.Key = b;
    rows.AddHit(listed, false);  // listed in advance: Count 0, never occurred
    rows.AddHit(DrawHit(a, 10, 3), true);
    rows.AddHit(DrawHit(a, 11, 2), true);  // consecutive draws: gap 1
    rows.AddHit(DrawHit(b, 11, 2), true);
    ASSERT_EQ(rows.Size(), 2);
    EXPECT_EQ(rows[0].Key, b);  // first arrival order
    EXPECT_EQ(rows[1].PeriodMin, 1);
    EXPECT_EQ(rows[1].PeriodMax, 1);
    EXPECT_EQ(rows[1].Count, 2);
    EXPECT_EQ(rows[1].LastDraw, 11);
    EXPECT_EQ(rows[1].Depth, 2);
    EXPECT_EQ(rows[0].Count, 1);
    EXPECT_EQ(rows[0].Depth, 2);
    EXPECT_EQ(rows[0].PeriodMin, 0);  // one occurrence: no gap yet

    // The same value twice in one draw measures a gap of 0, which a later gap replaces.
    rows.AddHit(DrawHit(a, 11, 2), true);
    EXPECT_EQ(rows[1].PeriodMin, 0);
    EXPECT_EQ(rows[1].PeriodMax, 1);
    rows.AddHit(DrawHit(a, 15, 1), true);
    EXPECT_EQ(rows[1].PeriodMin, 4);
    EXPECT_EQ(rows[1].PeriodMax, 4);
    // Without periods only the last-draw bookkeeping happens.
    rows.AddHit(DrawHit(a, 30, 1), false);
    EXPECT_EQ(rows[1].PeriodMax, 4);
    EXPECT_EQ(rows[1].PrevDraw, 30);
    // A hit from further back does not replace the newest occurrence.
    rows.AddHit(DrawHit(a, 2, 9), false);
    EXPECT_EQ(rows[1].LastDraw, 30);
}

TEST(StatRows, GapsBeyondSixteenBitsSaturate) {
    TStatRows rows;
    const TStatKey a = TStatKey::FromA(1);
    rows.AddHit(DrawHit(a, 1, 3), true);
    rows.AddHit(DrawHit(a, 100001, 2), true);  // wrapping would give 34464
    EXPECT_EQ(rows[0].PeriodMin, 65535);
    EXPECT_EQ(rows[0].PeriodMax, 65535);
    rows.AddHit(DrawHit(a, 100011, 1), true);
    EXPECT_EQ(rows[0].PeriodMin, 10);
    EXPECT_EQ(rows[0].PeriodMax, 65535);
}

TEST(StatRows, IndexAgreesWithALinearSearchOverManyKeys) {
    std::mt19937 rnd(7);
    TStatRows rows;
    std::vector<TStatKey> order;
    std::map<uint64_t, int> counts;
    for (int i = 0; i < 5000; ++i) {
        const TStatKey k = TStatKey::FromParts(int(rnd() % 300) - 20, int(rnd() % 3));
        if (!counts.count(k.Raw())) order.push_back(k);
        ++counts[k.Raw()];
        rows.AddHit(DrawHit(k, i + 1, 5000 - i), true);
    }
    ASSERT_EQ(rows.Size(), int(order.size()));
    for (int r = 0; r < rows.Size(); ++r) {
        EXPECT_EQ(rows[r].Key, order[size_t(r)]);
        EXPECT_EQ(rows[r].Count, counts[order[size_t(r)].Raw()]);
        EXPECT_EQ(rows.Find(order[size_t(r)]), r);
    }
    EXPECT_EQ(rows.Find(TStatKey::FromParts(1000)), -1);
    rows.Clear();
    EXPECT_EQ(rows.Find(order[0]), -1);
}

TEST(StatRows, SummaryAndKeySort) {
    EXPECT_EQ(Summarize({}).MinCount, INT32_MAX);
    TStatDrawArray rows(4);
    rows[0].Key = TStatKey::FromParts(-1);
    rows[0].Count = 3;
    rows[1].Key = TStatKey::FromParts(2);
    rows[1].Count = 1;
    rows[1].Depth = 8;
    rows[2].Key = TStatKey::FromParts(2);  // equal keys keep their order
    rows[2].Count = 5;
    rows[3].Key = TStatKey::FromParts(0, 1);
    const TStatSummary s = Summarize(rows);
    EXPECT_EQ(s.MinCount, 0);
    EXPECT_EQ(s.MaxCount, 5);
    EXPECT_EQ(s.MaxDepth, 8);
    EXPECT_EQ(s.Total, 9);
    KeySort(rows);
    EXPECT_EQ(rows[0].Key, TStatKey::FromParts(0, 1));
    EXPECT_EQ(rows[1].Count, 1);
    EXPECT_EQ(rows[2].Count, 5);
    EXPECT_EQ(rows[3].Key, TStatKey::FromParts(-1));
}

TEST(KeyTests, EachReadingOfTheSelectedKeys) {
    TStatDrawArray sel(2);
    sel[0].Key = TStatKey::FromA(65535, 4);
    sel[1].Key = TStatKey::FromParts(3, 0, 9, 1);
    EXPECT_TRUE(SelectedHasKey(sel, TStatKey::FromParts(3, 0, 9, 1)));
    EXPECT_FALSE(SelectedHasKey(sel, TStatKey::FromParts(3)));
    EXPECT_TRUE(SelectedHasKeyAB(sel, -1, 4));  // -1 taken as 65535
    EXPECT_TRUE(SelectedHasKeyPart(sel, 2, 4));
    EXPECT_FALSE(SelectedHasKeyPart(sel, 1, 4));
    EXPECT_TRUE(SelectedHasK(sel, 3, 9));
    EXPECT_TRUE(SelectedHasK(sel, 1, -1));
    EXPECT_TRUE(SelectedHasByte(sel, 7, 1));
    EXPECT_FALSE(SelectedHasByte(sel, 7, 2));
    EXPECT_TRUE(SelectedHasPart(sel, TKeyPart::K1, TStatKey::FromParts(3, 5)));
    EXPECT_FALSE(SelectedHasPart({}, TKeyPart::Whole, TStatKey()));
}

TEST(StatFormat, RatiosPrintAsPrintfPrintsTheExtendedQuotient) {
    std::mt19937 rnd(11);
    for (int i = 0; i < 20000; ++i) {
        const int64_t q = 1 + rnd() % 60000;
        const int64_t p = int64_t(rnd() % 6000000) - 1000000;
        const int decimals = int(rnd() % 6);
        ASSERT_EQ(RatioText(p, q, decimals, '.'), Printed(static_cast<long double>(p) / q, decimals)) << p << "/" << q;
    }
    // Exact decimal ties: one that the binary value holds exactly, and one it cannot.
    EXPECT_EQ(RatioText(100, 256, 5, '.'), Printed(100.0L / 256, 5));
    EXPECT_EQ(RatioText(100, 32000, 5, '.'), Printed(100.0L / 32000, 5));
    EXPECT_EQ(RatioText(-3, 1000000, 5, ','), "-0,00000");
    EXPECT_EQ(RatioText(1000, 3, 4, ','), "333,3333");
}

// Weights are extended-precision reals: their cells round the binary value exactly as printf does,
// exact ties to even, and read back as the number their text shows.
TEST(StatFormat, RealCellsRoundAsPrintfAndReadAsTheirTexts) {
    std::mt19937_64 rnd(3);
    for (int i = 0; i < 30000; ++i) {
        const int decimals = int(rnd() % 6);
        const auto signedDraw = [&](int64_t range) { return static_cast<long double>(int64_t(rnd() % (2 * range + 1)) - range); };
        long double v = 0;
        switch (i % 4) {
        case 0: v = signedDraw(1000000) / static_cast<long double>(1 + rnd() % 1000); break;
        case 1: v = (2 * signedDraw(500000) + 1) / (2 * std::pow(10.0L, decimals)); break;  // decimal ties
        case 2: v = signedDraw(100000) / static_cast<long double>(uint64_t(1) << (rnd() % 16)); break;  // binary ties
        default: v = signedDraw(1000) * 1e9L / static_cast<long double>(1 + rnd() % 7); break;
        }
        const TStatCell cell = RealCell(v, decimals);
        ASSERT_EQ(cell.Kind, TStatCell::Number) << double(v);
        const std::string text = CellText(cell, '.');
        ASSERT_EQ(text, Printed(v, decimals)) << double(v) << " " << decimals;
        ASSERT_EQ(cell.Value(), *TryStrToFloat(text)) << text;
    }
    // Beyond 2^62 and not finite: printed, never read as digits.
    for (long double v : {1e30L, -4.7e18L, std::numeric_limits<long double>::infinity()}) {
        EXPECT_EQ(RealCell(v, 2).Kind, TStatCell::Text);
        EXPECT_EQ(CellText(RealCell(v, 2), '.'), Printed(v, 2));
    }
    EXPECT_EQ(CellText(RealCell(-0.001L, 2), ','), "-0,00");
    EXPECT_EQ(RealCell(-0.001L, 2).Scaled(), 0);
    EXPECT_EQ(CellText(RealCell(0.125L, 2), '.'), "0.12");
    EXPECT_EQ(CellText(RealCell(0.375L, 2), '.'), "0.38");
}

TEST(StatFormat, RoundingHalvesToEvenAndWeightTexts) {
    EXPECT_EQ(RoundRatio(5, 2), 2);
    EXPECT_EQ(RoundRatio(7, 2), 4);
    EXPECT_EQ(RoundRatio(-5, 2), -2);
    EXPECT_EQ(RoundRatio(-7, 2), -4);
    EXPECT_EQ(RoundRatio(10, 3), 3);
    EXPECT_EQ(RoundRatio(-10, 3), -3);
    EXPECT_EQ(WeightText(5, '.'), "5.00");
    EXPECT_EQ(WeightText(-12, ','), "-12,00");
    EXPECT_EQ(WeightText(2.345L, '.'), Printed(2.345L, 2));
    EXPECT_EQ(WeightText(-0.0L, '.'), "-0.00");
    EXPECT_EQ(SignedText(3), "+3");
    EXPECT_EQ(SignedText(0), "0");
    EXPECT_EQ(SignedText(-3), "-3");
}

// The window's process may run under a locale whose decimal point is ",": cell texts keep the
// separator asked for, and decimal texts still sort as numbers.
TEST(StatFormat, TextsAndSortIgnoreTheProcessLocale) {
    QX_COMMA_LOCALE_SCOPE(comma);
    EXPECT_EQ(FixedText(2.5L, 3, '.'), "2.500");
    EXPECT_EQ(FixedText(-0.375L, 2, ','), "-0,38");
    EXPECT_EQ(RatioText(1, 8, 2, '.'), "0.12");  // an exact tie is printed from the binary value
    EXPECT_EQ(WeightText(0.5L, '.'), "0.50");
    const std::vector<std::string> cells = {"10.5", "9.75", "-1.5"};
    auto text = [&](int r, int) -> std::string_view { return cells[size_t(r)]; };
    EXPECT_EQ(SortListRows(3, 1, false, text), (std::vector<int>{2, 1, 0}));
}

TEST(TableSort, NumbersTextsCaptionsAndDirection) {
    const std::vector<std::vector<std::string>> rows = {
        {"b", "10,5"}, {"a", "9.75"}, {"C", "-"}, {"d", "10.5"}, {"Б", "x"}, {"а", "X"}, {"e", "+2"}};
    auto text = [&](int r, int c) -> std::string_view { return rows[size_t(r)][size_t(c)]; };
    // Numbers compare as numbers ("10,5" equals "10.5", the captions decide); a number against a
    // text compares as text ("+2" < "-" < "9.75" < "x"); "x" and "X" are equal, then "а" < "Б".
    EXPECT_EQ(SortListRows(7, 1, false, text), (std::vector<int>{6, 2, 1, 0, 3, 5, 4}));
    EXPECT_EQ(SortListRows(7, 1, true, text), (std::vector<int>{4, 5, 3, 0, 1, 2, 6}));
    // The caption column ignores letter case (Cyrillic included) and needs no tie rule.
    EXPECT_EQ(SortListRows(7, 0, false, text), (std::vector<int>{1, 0, 2, 3, 6, 5, 4}));
    EXPECT_EQ(SortListRows(7, -1, false, text), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

// A method's own data kept in the occurrence cache with an index: handed out with it while the
// draws hold, built again with it when they change, and alive as long as the index is held.
TEST(ArchiveData, TravelsWithItsIndexThroughTheCache) {
    TDrawsArray draws = test::DrawsOf({"1234", "5678", "9012"});
    auto cache = std::make_unique<TOccurrenceCache>();
    int builds = 0;
    const auto build = [&] {
        ++builds;
        return IndexWithData(TOccurrenceIndex::Build(0, draws, [](int, uint32_t*) { return 0; }), std::vector<int>{builds});
    };
    const std::vector<int>* data = nullptr;
    auto first = CachedWithData(cache.get(), draws, false, 0, build, data);
    ASSERT_TRUE(first && data);
    EXPECT_EQ(*data, std::vector<int>{1});
    EXPECT_EQ(CachedWithData(cache.get(), draws, false, 0, build, data), first);
    EXPECT_EQ(builds, 1);

    draws[2].Digits[0] = 7;
    auto second = CachedWithData(cache.get(), draws, false, 1, build, data);
    ASSERT_TRUE(second && data);
    EXPECT_NE(second, first);
    EXPECT_EQ(*data, std::vector<int>{2});
    // A change before the draws a window reads leaves the index as it is.
    draws[0].Digits[0] = 7;
    EXPECT_EQ(CachedWithData(cache.get(), draws, false, 1, build, data), second);

    // Data of another type, or an index made without data, give none; no cache gives nothing.
    EXPECT_EQ(DataOf<std::string>(second), nullptr);
    EXPECT_EQ(DataOf<std::vector<int>>(TOccurrenceIndex::Build(0, draws, [](int, uint32_t*) { return 0; })), nullptr);
    EXPECT_EQ(CachedWithData(nullptr, draws, false, 0, build, data), nullptr);
    EXPECT_EQ(data, nullptr);

    cache.reset();
    ASSERT_NE(DataOf<std::vector<int>>(first), nullptr);
    EXPECT_EQ(*DataOf<std::vector<int>>(first), std::vector<int>{1});
}

namespace {

// The merge a window pass does, hit by hit: what an index summary must equal.
struct TMergedRow {
    int32_t Count = 0, Last = 0, LastIndex = -1, NextIndex = -1;
    uint16_t PeriodMin = 0, PeriodMax = 0;
    bool operator==(const TValueSummary& s) const {
        return Count == s.Count && Last == s.Last && LastIndex == s.LastIndex && NextIndex == s.NextIndex &&
               PeriodMin == s.PeriodMin && PeriodMax == s.PeriodMax;
    }
};

using TDrawHitLists = std::vector<std::vector<uint32_t>>;

TMergedRow MergeByHand(const TDrawsArray& draws, const TDrawHitLists& hits, const std::vector<uint32_t>& values,
                       int start, int L) {
    TMergedRow row;
    const auto holds = [&](uint32_t h) {
        return std::find(values.begin(), values.end(), h & ~TOccurrenceIndex::kPeriodsBit) != values.end();
    };
    for (int i = start; i < static_cast<int>(draws.size()); ++i)
        for (uint32_t h : hits[size_t(i)]) {
            if (!holds(h)) continue;
            if (i > L) {
                if (row.NextIndex < 0) row.NextIndex = i;
                continue;
            }
            const int32_t number = draws[size_t(i)].Number;
            ++row.Count;
            if ((h & TOccurrenceIndex::kPeriodsBit) && number > 0 && row.Last > 0) {
                const uint16_t g = uint16_t(std::min<int64_t>(std::llabs(int64_t(number) - row.Last), kMaxPeriod));
                if (g < row.PeriodMin || row.PeriodMin == 0) row.PeriodMin = g;
                if (g > row.PeriodMax || row.PeriodMax == 0) row.PeriodMax = g;
            }
            row.Last = number;
            row.LastIndex = i;
        }
    return row;
}

} // namespace

// An index over arbitrary hits answers any window as merging its draws would: numbers that repeat,
// go back, jump past the largest period or stay at 0 and below, several hits of a value in one draw
// (gaps of 0), hits that do not count periods, windows across the index's chunks and blocks.
TEST(OccurrenceIndex, WindowsEqualMergingTheirDraws) {
    std::mt19937 rnd(12);
    TDrawsArray draws(700);
    TDrawHitLists hits(draws.size());
    int32_t number = 1;
    for (size_t i = 0; i < draws.size(); ++i) {
        const int step = int(rnd() % 20);
        number = step == 0 ? number : step == 1 ? number - 3 : step == 2 ? 0 : step == 3 ? number + 70000 : number + 1;
        draws[i].Number = number;
        for (int k = int(rnd() % 5); k > 0; --k)
            hits[i].push_back(uint32_t(rnd() % 9) | (rnd() % 4 != 0 ? TOccurrenceIndex::kPeriodsBit : 0));
    }
    const auto index = TOccurrenceIndex::Build(9, draws, [&](int i, uint32_t* ids) {
        std::copy(hits[size_t(i)].begin(), hits[size_t(i)].end(), ids);
        return static_cast<int>(hits[size_t(i)].size());
    });
    ASSERT_TRUE(index);
    std::vector<TValueSummary> window;
    for (int round = 0; round < 400; ++round) {
        const int L = int(rnd() % draws.size()), start = L - int(rnd() % (L + 1));
        for (uint32_t v = 0; v < 9; ++v) {
            TValueSummary s;
            const TMergedRow expected = MergeByHand(draws, hits, {v}, start, L);
            ASSERT_EQ(index->Summary(v, start, L, s), expected.Count > 0) << v << " " << start << ".." << L;
            if (expected.Count > 0) {
                ASSERT_TRUE(expected == s) << v << " " << start << ".." << L;
            }
        }
        std::vector<uint32_t> some = {uint32_t(rnd() % 9), uint32_t(rnd() % 9), uint32_t(rnd() % 9)};
        std::sort(some.begin(), some.end());
        some.erase(std::unique(some.begin(), some.end()), some.end());
        const TMergedRow merged = MergeByHand(draws, hits, some, start, L);
        TValueSummary s;
        ASSERT_EQ(index->MergedSummary(some, start, L, s), merged.Count > 0);
        if (merged.Count > 0) {
            ASSERT_TRUE(merged == s) << start << ".." << L;
        }
        // The window's values in the order of their first hits.
        index->Window(start, L, window);
        for (size_t k = 1; k < window.size(); ++k) ASSERT_LT(window[k - 1].FirstOrder, window[k].FirstOrder);
    }
    // A draw that cannot be indexed gives no index.
    EXPECT_FALSE(TOccurrenceIndex::Build(9, draws, [](int i, uint32_t*) { return i == 5 ? -1 : 0; }));
}
