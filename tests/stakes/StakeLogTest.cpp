#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StakesTestSupport.h"
#include "core/DateTime.h"
#include "core/Text.h"
#include "stakes/DeleteByMask.h"
#include "stakes/StakeLog.h"

using namespace qx;
using namespace qx::test;

namespace {

TDateTime FixedTime() { return EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 3); }

TStakeRecord Checked(const char* staked, const char* drawn, const char* comment) {
    TConfigData config;
    config.Cost = 10000;
    TStakeRecord r = Stake(321, staked, comment, config);
    r.Sample = 42;
    CheckStake(r, Draw(321, drawn).Digits, config);
    return r;
}

} // namespace

TEST(StakeLog, OneLinePerCheckedStakeInTheLogOfItsMatchCount) {
    TTempDir dir;
    TStakeLog log(dir.Path(), FixedTime);
    log.Write(Checked("1234", "1243", "Ставка"), ',');
    log.Write(Checked("1234", "1249", "Вторая"), ',');
    log.Write(Checked("5555", "1234", "x"), ',');
    log.Write(Stake(5, "1234"), ',');  // unchecked: nothing
    EXPECT_TRUE(log.EndPass().empty());
    EXPECT_EQ(Cp1251ToUtf8(ReadBytes(dir / "Quadrix_4d10-2.log")),
              "2024.03.07 09:05:03: Тираж № 321. Ставка: \"Ставка\" [1;2;3;4] {42}. Результаты тиража: [1;2;4;3]. "
              "Совпадений: 2. Профит: -1,00.\r\n"
              "2024.03.07 09:05:03: Тираж № 321. Ставка: \"Вторая\" [1;2;3;4] {42}. Результаты тиража: [1;2;4;9]. "
              "Совпадений: 2. Профит: -1,00.\r\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "Quadrix_4d10-0.log"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Quadrix_4d10-4.log"));
    // Appended to by the next pass.
    log.Write(Checked("5555", "1234", "y"), '.');
    log.EndPass();
    EXPECT_EQ(SplitLines(Cp1251ToUtf8(ReadBytes(dir / "Quadrix_4d10-0.log"))).size(), 2u);
}

TEST(StakeLog, ALogAboveTheLimitStartsOverWithOneLine) {
    TTempDir dir;
    const auto path = dir / "Quadrix_4d10-2.log";
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, kStakeLogLimit + 1), 0);  // sparse: costs no disk
        ::close(fd);
    }
    TStakeLog log(dir.Path(), FixedTime);
    log.Write(Checked("1234", "1243", "a"), '.');
    log.Write(Checked("1234", "1243", "b"), '.');
    EXPECT_TRUE(log.EndPass().empty());
    EXPECT_EQ(SplitLines(Cp1251ToUtf8(ReadBytes(path))).size(), 2u);
    EXPECT_LT(std::filesystem::file_size(path), 1000u);
}

TEST(StakeLog, AWriteFailureIsReportedOncePerPass) {
    TTempDir dir;
    std::filesystem::create_directory(dir / "Quadrix_4d10-2.log");  // cannot be opened as a file
    TStakeLog log(dir.Path(), FixedTime);
    for (int i = 0; i < 5; ++i) log.Write(Checked("1234", "1243", "a"), '.');
    log.Write(Checked("1234", "1234", "a"), '.');
    const auto failures = log.EndPass();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].rfind("Ошибка записи в файл \"", 0), 0u);
    EXPECT_NE(failures[0].find("Quadrix_4d10-2.log"), std::string::npos);
    EXPECT_TRUE(log.EndPass().empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "Quadrix_4d10-4.log"));
}

TEST(DeleteByMask, NumbersStandInForPercentD) {
    EXPECT_TRUE(NameFitsMask("Quadrix_4d10-0.log", "Quadrix_4d10-%d.log"));
    EXPECT_TRUE(NameFitsMask("Quadrix_4d10-125.log", "Quadrix_4d10-%d.log"));
    EXPECT_TRUE(NameFitsMask("Quadrix_4d10--3.log", "Quadrix_4d10-%d.log"));
    EXPECT_FALSE(NameFitsMask("Quadrix_4d10-.log", "Quadrix_4d10-%d.log"));
    EXPECT_FALSE(NameFitsMask("Quadrix_4d10-1a.log", "Quadrix_4d10-%d.log"));
    EXPECT_FALSE(NameFitsMask("Quadrix_4d10-1.log.bak", "Quadrix_4d10-%d.log"));
    EXPECT_FALSE(NameFitsMask("Quadrix_4d10.lsk", "Quadrix_4d10-%d.log"));
    EXPECT_TRUE(NameFitsMask("ScriptLog_2024-03-07 10.txt", "ScriptLog_%s.txt"));
    EXPECT_TRUE(NameFitsMask("12-34", "%d-%d"));
}

TEST(DeleteByMask, DeletesMatchingFilesAndNamesTheOnesLeft) {
    TTempDir dir;
    for (const char* name : {"Quadrix_4d10-0.log", "Quadrix_4d10-3.log", "Quadrix_4d10.lsk", "Quadrix_4d10-x.log"})
        WriteBytes(dir / name, "x");
    TFileOpResult r = DeleteFilesByMask(dir.Path(), "Quadrix_4d10-%d.log");
    EXPECT_TRUE(r.Completed);
    EXPECT_EQ(r.Done, 2);
    EXPECT_EQ(r.Message(), "Удаление файлов завершено.\r\rУдалено файлов: 2 из 2.");
    EXPECT_TRUE(std::filesystem::exists(dir / "Quadrix_4d10.lsk"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Quadrix_4d10-x.log"));
    EXPECT_TRUE(FilesByMask(dir.Path(), "Quadrix_4d10-%d.log").empty());
}
