#include <gtest/gtest.h>

#include <random>

#include "core/ArchiveQueries.h"
#include "core/DateTime.h"

using namespace qx;

namespace {

TDrawsArray Numbered(const std::vector<int>& numbers) {
    TDrawsArray a;
    for (int n : numbers) {
        TDrawRecord r;
        r.Number = n;
        r.Digits[0] = static_cast<uint8_t>(n % 10);
        a.push_back(r);
    }
    return a;
}

int LinearIndexOf(const TDrawsArray& a, int number) {
    for (int i = static_cast<int>(a.size()) - 1; i >= 0; --i)
        if (a[i].Number == number) return i;
    return -1;
}

} // namespace

TEST(IndexOfNumber, FindsEveryNumberWhateverTheNumbering) {
    std::mt19937 rng(7);
    std::vector<std::vector<int>> shapes = {
        {},
        {5},
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
        {1, 2, 3, 10, 11, 12, 40, 41},          // gaps
        {10, 9, 8, 7, 6, 5},                    // reversed
        {5, 5, 6, 6, 7, 3, 3},                  // duplicates
        {100, 1},                               // newest one less than oldest... and more
        {2, 3, 4, 1},                           // divisor zero: last - first + 1 == 0
        {2147483000, 2147483640, 2147483647},   // products beyond 32 bits
    };
    std::vector<int> big;
    for (int i = 0; i < 3000; ++i) big.push_back(1000 + i + (i > 1500 ? 7 : 0));
    shapes.push_back(big);
    std::vector<int> shuffled(500);
    for (int i = 0; i < 500; ++i) shuffled[i] = static_cast<int>(rng() % 300);
    shapes.push_back(shuffled);

    for (const auto& shape : shapes) {
        TDrawsArray a = Numbered(shape);
        for (int probe = -5; probe < 5000; ++probe) {
            int got = IndexOfNumber(a, probe);
            if (LinearIndexOf(a, probe) < 0) {
                EXPECT_EQ(got, -1) << probe;
            } else {
                ASSERT_GE(got, 0) << probe;
                EXPECT_EQ(a[got].Number, probe);
            }
        }
        for (int n : shape) EXPECT_EQ(a[IndexOfNumber(a, n)].Number, n);
    }
}

TEST(ArchiveQueries, NextNumberCodesAndFollowingDraw) {
    TDrawsArray empty;
    EXPECT_EQ(NextDrawNumber(empty, 0), 1);
    EXPECT_EQ(CodeAtRow(empty, 0), 0u);
    EXPECT_EQ(FollowingDigitsText(empty, 1), "");
    EXPECT_EQ(DateNumberAtRow(empty, 0, 0), 19910704);

    TDrawsArray a;
    for (int n = 1491; n <= 1500; ++n) {
        TDrawRecord r;
        r.Number = n;
        r.Digits[0] = static_cast<uint8_t>(n % 10);
        r.Digits[3] = 9;
        r.SetDateLabel("03/07/2019 M");
        a.push_back(r);
    }
    EXPECT_EQ(NextDrawNumber(a, 0), 1501);
    EXPECT_EQ(NextDrawNumber(a, 3), 1498);  // offset 3: draw High - 3 plus one
    EXPECT_EQ(NextDrawNumber(a, 10), -1);
    a.back().Number = 2147483647;  // a hostile archive: the next number does not wrap
    EXPECT_EQ(NextDrawNumber(a, 0), 2147483648);
    a.back().Number = 1500;
    EXPECT_EQ(CurrentIndex(a, 3), 6);
    EXPECT_EQ(CodeAtRow(a, 0), MakeCode(0, 0, 0, 9));
    EXPECT_EQ(FollowingDigitsText(a, 0), "");
    EXPECT_EQ(FollowingDigitsText(a, 3), "8;0;0;9");  // the draw in row 2
    EXPECT_EQ(FollowingDigitsText(a, 10), "");
    EXPECT_EQ(FollowingDigitSet(a, 3), (TByteArray{8, 0, 9}));
    EXPECT_EQ(DateNumberAtRow(a, 2, 1), 20190308);
    EXPECT_EQ(DateNumberAtRow(a, 11, 0), 19910704);
}

TEST(ArchiveQueries, IndexOfLabelLooksAtTheNewestDepthPlusOne) {
    TDrawsArray a;
    for (const char* l : {"03/07/2019 M", "03/07/2019 E", "03/08/2019 M", "03/07/2019 m", "03/09/2019 E"}) {
        TDrawRecord r;
        r.SetDateLabel(l);
        a.push_back(r);
    }
    EXPECT_EQ(IndexOfLabel(a, "03/07/2019 M", 0), 3);   // newest, case ignored
    EXPECT_EQ(IndexOfLabel(a, "03/07/2019 E", 0), 1);
    EXPECT_EQ(IndexOfLabel(a, "03/07/2019 E", 2), -1);  // only indexes 2..4
    EXPECT_EQ(IndexOfLabel(a, "03/07/2019 E", 3), 1);
    EXPECT_EQ(IndexOfLabel(a, "01/01/2000 E", 0), -1);
}
