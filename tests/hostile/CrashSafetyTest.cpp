// Writers killed at random moments: afterwards every file is the old one or the new one, never a
// torn or missing one, and the next start works and clears what the killed save left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "app/Workspace.h"
#include "hostile/HostileSupport.h"

using namespace qx;
using namespace qx::test;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

extern char** environ;

namespace {

// Starts the command-line tool on dir with its output discarded; the child's pid.
pid_t StartTool(const fs::path& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {(fs::path(QUADRIX_BIN_DIR) / "quadrix").string(), "--dir", dir.string()});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs the tool to its end; how long it took.
Clock::duration RunToEnd(const fs::path& dir, const std::vector<std::string>& args) {
    const auto start = Clock::now();
    int status = 0;
    waitpid(StartTool(dir, args), &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return Clock::now() - start;
}

// Kills a run of the tool after a random part of its usual duration (a little beyond it too).
void KillDuring(const fs::path& dir, const std::vector<std::string>& args, Clock::duration usual,
                std::mt19937& rng) {
    const auto count = std::chrono::duration_cast<std::chrono::microseconds>(usual).count();
    const pid_t pid = StartTool(dir, args);
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % (count + count / 5 + 1)));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

// A writing start of the program: it must come up without errors and clear temporary files.
void StartAfterTheKill(const fs::path& dir) {
    TRecordingShell shell;
    TWorkspaceOptions options;
    options.ProgramDir = dir;
    options.Interactive = false;
    TWorkspace ws(shell, options);
    ws.StartFirstStage();
    EXPECT_TRUE(ws.StartSecondStage());
    EXPECT_TRUE(shell.Errors().empty()) << shell.Errors()[0];
    EXPECT_TRUE(TempFilesUnder(dir).empty());
}

std::string NewDrawsCsv(int count) {
    std::string csv;
    for (int i = 41; i < 41 + count; ++i)
        csv += std::to_string(i) + ";\"03/0" + std::to_string(i % 9 + 1) + "/2020 E\";" +
               std::to_string(i % 10) + ";1;2;3\r\n";
    return csv;
}

} // namespace

TEST(CrashSafety, AKilledImportLeavesTheOldOrTheNewArchive) {
    TProgramDir p;
    WriteBytes(p.Input("new.csv"), NewDrawsCsv(30000));
    const std::vector<std::string> import = {"draws", "import", p.Input("new.csv").string()};
    const fs::path archive = p.File("Quadrix_4d10.ldr");
    const std::string oldBytes = ReadBytes(archive);
    const auto usual = RunToEnd(p.Dir(), import);
    const std::string newBytes = ReadBytes(archive);
    ASSERT_EQ(newBytes.size(), oldBytes.size() + 30000 * sizeof(TDrawRecord));

    std::mt19937 rng(23);
    int torn = 0, newOnes = 0;
    for (int run = 0; run < 30; ++run) {
        WriteBytes(archive, oldBytes);
        KillDuring(p.Dir(), import, usual, rng);
        const std::string now = ReadBytes(archive);
        torn += now != oldBytes && now != newBytes;
        newOnes += now == newBytes;
        StartAfterTheKill(p.Dir());
    }
    EXPECT_EQ(torn, 0);
    RecordProperty("runs that had saved", newOnes);
}

TEST(CrashSafety, AKilledFullSetBuildLeavesOnlyWholeFiles) {
    TProgramDir reference;
    const std::vector<std::string> build = {"fullset", "build", "--all", "--force"};
    const auto usual = RunToEnd(reference.Dir(), build);
    const auto whole = Snapshot(reference.File("Prefetchs"));

    std::mt19937 rng(17);
    TProgramDir p;
    for (int run = 0; run < 20; ++run) {
        fs::remove_all(p.File("Prefetchs"));
        KillDuring(p.Dir(), build, usual, rng);
        if (!fs::exists(p.File("Prefetchs"))) continue;
        for (const auto& [name, bytes] : Snapshot(p.File("Prefetchs"))) {
            if (name.ends_with(".tmp")) continue; // the killed save's own file, cleared below
            ASSERT_TRUE(whole.count(name)) << name;
            EXPECT_EQ(bytes, whole.at(name)) << name;
        }
        StartAfterTheKill(p.Dir());
    }
}
