#include <gtest/gtest.h>

#include "core/DrawHelpers.h"

using namespace qx;

TEST(DrawHelpers, ChannelsAndColours) {
    EXPECT_EQ(ChannelOf(9, 2), 5);
    EXPECT_EQ(ChannelOf(9, 3), 4);
    EXPECT_EQ(ChannelOf(9, 10), 1);
    EXPECT_EQ(ChannelOf(0, 1), 1);
    EXPECT_EQ(ChannelOf(9, 1), 10);
    EXPECT_EQ(ChannelOf(10, 2), 0);
    EXPECT_EQ(ChannelOf(-1, 2), 0);
    // A width outside 1..10 read from a file acts as 2 instead of dividing by zero.
    EXPECT_EQ(ChannelOf(9, 0), 5);
    EXPECT_EQ(ChannelOf(9, -3), 5);
    EXPECT_EQ(ChannelOf(9, 11), 5);

    EXPECT_EQ(ChannelColour(0, 2), (TColour{170, 255, 170}));
    EXPECT_EQ(ChannelColour(9, 1), (TColour{255, 170, 213}));
    EXPECT_EQ(ChannelColour(12, 2), (TColour{255, 0, 0}));
    EXPECT_EQ(ChannelTableColour(11), (TColour{213, 255, 213}));
    EXPECT_EQ(ChannelTableColour(19), (TColour{213, 234, 255}));
    EXPECT_EQ(ChannelTableColour(20), ChannelTableColour(1));
    EXPECT_EQ(ChannelTableColour(39), ChannelTableColour(1));
}

TEST(DrawHelpers, TextsAndCodes) {
    TDrawRecord r;
    r.Number = 4321;
    r.Digits[0] = 0;
    r.Digits[1] = 7;
    r.Digits[2] = 3;
    r.Digits[3] = 9;
    r.SetDateLabel("03/07/2019 M");
    EXPECT_EQ(CodeOfDraw(r), 0x09030700u);
    EXPECT_EQ(DigitsText(CodeOfDraw(r)), "0;7;3;9");
    EXPECT_EQ(DigitsBlankText(CodeOfDraw(r)), "00 07 03 09");
    EXPECT_EQ(DrawDescription(r), "Тираж № 4321 от 03/07/2019 M, значения: 0;7;3;9");
    SortDigits(r);
    EXPECT_EQ(DigitsText(CodeOfDraw(r)), "0;3;7;9");
    EXPECT_EQ(CodeIndex(MakeCode(1, 2, 3, 4)), 1234);
    EXPECT_EQ(CodeOfIndex(9876), MakeCode(9, 8, 7, 6));
    EXPECT_EQ(CodeIndex(MakeCode(1, 12, 3, 4)), -1);
}

TEST(DrawRecord, LabelIsCutToTwelveCharactersAndStoredAsWindows1251) {
    TDrawRecord r;
    r.SetDateLabel("03/07/2019 ME");
    EXPECT_EQ(r.DateLabel(), "03/07/2019 M");
    EXPECT_EQ(r.LabelLength, 12);
    r.SetDateLabel("Тираж");
    EXPECT_EQ(r.LabelLength, 5);  // one byte a character on disk
    EXPECT_EQ(static_cast<unsigned char>(r.Label[0]), 0xD2);
    EXPECT_EQ(r.DateLabel(), "Тираж");
    r.LabelLength = 200;  // damaged length from a file
    EXPECT_EQ(r.RawLabel().size(), 12u);
}
