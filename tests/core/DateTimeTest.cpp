#include <gtest/gtest.h>

#include "core/DateTime.h"
#include "core/Error.h"

using namespace qx;

TEST(DrawLabel, FormatClassifiesHoursIntoMiddayAndEvening) {
    TDateTime day = EncodeDate(2019, 3, 7);
    EXPECT_EQ(FormatDrawLabel(day + EncodeTime(0, 30)), "03/07/2019 E");
    EXPECT_EQ(FormatDrawLabel(day + EncodeTime(1, 0)), "03/07/2019 M");
    EXPECT_EQ(FormatDrawLabel(day + EncodeTime(13, 59)), "03/07/2019 M");
    EXPECT_EQ(FormatDrawLabel(day + EncodeTime(14, 0)), "03/07/2019 E");
    EXPECT_EQ(FormatDrawLabel(day + EncodeTime(23, 59)), "03/07/2019 E");
    EXPECT_EQ(FormatDrawLabel(0), "");
    EXPECT_EQ(FormatDrawLabel(-3.5), "");
}

TEST(DrawLabel, ParseReadsPartsCaseAndTrimming) {
    TDateTime day = EncodeDate(2019, 3, 7);
    EXPECT_DOUBLE_EQ(ParseDrawLabel("03/07/2019 m"), day + EncodeTime(13, 0));
    EXPECT_DOUBLE_EQ(ParseDrawLabel("  03/07/2019 E  "), day + EncodeTime(19, 57));
    EXPECT_DOUBLE_EQ(ParseDrawLabel("03/07/2019"), day);
    EXPECT_DOUBLE_EQ(ParseDrawLabel("03/07/2019 X"), day);
    // Invalid parts give the zero date; the letter still adds its time.
    EXPECT_DOUBLE_EQ(ParseDrawLabel("13/07/2019 M"), EncodeTime(13, 0));
    EXPECT_DOUBLE_EQ(ParseDrawLabel("ab/07/2019 E"), EncodeTime(19, 57));
    EXPECT_DOUBLE_EQ(ParseDrawLabel("03/07/1900 M"), EncodeTime(13, 0));
    EXPECT_DOUBLE_EQ(ParseDrawLabel(""), 0);
    EXPECT_DOUBLE_EQ(ParseDrawLabel("   "), 0);
}

TEST(DrawLabel, NonExistentDayRaises) {
    EXPECT_THROW(ParseDrawLabel("02/30/2019 M"), TAppError);
    EXPECT_THROW(ParseDrawLabel("02/29/2019 M"), TAppError);
    EXPECT_NO_THROW(ParseDrawLabel("02/29/2020 M"));
}

TEST(DrawLabel, ValidLabelsSurviveParseAndFormat) {
    for (int y : {1901, 1995, 2000, 2019, 2998})
        for (int m = 1; m <= 12; ++m)
            for (int d : {1, 15, 28})
                for (const char* letter : {" M", " E"}) {
                    char buf[32];
                    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d%s", m, d, y, letter);
                    EXPECT_EQ(FormatDrawLabel(ParseDrawLabel(buf)), buf);
                }
}

TEST(DateNumbers, ConvertAndAddDays) {
    EXPECT_EQ(DateToNumber(EncodeDate(2019, 3, 7) + 0.75), 20190307);
    EXPECT_DOUBLE_EQ(NumberToDate(20190307), EncodeDate(2019, 3, 7));
    EXPECT_EQ(AddDays(20190228, 1), 20190301);
    EXPECT_EQ(AddDays(20200228, 1), 20200229);
    EXPECT_EQ(AddDays(20200101, -1), 20191231);
    EXPECT_EQ(AddDays(20190307, 100), 20190615);
    EXPECT_EQ(AddDays(12345, 0), 12345);  // unchanged, even when not a date
    EXPECT_THROW(AddDays(20190230, 1), TAppError);
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
}
