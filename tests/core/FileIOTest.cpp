#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Platform.h"
#include "core/ProgramPaths.h"
#include "core/Text.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TempFilesUnder;
using qx::test::TTempDir;
using qx::test::WriteBytes;
namespace fs = std::filesystem;

namespace {
mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::string ErrorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const TAppError& e) {
        return e.what();
    }
    return {};
}
} // namespace

TEST(FileIO, AtomicWriteNeverGoesThroughAPlantedLinkAndKeepsTheModeAskedFor) {
    TTempDir dir;
    const fs::path victim = dir / "victim";
    WriteBytes(victim, "secret");
    ::chmod(victim.c_str(), 0600);
    // The name older versions used, and a link where a careless writer would put its temporary file.
    fs::create_symlink(victim, dir / "report.csv.tmp");
    const mode_t mask = ::umask(022);
    WriteFileAtomic(dir / "report.csv", "a;b\r\n");
    WriteFileAtomic(dir / "private.ini", "x", 0600);
    ::umask(mask);
    EXPECT_EQ(ReadBytes(victim), "secret");
    EXPECT_EQ(ModeOf(victim), 0600u);
    EXPECT_TRUE(fs::is_symlink(dir / "report.csv.tmp"));
    EXPECT_EQ(ReadBytes(dir / "report.csv"), "a;b\r\n");
    EXPECT_EQ(ModeOf(dir / "report.csv"), 0644u);
    EXPECT_EQ(ModeOf(dir / "private.ini"), 0600u);
    EXPECT_EQ(TempFilesUnder(dir.Path()), std::vector<std::string>{"report.csv.tmp"});
}

TEST(FileIO, WritersOfOneTargetDoNotShareATemporaryFile) {
    TTempDir dir;
    const fs::path target = dir / "shared.csv";
    auto writer = [&](char c, int& failures) {
        for (int i = 0; i < 40; ++i) {
            try {
                WriteFileAtomic(target, std::string(4000, c));
            } catch (const TAppError&) {
                ++failures;
            }
        }
    };
    int failuresA = 0, failuresB = 0;
    std::thread a(writer, 'a', std::ref(failuresA));
    std::thread b(writer, 'b', std::ref(failuresB));
    a.join();
    b.join();
    EXPECT_EQ(failuresA + failuresB, 0);
    const std::string result = ReadBytes(target);
    EXPECT_TRUE(result == std::string(4000, 'a') || result == std::string(4000, 'b'));
    EXPECT_TRUE(TempFilesUnder(dir.Path()).empty());
}

TEST(FileIO, AWriteBeyondTheFileSizeLimitReportsEfbigAndKeepsTheOldFile) {
    TTempDir dir;
    const fs::path target = dir / "Quadrix_4d10.ldr";
    WriteBytes(target, "old");
    std::string error;
    {
        qx::test::TFileSizeLimit limit(1000);
        error = ErrorOf([&] { WriteFileAtomic(target, std::string(5000, 'x')); });
    }
    EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_TRUE(TempFilesUnder(dir.Path()).empty());
}

TEST(FileIO, InputsMustBeRegularFilesOfSaneSize) {
    TTempDir dir;
    const fs::path fifo = dir / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Refused at once, not after waiting for a writer that never comes.
    EXPECT_NE(ErrorOf([&] { ReadFileBytes(fifo); }).find("не является обычным файлом"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { CheckInputFile(fifo, 100); }).find("не является обычным файлом"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { ReadFileBytes(dir.Path()); }).find("не является обычным файлом"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { ReadFileLimited("/dev/zero", 1000); }).find("не является обычным файлом"),
              std::string::npos);
    WriteBytes(dir / "big", std::string(101, 'x'));
    EXPECT_NE(ErrorOf([&] { ReadFileLimited(dir / "big", 100); }).find("слишком велик"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { CheckInputFile(dir / "big", 100); }).find("слишком велик"), std::string::npos);
    EXPECT_EQ(ReadFileLimited(dir / "big", 101).size(), 101u);
    EXPECT_NE(ErrorOf([&] { ReadFileBytes(dir / "missing"); }).find(std::strerror(ENOENT)),
              std::string::npos);
}

TEST(FileIO, TextFilesFromOutside) {
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"
                             "1;\"\xD0\x90\""),
              "1;\"\xD0\x90\"");                       // UTF-8 with its mark
    EXPECT_EQ(DecodeTextFile("1;\xC0"), "1;\xD0\x90"); // Windows-1251
    EXPECT_NE(ErrorOf([] {
                  DecodeTextFile(std::string("\xFF\xFE"
                                             "1\0;\0",
                                             6));
              }).find("UTF-16"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { DecodeTextFile(std::string("1;2\0;3", 6)); }).find("двоичные"), std::string::npos);
}

TEST(FileIO, StaleTemporaryFilesOfTheGivenFilesAreRemovedAndNothingElse) {
    TTempDir dir;
    for (const char* name : {"Quadrix_4d10.ldr.AbC123.tmp", "Quadrix_4d10.ldr.tmp",
                             "Quadrix_4d10.ini.zzzzzz.tmp", "Quadrix_4d10.ldr.AbC12.tmp",
                             "Quadrix_4d10.ldr.AbC123.tmpx", "other.csv.AbC123.tmp", "Quadrix_4d10.ldr"})
        WriteBytes(dir / name, "x");
    fs::create_directory(dir / "Quadrix_4d10.ldr.dirdir.tmp");
    fs::create_directory(dir / "Prefetchs");
    WriteBytes(dir / "Prefetchs" / "Quadrix_4d10_NUMS.dfc.Q1w2E3.tmp", "x");
    WriteBytes(dir / "Prefetchs" / "Quadrix_4d10_NUMS.dfc", "x");
    WriteBytes(dir / "Prefetchs" / "notes.txt.Q1w2E3.tmp", "x");
    RemoveStaleTempFiles({dir / "Quadrix_4d10.ldr", dir / "Quadrix_4d10.ini"});
    RemoveStaleTempFilesIn(dir / "Prefetchs", ".dfc");
    EXPECT_EQ(TempFilesUnder(dir.Path()),
              (std::vector<std::string>{"Prefetchs/notes.txt.Q1w2E3.tmp", "Quadrix_4d10.ldr.AbC12.tmp",
                                        "Quadrix_4d10.ldr.dirdir.tmp", "other.csv.AbC123.tmp"}));
    EXPECT_TRUE(fs::exists(dir / "Quadrix_4d10.ldr.AbC123.tmpx"));
    EXPECT_TRUE(fs::exists(dir / "Prefetchs" / "Quadrix_4d10_NUMS.dfc"));
}

TEST(FileIO, UserTargetsAreResolvedByWhatLiesThere) {
    TTempDir dir;
    // A link stays a link and the file it names gets the bytes; a dangling one gets its file made.
    WriteBytes(dir / "real.csv", "old");
    fs::create_symlink("real.csv", dir / "link.csv");
    fs::create_symlink(dir / "new.csv", dir / "dangling.csv");
    for (const char* name : {"link.csv", "dangling.csv"}) {
        TUserTarget t = ResolveUserTarget(dir / name);
        EXPECT_EQ(t.Kind, TUserTargetKind::File);
        WriteUserTarget(t, "new");
        EXPECT_TRUE(fs::is_symlink(dir / name));
    }
    EXPECT_EQ(ReadBytes(dir / "real.csv"), "new");
    EXPECT_EQ(ReadBytes(dir / "new.csv"), "new");

    // A FIFO is written into, in order, and stays a FIFO.
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadBytes(fifo); });
    TUserTarget stream = ResolveUserTarget(fifo);
    EXPECT_EQ(stream.Kind, TUserTargetKind::Stream);
    WriteUserTarget(stream, "1;\"x\";1;2;3;4\r\n");
    reader.join();
    EXPECT_EQ(received, "1;\"x\";1;2;3;4\r\n");
    EXPECT_EQ(ResolveUserTarget("/dev/null").Kind, TUserTargetKind::Stream);

    EXPECT_NE(ErrorOf([&] { ResolveUserTarget(dir.Path()); }).find(std::strerror(EISDIR)), std::string::npos);
}

TEST(FileIO, TheProgramsOwnFilesAreRecognisedUnderAnyName) {
    TTempDir dir;
    TProgramPaths paths;
    paths.Dir = dir.Path();
    WriteBytes(paths.DrawsFile(), "draws");
    fs::create_symlink(paths.DrawsFile(), dir / "innocent.csv");
    fs::create_hard_link(paths.DrawsFile(), dir / "hard.csv");
    fs::create_directory(dir / "sub");
    EXPECT_TRUE(paths.IsOwnDataFile(dir / "sub" / ".." / "Quadrix_4d10.ldr"));
    EXPECT_TRUE(paths.IsOwnDataFile(dir / "innocent.csv"));
    EXPECT_TRUE(paths.IsOwnDataFile(dir / "hard.csv"));
    EXPECT_TRUE(paths.IsOwnDataFile(dir / "Quadrix_4d10.ini")); // need not exist yet
    EXPECT_TRUE(paths.IsOwnDataFile(dir / "Prefetchs" / "Quadrix_4d10_SUM2.dfc"));
    EXPECT_FALSE(paths.IsOwnDataFile(dir / "Quadrix_4d10.csv"));
    EXPECT_NE(
        ErrorOf([&] { ResolveOutputFile(paths, dir / "innocent.csv"); }).find("файлом данных программы"),
        std::string::npos);
    EXPECT_EQ(ReadBytes(paths.DrawsFile()), "draws");
}

TEST(FileIO, TheDirectoryLockIsExclusive) {
    TTempDir dir;
    TDirectoryLock first, second;
    first.Lock(dir.Path());
    EXPECT_THROW(second.Lock(dir.Path()), TAppError);
    first.Unlock();
    EXPECT_NO_THROW(second.Lock(dir.Path()));
    EXPECT_TRUE(fs::is_empty(dir.Path())); // the lock creates nothing
}
