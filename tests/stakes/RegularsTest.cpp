#include <gtest/gtest.h>

#include <climits>

#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "stakes/Regulars.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

TCombCode Code(const char* d) {
    return MakeCode(d[0] - '0', d[1] - '0', d[2] - '0', d[3] - '0');
}

TRegularRecord Regular(const char* comment, const char* start, int step, uint8_t mode = rmConstantStart) {
    TRegularRecord r;
    r.SetComment(comment);
    r.Mode = mode;
    r.Step = step;
    r.SetStart(Code(start));
    r.SetCurrent(Code(start));
    return r;
}

TDrawRecord Draw(int32_t number, const char* digits) {
    TDrawRecord d;
    d.Number = number;
    for (int p = 0; p < kPositions; ++p) d.Digits[p] = static_cast<uint8_t>(digits[p] - '0');
    return d;
}

std::string Bytes(const TRegularRecord& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof r);
}

} // namespace

TEST(RegularShift, ShiftsEveryDigitModuloTen) {
    EXPECT_EQ(RegularShift(Code("1234"), 1), Code("2345"));
    EXPECT_EQ(RegularShift(Code("8901"), 3), Code("1234"));
    EXPECT_EQ(RegularShift(Code("0195"), -2), Code("8973"));
    EXPECT_EQ(RegularShift(Code("0195"), 0), Code("0195"));
    EXPECT_EQ(RegularShift(Code("9999"), 9), Code("8888"));
    EXPECT_EQ(RegularShift(Code("0000"), -9), Code("1111"));
}

TEST(RegularShift, DamagedRecordsStayWithinDigits) {
    // Every stored byte and steps far outside -9..9: the result is always four digits, and the
    // shift agrees with the step taken modulo 10.
    for (int d = 0; d < 256; d += 7) {
        for (int32_t step : {-10, 10, -19, 25, 1000, -1001, INT32_MAX, INT32_MIN, INT32_MIN + 1}) {
            const TCombCode shifted = RegularShift(MakeCode(d, 255, 10, 9), step);
            for (int p = 0; p < kPositions; ++p) ASSERT_LT(DigitOfCode(shifted, p), 10) << d << " " << step;
            const int expected = static_cast<int>(((static_cast<int64_t>(d) + step) % 10 + 10) % 10);
            ASSERT_EQ(DigitOfCode(shifted, 0), expected) << d << " " << step;
        }
    }
}

TEST(TablesAdvance, ConstantStartProgressesFromItsCurrentCombination) {
    TRegularRecord r = Regular("R", "1234", 1);
    TablesAdvance({}, 0, r);
    EXPECT_EQ(r.CurrentCode(), Code("2345"));
    EXPECT_EQ(r.StartCode(), Code("1234"));
    TablesAdvance({}, 0, r);
    EXPECT_EQ(r.CurrentCode(), Code("3456"));
    EXPECT_EQ(r.StakesMade, 2);
    // A mode byte other than 1 plays as a constant start.
    TRegularRecord odd = Regular("R", "8901", 3, 7);
    TablesAdvance({Draw(1, "5555")}, 0, odd);
    EXPECT_EQ(odd.CurrentCode(), Code("1234"));
}

TEST(TablesAdvance, PreviousDrawShiftsTheDrawAtTheOffset) {
    const TDrawsArray draws = {Draw(1, "1111"), Draw(2, "7039"), Draw(3, "2222")};
    TRegularRecord r = Regular("R", "5555", 5, rmPreviousDraw);
    r.SetCurrent(Code("9999"));
    TablesAdvance(draws, 1, r); // offset 1 shows draw 2
    EXPECT_EQ(r.CurrentCode(), Code("2584"));
    TablesAdvance(draws, 0, r);
    EXPECT_EQ(r.CurrentCode(), Code("7777"));
    // Outside the archive the base is all zero.
    for (int offset : {3, 100, -1}) {
        TablesAdvance(draws, offset, r);
        EXPECT_EQ(r.CurrentCode(), Code("5555")) << offset;
    }
    TablesAdvance({}, 0, r);
    EXPECT_EQ(r.CurrentCode(), Code("5555"));
    EXPECT_EQ(r.StakesMade, 6);
    // A damaged draw digit still gives digits.
    TDrawsArray damaged = {Draw(1, "0000")};
    damaged[0].Digits[2] = 203;
    TablesAdvance(damaged, 0, r);
    EXPECT_EQ(r.CurrentCode(), Code("5585")); // (203 + 5) % 10 = 8
    r.StakesMade = INT32_MAX;
    TablesAdvance(damaged, 0, r);
    EXPECT_EQ(r.StakesMade, INT32_MAX);
}

TEST(RegularRecord, BytesAndCells) {
    TRegularRecord r = Regular("Регуляр", "1234", -3, rmPreviousDraw);
    r.SetCurrent(Code("5678"));
    r.StakesMade = 0x01020304;
    const std::string b = Bytes(r);
    ASSERT_EQ(b.size(), 276u);
    EXPECT_EQ(uint8_t(b[0]), 7); // seven Windows-1251 bytes
    EXPECT_EQ(b.substr(1, 7), "\xD0\xE5\xE3\xF3\xEB\xFF\xF0");
    EXPECT_EQ(b.substr(8, 248), std::string(248, '\0'));
    EXPECT_EQ(b.substr(256, 12), std::string("\x01\x01\x02\x03\x04\x05\x06\x07\x08\0\0\0", 12));
    EXPECT_EQ(b.substr(268, 8), std::string("\xFD\xFF\xFF\xFF\x04\x03\x02\x01", 8));
    const char* cells[] = {"Регуляр", "1;2;3;4", "-3", "5;6;7;8", "16909060"};
    for (int col = 0; col < kRegularColumnCount; ++col) EXPECT_EQ(RegularCellText(r, col), cells[col]);
    EXPECT_STREQ(kRegularColumns[1], "Стартовая комбинация");
}

TEST(Regulars, CommentsCompareIgnoringCaseLatinAndCyrillic) {
    TRegulars list;
    list.Append(Regular("Abc Регуляр Ёлка Її", "0000", 1));
    EXPECT_TRUE(list.HasComment("Abc Регуляр Ёлка Її"));
    EXPECT_TRUE(list.HasComment("aBC рЕГУЛЯР ёЛКА її"));
    EXPECT_TRUE(list.HasComment("ABC РЕГУЛЯР ЁЛКА ЇЇ"));
    EXPECT_FALSE(list.HasComment("Abc Регуляр Елка Її"));
    EXPECT_FALSE(list.HasComment("Abc Регуляр Ёлка Її "));
}

TEST(Regulars, DeletesFromTheLastSelectedAndRefusesStrangeIndexes) {
    TRegulars list;
    for (const char* c : {"a", "b", "c", "d", "e"}) list.Append(Regular(c, "0000", 1));
    list.Delete({3, 0, 3, 1});
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).CommentText(), "c");
    EXPECT_EQ(list.At(1).CommentText(), "e");
    try {
        list.At(2);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом 2 в файле данных не найдена!");
    }
    EXPECT_THROW(list.Delete({1, 5}), TAppError);
    EXPECT_THROW(list.Replace(-1, Regular("x", "0000", 1)), TAppError);
}

TEST(Regulars, FileRoundTripPartialRecordAndFailedWrite) {
    TTempDir dir;
    const auto file = dir / "Quadrix_4d10.ltb";
    TRegulars list;
    list.Save(file);
    EXPECT_EQ(ReadBytes(file), "");
    list.Append(Regular("a", "1234", 1));
    list.Append(Regular("b", "5678", -9, rmPreviousDraw));
    list.Save(file);
    const std::string bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 552u);
    EXPECT_EQ(bytes, Bytes(list.At(0)) + Bytes(list.At(1)));

    TRegulars loaded;
    loaded.Load(file);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(Bytes(loaded.At(1)), Bytes(list.At(1)));

    // A trailing partial record: the error names it, the whole records stay.
    WriteBytes(file, bytes + std::string(100, 'x'));
    try {
        loaded.Load(file);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_NE(std::string(e.what()).find("неполная запись в конце файла (100 байт из 276)"),
                  std::string::npos);
    }
    EXPECT_EQ(loaded.Count(), 2);
    WriteBytes(file, std::string(200, 'x'));
    EXPECT_THROW(loaded.Load(file), TAppError);
    EXPECT_EQ(loaded.Count(), 0);

    // A write that cannot be renamed into place leaves what was there and no temporary file.
    const auto blocked = dir / "blocked.ltb";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_THROW(list.Save(blocked), TAppError);
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    EXPECT_FALSE(std::filesystem::exists(dir / "blocked.ltb.tmp"));
}
