#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

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
    // launcher: words put before the program (a program that then executes it).
    explicit TSleeper(const fs::path& exe, std::vector<std::string> launcher = {}) {
        launcher.insert(launcher.end(), {exe.string(), "60"});
        std::vector<char*> argv;
        for (auto& word : launcher) argv.push_back(word.data());
        argv.push_back(nullptr);
        if (posix_spawn(&FPid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) FPid = -1;
    }
    pid_t Pid() const { return FPid; }
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

TEST(Platform, AnotherUsersInstanceIsNoReasonToWait) {
    if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "needs root to start another user's process";
    TTempDir dir;
    const fs::path exe = dir / "Quadrix_4d10";
    CopyExecutable(exe);
    fs::permissions(dir.Path(), fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    fs::permissions(exe, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec |
                             fs::perms::group_read | fs::perms::others_read);
    TSleeper other(exe, {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    ASSERT_TRUE(other.Running());
    // Wait until the launcher has become the program.
    const fs::path link = "/proc/" + std::to_string(other.Pid()) + "/exe";
    for (int i = 0; i < 200; ++i) {
        std::error_code ec;
        if (fs::read_symlink(link, ec) == exe) break;
        ::usleep(10000);
    }
    ASSERT_EQ(fs::read_symlink(link), exe);
    EXPECT_FALSE(OtherInstanceRunning(exe));
    TSleeper own(exe);
    EXPECT_TRUE(OtherInstanceRunning(exe));
}
