#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/SortRule.h"

using namespace qx;

TEST(SortRule, NumbersCompareAsNumbersWithEitherSeparatorOtherTextsWithoutCase) {
    EXPECT_LT(CompareSortTexts("9", "10"), 0);
    EXPECT_GT(CompareSortTexts("2,5", "2.25"), 0);
    EXPECT_EQ(CompareSortTexts("1,50", "1.5"), 0);
    EXPECT_LT(CompareSortTexts("-3", "0"), 0);
    EXPECT_EQ(CompareSortTexts("Абв", "аБВ"), 0);
    EXPECT_LT(CompareSortTexts("10", "9a"), 0); // not both numbers: as texts
    EXPECT_LT(CompareSortTexts("", "1"), 0);
}

TEST(SortRule, RowsTieOnTheirCaptionsAndDescendingReverses) {
    struct TRow {
        std::string Caption, Value;
    };
    std::vector<TRow> rows = {{"b", "5"}, {"a", "5"}, {"c", "12"}, {"d", "x"}};
    auto sorted = [&](bool descending) {
        auto copy = rows;
        std::stable_sort(copy.begin(), copy.end(), [&](const TRow& l, const TRow& r) {
            return CompareSortRows(l.Value, r.Value, l.Caption, r.Caption, 1, descending) < 0;
        });
        std::string order;
        for (const auto& r : copy) order += r.Caption;
        return order;
    };
    EXPECT_EQ(sorted(false), "abcd"); // 5, 5 (captions decide), 12, then the text "x"
    EXPECT_EQ(sorted(true), "dcba");
    // In the caption column itself equal texts stay equal.
    EXPECT_EQ(CompareSortRows("a", "A", "a", "A", 0, false), 0);
}
