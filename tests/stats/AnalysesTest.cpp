#include <gtest/gtest.h>

#include <random>

#include "LiteralRepeats.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "stats/Repeats.h"
#include "stats/SumDistribution.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

// Draws numbered from 1000 up, with the digits of each text.
TDrawsArray Draws(std::initializer_list<const char*> digits) {
    TDrawsArray a;
    int32_t n = 1000;
    for (const char* d : digits) {
        TDrawRecord r;
        r.Number = n++;
        for (int p = 0; p < kPositions; ++p) r.Digits[p] = static_cast<uint8_t>(d[p] - '0');
        a.push_back(r);
    }
    return a;
}

struct TRowText {
    int32_t Draw;
    int Matches;
    int64_t Count;
    std::string List;
    friend bool operator==(const TRowText&, const TRowText&) = default;
};

std::ostream& operator<<(std::ostream& os, const TRowText& r) {
    return os << r.Draw << "/" << r.Matches << "/" << r.Count << " [" << r.List << "]";
}

std::vector<TRowText> Fast(const TDrawsArray& draws, int64_t length, int64_t deep, int* max = nullptr) {
    const TRepeatsResult result = ComputeRepeats(draws, length, deep);
    if (max) *max = result.MaxMatches;
    std::vector<TRowText> rows;
    for (const TRepeatsRow& r : result.Rows)
        rows.push_back({draws[static_cast<size_t>(r.DrawIndex)].Number, r.Matches, r.Count,
                        RepeatsListText(draws, r, result.Deep)});
    return rows;
}

std::vector<TRowText> Literal(const TDrawsArray& draws, int64_t length, int64_t deep, int* max = nullptr) {
    std::vector<TRowText> rows;
    for (const auto& r : oracle::LiteralRepeats(draws, length, deep, max))
        rows.push_back({r.Draw, r.Matches, r.Count, r.List});
    return rows;
}

} // namespace

TEST(Repeats, RepeatCountIsTheNumberOfEqualPositions) {
    auto code = [](const char* d) { return MakeCode(d[0] - '0', d[1] - '0', d[2] - '0', d[3] - '0'); };
    EXPECT_EQ(RepeatCount(code("1234"), code("1234")), 4);
    EXPECT_EQ(RepeatCount(code("1234"), code("4321")), 0);
    EXPECT_EQ(RepeatCount(code("1234"), code("1294")), 3);
    EXPECT_EQ(RepeatCount(code("0000"), code("0990")), 2);
    EXPECT_EQ(RepeatCount(MakeCode(255, 128, 1, 0), MakeCode(255, 0, 129, 0)),
              2); // damaged bytes compare as bytes
}

TEST(Repeats, RowOrderOnAHandMadeArchive) {
    // 1000: 1234, 1001: 1299, 1002: 5678, 1003: 1234, 1004: 1278
    const TDrawsArray draws = Draws({"1234", "1299", "5678", "1234", "1278"});
    int max = 0;
    const std::vector<TRowText> rows = Fast(draws, 100, 100, &max);
    const std::vector<TRowText> expected = {
        // 1004 (1278) walking back: 1003 shares 2, 1002 shares 2 (7,8), 1001 shares 2, 1000 shares 2.
        {1004, 2, 4, "1003 1002 1001 1000"},
        // 1003 (1234): 1002 nothing, 1001 shares 2, 1000 is equal.
        {1003, 2, 1, "1001"},
        {1003, 4, 1, "1000"},
        // 1002 shares nothing with 1001 and 1000: no row. 1001 (1299) shares 2 with 1000.
        {1001, 2, 1, "1000"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(max, 4);
    EXPECT_EQ(rows, Literal(draws, 100, 100));

    // Order of first appearance, not of the count.
    const TDrawsArray mixed = Draws({"1200", "1230", "1000", "1234"});
    const std::vector<TRowText> m = Fast(mixed, 1, 10);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].Matches, 1); // 1002 (1000) met first
    EXPECT_EQ(m[1].Matches, 3);
    EXPECT_EQ(m[2].Matches, 2);
}

TEST(Repeats, LengthAndDepthBounds) {
    const TDrawsArray draws = Draws({"1111", "1112", "1113", "1114", "1115"});
    // Length beyond the archive: every draw; the oldest adds no row.
    const std::vector<TRowText> all = Fast(draws, 2147483647, 2147483647);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all.back().Draw, 1001);
    EXPECT_EQ(all.front().List, "1003 1002 1001 1000");
    EXPECT_EQ(all, Literal(draws, 2147483647, 2147483647));
    // Length 2, depth 1: draws 1004 and 1003, each against the one before.
    const std::vector<TRowText> two = Fast(draws, 2, 1);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], (TRowText{1004, 3, 1, "1003"}));
    EXPECT_EQ(two[1], (TRowText{1003, 3, 1, "1002"}));
    EXPECT_EQ(RepeatsDrawCount(5, 2147483647), 5);
    EXPECT_EQ(RepeatsDrawCount(5, 3), 3);
    EXPECT_EQ(RepeatsDrawCount(0, 3), 0);
    // An empty archive and draws that share nothing.
    EXPECT_TRUE(Fast({}, 100, 100).empty());
    int max = -1;
    EXPECT_TRUE(Fast(Draws({"1234", "2345", "3456", "4567"}), 100, 100, &max).empty());
    EXPECT_EQ(max, 0);
}

TEST(Repeats, SameRowsAsTheLiteralOnRandomArchives) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; ++round) {
        TDrawsArray draws(static_cast<size_t>(random() % 300));
        const int digits = 2 + static_cast<int>(random() % 9); // few digits: many repeats of 3 and 4
        for (size_t i = 0; i < draws.size(); ++i) {
            draws[i].Number = static_cast<int32_t>(i * 2 + 7);
            for (uint8_t& d : draws[i].Digits)
                d = static_cast<uint8_t>(random() % static_cast<unsigned>(digits));
        }
        const int64_t length = 1 + random() % 400, deep = 1 + random() % 400;
        int fastMax = 0, literalMax = 0;
        ASSERT_EQ(Fast(draws, length, deep, &fastMax), Literal(draws, length, deep, &literalMax))
            << round << " " << length << " " << deep;
        ASSERT_EQ(fastMax, literalMax);
    }
}

TEST(Repeats, SameRowsAsTheLiteralOnTheRealArchive) {
    QX_REQUIRE_REAL_ARCHIVE();
    TDrawsArray draws;
    AppendDrawsFromCsv(ReadTextFile(RealArchiveCsv()), draws);
    EXPECT_EQ(Fast(draws, 300, 2000), Literal(draws, 300, 2000));
}

TEST(Repeats, PlotRunsFromTheLastRowToTheFirst) {
    const TDrawsArray draws = Draws({"1234", "1299", "5678", "1234", "1278"});
    const TRepeatsResult result = ComputeRepeats(draws, 100, 100);
    const TGraphPlot plot = RepeatsPlot(draws, result);
    ASSERT_EQ(plot.Points.size(), 4u);
    EXPECT_EQ(plot.Points[0].X, 1001);
    EXPECT_EQ(plot.Points[0].Title, "Совпадений: 2");
    EXPECT_EQ(plot.Points[1].Title, "Совпадений: 4");
    EXPECT_EQ(plot.Points[3].X, 1004);
    EXPECT_EQ(plot.Points[3].Y, 4);
    EXPECT_FALSE(plot.Points[0].MarksVisible);
}

TEST(SumDistribution, ThresholdsBandsAndSeries) {
    const TSumDistribution d = ComputeSumDistribution(Draws({"0000", "9999", "1234", "4321", "5555"}));
    ASSERT_EQ(d.Theory.size(), 37u);
    EXPECT_EQ(d.Theory[18], std::make_pair(18, int64_t{670}));
    EXPECT_EQ(d.Theory[0].second, 1);
    EXPECT_EQ(d.TheoryMax, 670);
    EXPECT_EQ(d.TheoryMin, 1);
    const int64_t thresholds[3] = {224, 336, 447};
    const int bands[3][2] = {{10, 26}, {11, 25}, {13, 23}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(d.Bands[k].Threshold, thresholds[k]);
        EXPECT_EQ(d.Bands[k].Low, bands[k][0]);
        EXPECT_EQ(d.Bands[k].High, bands[k][1]);
    }
    EXPECT_EQ(SumBandTitle(d, 0), "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 10-26");
    EXPECT_EQ(SumBandTitle(d, 2), "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 13-23");
    const std::vector<std::pair<int, int64_t>> actual = {{0, 1}, {10, 2}, {20, 1}, {36, 1}};
    EXPECT_EQ(d.Actual, actual);
    EXPECT_EQ(d.ActualMax, 2);

    const TGraphPlot plot = SumDistributionPlot(d);
    EXPECT_EQ(plot.Caption, "Распределение сумм тиражей и всех возможных комбинаций");
    ASSERT_EQ(plot.Points.size(), 4u + 4 * 37);
    EXPECT_EQ(plot.Points[0].Title, "Фактическое распределение сумм (по тиражам)");
    EXPECT_EQ(plot.Points[0].Colour, Rgb(255, 0, 0));
    EXPECT_TRUE(plot.Points[0].PointsVisible && plot.Points[0].MarksVisible);
    const TGraphPoint& theory18 = plot.Points[4 + 18];
    EXPECT_EQ(theory18.Title, "Теоретическое распределение сумм (по комбинациям)");
    EXPECT_DOUBLE_EQ(theory18.Y, 670.0 * 2 / 670);
    EXPECT_EQ(theory18.Colour, Rgb(128, 0, 0));
    EXPECT_FALSE(theory18.PointsVisible || theory18.MarksVisible);
    const TGraphPoint& band2 = plot.Points[4 + 2 * 37 + 5];
    EXPECT_EQ(band2.Title, "Диапазон 2 (от 1/2 и выше по оси Y) - суммы 11-25");
    EXPECT_DOUBLE_EQ(band2.Y, 336.0 * 2 / 670);
    EXPECT_EQ(band2.Colour, Rgb(0, 0, 255));
    EXPECT_EQ(plot.Points.back().Colour, Rgb(255, 0, 255));
}

TEST(SumDistribution, EmptyAndDamagedArchives) {
    const TSumDistribution empty = ComputeSumDistribution({});
    EXPECT_TRUE(empty.Actual.empty());
    EXPECT_EQ(empty.ActualMax, 0);
    const TGraphPlot plot = SumDistributionPlot(empty);
    ASSERT_EQ(plot.Points.size(), 4u * 37);
    for (const TGraphPoint& p : plot.Points) EXPECT_EQ(p.Y, 0) << p.Title;
    EXPECT_EQ(SumBandTitle(empty, 0), "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 10-26");

    TDrawsArray damaged = Draws({"9999"});
    damaged[0].Digits[0] = 200;
    const TSumDistribution d = ComputeSumDistribution(damaged);
    ASSERT_EQ(d.Actual.size(), 1u);
    EXPECT_EQ(d.Actual[0].first, 227);
}
