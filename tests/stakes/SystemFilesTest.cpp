#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "stakes/SystemFiles.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::test;

namespace {

tSystemInfo Info(int32_t id, int nums, int block, int count) {
    tSystemInfo info;
    info.Id = id;
    info.Nums = static_cast<uint8_t>(nums);
    info.Block = static_cast<uint8_t>(block);
    info.CombinationsCount = count;
    return info;
}

std::string Lines(int count, const char* line = "01 02 03 04") {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(line) + "\r\n";
    return text;
}

std::string Refusal(const tSystemInfo& info, const std::string& content) {
    try {
        CheckFetchedSystem(info, content);
    } catch (const TAppError& e) {
        return e.what();
    }
    return "";
}

time_t LastWrite(const std::filesystem::path& file) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return st.st_mtim.tv_sec;
}

} // namespace

TEST(FetchedSystem, CheckedBeforeAnythingIsWritten) {
    // Line count against the combinations count; a final line break adds no line.
    EXPECT_EQ(Refusal(Info(5, 7, 0, 119), Lines(120)),
              "Количество скачанных комбинаций ( 120 ) отличается от ожидаемого значения ( 119 )");
    EXPECT_EQ(Refusal(Info(5, 7, 0, 120), Lines(120)), "");
    EXPECT_EQ(Refusal(Info(5, 7, 0, 2), "01 02 03 04\n05;06;07;01"), "");
    // The numbers the file name is made of.
    EXPECT_NE(Refusal(Info(0, 7, 0, 1), Lines(1)), "");
    EXPECT_NE(Refusal(Info(-3, 7, 0, 1), Lines(1)), "");
    EXPECT_NE(Refusal(Info(5, 4, 0, 1), Lines(1)), "");
    EXPECT_NE(Refusal(Info(5, 11, 0, 1), Lines(1)), "");
    EXPECT_NE(Refusal(Info(5, 7, 4, 1), Lines(1)), "");
    // Every line four numbers 1..N: an 11 in a system of 10, a 0, three words, a blank line.
    EXPECT_NE(Refusal(Info(5, 10, 0, 2), "01 02 03 04\r\n01 02 03 11\r\n"), "");
    EXPECT_NE(Refusal(Info(5, 10, 0, 1), "00 02 03 04"), "");
    EXPECT_NE(Refusal(Info(5, 10, 0, 1), "01 02 03"), "");
    EXPECT_NE(Refusal(Info(5, 10, 0, 2), "01 02 03 04\r\n\r\n"), "");
}

TEST(FetchedSystem, StoredUnderItsNameWithItsTimeReplacingTheOtherCopyOfItsN) {
    TTempDir dir;
    const auto folder = dir / "Systems";
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "4-07-1_0003.dat", "01 02 03 04\r\n");
    WriteBytes(folder / "4-08-0_0004.dat", "01 02 03 08\r\n");
    const tSystemInfo info = Info(123, 7, 2, 2);
    const int64_t created = 1711848615; // 2024-03-31 01:30:15 UTC

    const auto removed = StoreSystemFile(folder, info, "01 02 03 04\n05 06 07 01\n", created);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].filename(), "4-07-1_0003.dat");
    EXPECT_FALSE(std::filesystem::exists(folder / "4-07-1_0003.dat"));
    EXPECT_TRUE(std::filesystem::exists(folder / "4-08-0_0004.dat")); // another N stays
    EXPECT_EQ(ReadFileBytes(folder / "4-07-2_0123.dat"), "01 02 03 04\r\n05 06 07 01\r\n");
    EXPECT_EQ(LastWrite(folder / "4-07-2_0123.dat"), created);
    EXPECT_TRUE(SystemFileExists(folder, info));
    EXPECT_FALSE(SystemFileStale(folder, info, created));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2); // no temporary file left

    // The catalogue's time moved on by a second: the copy is out of date; a missing one is not.
    EXPECT_TRUE(SystemFileStale(folder, info, created + 1));
    EXPECT_FALSE(SystemFileStale(folder, Info(124, 7, 2, 2), created + 1));

    // A missing folder is created.
    StoreSystemFile(dir / "New" / "Systems", info, Lines(2), created);
    EXPECT_TRUE(std::filesystem::exists(dir / "New" / "Systems" / "4-07-2_0123.dat"));

    RemoveSystemFile(folder, info);
    EXPECT_FALSE(SystemFileExists(folder, info));
    RemoveSystemFile(folder, info); // nothing left to remove
}

TEST(FetchedSystem, FailedWriteOrBadContentKeepsEveryOldFile) {
    TTempDir dir;
    const auto folder = dir / "Systems";
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "4-07-0_0001.dat", "01 02 03 04\r\n");
    WriteBytes(folder / "4-07-3_0002.dat", "07 06 05 04\r\n");
    // The final name is taken by a folder: the rename fails after the temporary file was written.
    std::filesystem::create_directories(folder / "4-07-0_0009.dat" / "inside");
    EXPECT_THROW(StoreSystemFile(folder, Info(9, 7, 0, 1), Lines(1), 0), TAppError);
    EXPECT_THROW(StoreSystemFile(folder, Info(10, 7, 0, 1), "01 02 03 08", 0), TAppError);
    EXPECT_THROW(StoreSystemFile(folder, Info(11, 7, 0, 3), Lines(2), 0), TAppError);
    EXPECT_EQ(ReadFileBytes(folder / "4-07-0_0001.dat"), "01 02 03 04\r\n");
    EXPECT_EQ(ReadFileBytes(folder / "4-07-3_0002.dat"), "07 06 05 04\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "4-07-0_0010.dat"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 3);
}
