#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

#include "core/Platform.h"
#include "support/TestSupport.h"

extern char** environ;

using namespace qx;
using qx::test::TTempDir;
namespace fs = std::filesystem;

namespace {
// A copy of a small system program started from the given place, killed and reaped at the end.
class TSleeper {
public:
    explicit TSleeper(const fs::path& exe) {
        std::string program = exe.string(), seconds = "60";
        char* argv[] = {program.data(), seconds.data(), nullptr};
        if (posix_spawn(&FPid, program.c_str(), nullptr, nullptr, argv, environ) != 0) FPid = -1;
    }
    ~TSleeper() { Stop(); }
    TSleeper(const TSleeper&) = delete;
    TSleeper& operator=(const TSleeper&) = delete;
    bool Running() const { return FPid > 0; }
    void Stop() {
        if (FPid <= 0) return;
        ::kill(FPid, SIGKILL);
        ::waitpid(FPid, nullptr, 0);
        FPid = -1;
    }

private:
    pid_t FPid = -1;
};

void CopyExecutable(const fs::path& to) {
    fs::copy_file("/bin/sleep", to);
    fs::permissions(to, fs::perms::owner_all, fs::perm_options::add);
}
} // namespace

TEST(Platform, ExecutableOfLinkDropsTheMarkOfAReplacedFile) {
    EXPECT_EQ(ExecutableOfLink("/opt/q/Quadrix_4d10 (deleted)"), fs::path("/opt/q/Quadrix_4d10"));
    EXPECT_EQ(ExecutableOfLink("/opt/q/Quadrix_4d10"), fs::path("/opt/q/Quadrix_4d10"));
    EXPECT_EQ(ExecutableOfLink(" (deleted)"), fs::path(" (deleted)"));
    fs::path own = OwnExecutable();
    EXPECT_TRUE(own.is_absolute());
    EXPECT_TRUE(fs::equivalent(own, "/proc/self/exe"));
}

TEST(Platform, AnotherInstanceIsTheSameExecutableNotJustTheSameFileName) {
    TTempDir dir;
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    const fs::path a = dir / "a" / "Quadrix_4d10", b = dir / "b" / "Quadrix_4d10";
    CopyExecutable(a);
    CopyExecutable(b);
    EXPECT_FALSE(OtherInstanceRunning(a));

    TSleeper running(a);
    if (!running.Running()) GTEST_SKIP() << "cannot run programs from the temporary folder";
    EXPECT_TRUE(OtherInstanceRunning(a));
    EXPECT_TRUE(OtherInstanceRunning(dir / "b" / ".." / "a" / "Quadrix_4d10"));
    fs::create_directory_symlink(dir / "a", dir / "link");
    EXPECT_TRUE(OtherInstanceRunning(dir / "link" / "Quadrix_4d10"));
    EXPECT_FALSE(OtherInstanceRunning(b));  // a copy elsewhere has its own data

    // An update replaced the file under the running instance: it still is the one to wait for.
    fs::remove(a);
    CopyExecutable(a);
    EXPECT_TRUE(OtherInstanceRunning(a));
    EXPECT_FALSE(OtherInstanceRunning(b));

    running.Stop();
    EXPECT_FALSE(OtherInstanceRunning(a));
}
