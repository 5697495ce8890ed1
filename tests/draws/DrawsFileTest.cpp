#include <gtest/gtest.h>

#include "draws/DrawsArchive.h"
#include "draws/DrawsFile.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TTempDir;
using qx::test::WriteBytes;

namespace {
TDrawRecord Draw(int number, std::initializer_list<int> digits, const char* label) {
    TDrawRecord r;
    r.Number = number;
    int p = 0;
    for (int d : digits) r.Digits[p++] = static_cast<uint8_t>(d);
    r.SetDateLabel(label);
    return r;
}
} // namespace

TEST(DrawsFile, RecordLayoutIsExact) {
    TDrawRecord r = Draw(0x01020304, {0, 7, 3, 9}, "03/07/2019 M");
    r.Reserved[2] = 0xEE;
    std::string bytes = EncodeDraws({r});
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x07\x03\x09", 4));
    EXPECT_EQ(bytes[8], 12);
    EXPECT_EQ(bytes.substr(9, 12), "03/07/2019 M");
    EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 0xEE);
}

TEST(DrawsFile, EmptyMissingAndIncompleteFiles) {
    TTempDir dir;
    auto path = dir / "Quadrix_4d10.ldr";
    auto missing = ReadDrawsFile(path);
    EXPECT_TRUE(missing.Draws.empty());
    EXPECT_FALSE(missing.Error);

    WriteBytes(path, "");
    EXPECT_TRUE(ReadDrawsFile(path).Draws.empty());

    std::string two = EncodeDraws({Draw(1, {1, 2, 3, 4}, "01/01/2001 M"), Draw(2, {5, 6, 7, 8}, "01/01/2001 E")});
    WriteBytes(path, two + "tail!");
    auto read = ReadDrawsFile(path);
    ASSERT_EQ(read.Draws.size(), 2u);
    EXPECT_FALSE(read.Error);
    EXPECT_EQ(read.Draws[1].Number, 2);

    WriteDrawsFile(path, read.Draws);  // the tail disappears at the next save
    EXPECT_EQ(ReadBytes(path), two);
}

TEST(DrawsFile, SaveLoadRoundTripIsByteExact) {
    TTempDir dir;
    auto path = dir / "Quadrix_4d10.ldr";
    TDrawsArray draws;
    for (int i = 0; i < 5000; ++i) {
        TDrawRecord r = Draw(i + 1, {i % 10, i / 10 % 10, i / 100 % 10, i / 1000 % 10}, i % 2 ? "03/07/2019 E" : "x");
        r.Reserved[0] = static_cast<uint8_t>(i);
        draws.push_back(r);
    }
    WriteDrawsFile(path, draws);
    std::string first = ReadBytes(path);
    EXPECT_EQ(first.size(), 5000u * 24);
    auto read = ReadDrawsFile(path);
    WriteDrawsFile(path, read.Draws);
    EXPECT_EQ(ReadBytes(path), first);
}

TEST(DrawsArchive, RevisionAndSortedView) {
    TDrawsArchive a;
    auto r0 = a.Revision();
    a.Append(Draw(1, {9, 1, 5, 0}, "01/01/2001 M"));
    EXPECT_GT(a.Revision(), r0);
    EXPECT_EQ(a.View(true)[0].Digits[0], 0);
    EXPECT_EQ(a.View(true)[0].Digits[3], 9);
    EXPECT_EQ(a.View(false)[0].Digits[0], 9);  // the stored record keeps the drawn order
    auto r1 = a.Revision();
    a.Replace(0, Draw(1, {3, 2, 1, 0}, "01/01/2001 M"));  // same length, new revision
    EXPECT_GT(a.Revision(), r1);
    EXPECT_EQ(a.View(true)[0].Digits[0], 0);
    EXPECT_EQ(a.View(true)[0].Digits[1], 1);
    EXPECT_THROW(a.DeleteAt(1), std::exception);
    try {
        a.DeleteAt(-1);
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом -1 в файле данных не найдена!");
    }
}
