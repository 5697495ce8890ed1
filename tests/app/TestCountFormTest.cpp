#include <gtest/gtest.h>

#include "app/TestCountForm.h"

using namespace qx;

TEST(TestCountForm, RangeAndRefusalsByArchiveLength) {
    for (int64_t draws : {0, 1}) {
        const TTestCountRange r = TestCountRange(draws);
        EXPECT_TRUE(r.Empty());
        EXPECT_EQ(r.Refusal, "Для тестирования в архиве должно быть не менее двух тиражей!");
        EXPECT_EQ(RefuseTestCount(1, draws), r.Refusal);
    }
    const TTestCountRange two = TestCountRange(2);
    EXPECT_FALSE(two.Empty());
    EXPECT_EQ(two.Max, 1);
    EXPECT_EQ(two.Default, 1);
    EXPECT_TRUE(two.Refusal.empty());
    const TTestCountRange real = TestCountRange(13788);
    EXPECT_EQ(real.Min, 1);
    EXPECT_EQ(real.Max, 13787);
    EXPECT_EQ(real.Default, 10);
    EXPECT_FALSE(RefuseTestCount(1, 13788));
    EXPECT_FALSE(RefuseTestCount(13787, 13788));
    EXPECT_EQ(RefuseTestCount(13788, 13788), "Количество тестов должно быть от 1 до 13787!");
    EXPECT_EQ(RefuseTestCount(0, 13788), "Количество тестов должно быть от 1 до 13787!");
    EXPECT_EQ(RefuseTestCount(-5, 3), "Количество тестов должно быть от 1 до 2!");
}
