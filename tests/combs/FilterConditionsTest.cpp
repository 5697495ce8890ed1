#include <gtest/gtest.h>

#include "combs/FilterConditions.h"
#include "combs/NumberList.h"
#include "core/Error.h"

using namespace qx;
using List = std::vector<int32_t>;

TEST(NumberList, BothForms) {
    EXPECT_EQ(ParseNumberList("10"), (List{10}));
    EXPECT_EQ(ParseNumberList("10,20;30"), (List{10, 20, 30}));
    EXPECT_EQ(ParseNumberList(" 10 , 20 "), (List{10, 20}));
    EXPECT_EQ(ParseNumberList("1-10;3"), (List{1, 4, 7, 10}));
    EXPECT_EQ(ParseNumberList("1-10;2"), (List{1, 3, 5, 7, 9}));
    EXPECT_EQ(ParseNumberList("1-10,2"), (List{1, 3, 5, 7, 9}));
    EXPECT_EQ(ParseNumberList("-3-3;3"), (List{-3, 0, 3}));
    EXPECT_EQ(ParseNumberList("-3"), (List{-3}));
    EXPECT_EQ(ParseNumberList("5-5;1"), (List{5}));
    for (const char* empty : {"", "1-10", "5-1;1", "1-10;0", "1-10;-2", "x", "10,x", "1-10;2;3", "1-x;2", "--1"})
        EXPECT_TRUE(ParseNumberList(empty).empty()) << empty;
    EXPECT_EQ(NumberListText({1, 3, 5}, ","), "1,3,5");
    EXPECT_EQ(NumberListText({}, ","), "");
}

TEST(NumberList, HugeRangesAreRefusedInsteadOfExhaustingMemory) {
    EXPECT_EQ(ParseNumberList("-2147483648-2147483647;2147483647").size(), 3u);  // no 32-bit overflow
    EXPECT_THROW(ParseNumberList("0-2000000000;1"), TAppError);
    EXPECT_EQ(ParseNumberList("1-1000000;1").size(), 1000000u);
}

TEST(FilterConditions, TablesInOrder) {
    EXPECT_STREQ(ConditionInfo(0).Code, "LNO");
    EXPECT_STREQ(ConditionInfo(19).Code, "WMV");
    EXPECT_STREQ(ConditionInfo(31).Code, "LVA");
    EXPECT_STREQ(ConditionInfo(1).Caption, "\"Глубина\": не менее заданного значения");
    EXPECT_STREQ(StopModeInfo(2).Code, "SZ");
    EXPECT_STREQ(StopModeInfo(5).Caption, "Процентному соотношению в списке статистики");
    int perValue = 0;
    for (int c = 0; c < kConditionCount; ++c) perValue += ConditionInfo(c).PerValue();
    EXPECT_EQ(perValue, 4 + 4 + 4 + 2 + 6);  // 1-4, 7-10, 13-16, 19-20, 22-23, 25-26, 28-29
}

TEST(FilterConditions, ThresholdsAndTheDashRules) {
    EXPECT_TRUE(ConditionHolds(1, "5", 0, "3"));   // LMV depth >= 3
    EXPECT_FALSE(ConditionHolds(1, "2", 0, "3"));
    EXPECT_FALSE(ConditionHolds(1, "-", 0, "3"));  // "-" reads 0 for "не менее"
    EXPECT_TRUE(ConditionHolds(1, "-", 0, "0"));
    EXPECT_FALSE(ConditionHolds(3, "-", 0, "100"));  // ... and 65535 for "не более"
    EXPECT_TRUE(ConditionHolds(3, "-", 0, "65535"));
    EXPECT_TRUE(ConditionHolds(4, "12,5", 0, "13"));  // real percentages with either separator
    EXPECT_FALSE(ConditionHolds(4, "13.5", 0, "13"));
    EXPECT_FALSE(ConditionHolds(4, "-", 0, "200"));   // percentage "не более": 65535
    EXPECT_TRUE(ConditionHolds(20, "-", 0, "0"));     // weight "не более": 0
    EXPECT_TRUE(ConditionHolds(26, "-", 0, "1"));     // period "не более": 0
    EXPECT_TRUE(ConditionHolds(9, "-12", 0, "-10"));  // deviation may be negative
    EXPECT_TRUE(ConditionHolds(0, "anything", 0, ""));
}

TEST(FilterConditions, ListsCompareExactlyAndRaiseOnDashes) {
    EXPECT_TRUE(ConditionHolds(5, "3", 0, "1,3,5"));
    EXPECT_FALSE(ConditionHolds(5, "4", 0, "1,3,5"));
    EXPECT_TRUE(ConditionHolds(6, "12,50", 0, "12.5;7"));
    EXPECT_FALSE(ConditionHolds(6, "12,51", 0, "12.5"));
    EXPECT_TRUE(ConditionHolds(31, "ignored", 42, "41,42"));
    for (int c : {5, 6, 11, 12, 17, 18, 21, 24, 27, 30}) EXPECT_THROW(ConditionHolds(c, "-", 0, "1,2"), TAppError) << c;
    EXPECT_THROW(ConditionHolds(5, "3", 0, "1,x"), TAppError);
}
