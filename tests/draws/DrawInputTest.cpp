#include <gtest/gtest.h>

#include "core/DateTime.h"
#include "draws/DrawInput.h"

using namespace qx;

TEST(DrawInput, DigitsTextValidation) {
    EXPECT_EQ(ParseDrawDigits("1,2;3 ; 4"), (TDigits{1, 2, 3, 4}));
    EXPECT_EQ(ParseDrawDigits("1;x;3;4"), std::nullopt);  // a letter is no digit, not a 0
    EXPECT_EQ(ParseDrawDigits("1;2;3;99999999999"), std::nullopt);
    EXPECT_EQ(ParseDrawDigits(";;0;;9,,9;0;"), (TDigits{0, 9, 9, 0}));
    EXPECT_EQ(ParseDrawDigits("1;2;3"), std::nullopt);
    EXPECT_EQ(ParseDrawDigits("1;2;3;10"), std::nullopt);
    EXPECT_EQ(ParseDrawDigits("1;2;3;-1"), std::nullopt);
    EXPECT_EQ(ParseDrawDigits("1;2;3;4;5"), std::nullopt);
    EXPECT_EQ(ParseDrawDigits("1 2 3 4"), std::nullopt);
    EXPECT_EQ(ParseDrawDigits(""), std::nullopt);
}

TEST(DrawInput, DialogResultFormatsTheLabelAndKeepsReservedBytes) {
    TDrawRecord original;
    original.SetDateLabel("01/01/2001 M");
    original.Reserved[1] = 0x5A;
    TDateTime when = EncodeDate(2019, 3, 7) + EncodeTime(0, 30);
    TDrawRecord r = DrawDialogResult(original, 77, {0, 7, 3, 9}, when);
    EXPECT_EQ(r.Number, 77);
    EXPECT_EQ(r.DateLabel(), "03/07/2019 E");  // 00:30 is an evening draw
    EXPECT_EQ(r.Reserved[1], 0x5A);
    TDrawRecord hidden = DrawDialogResult(original, 78, {1, 1, 1, 1}, std::nullopt);
    EXPECT_EQ(hidden.DateLabel(), "01/01/2001 M");
}
