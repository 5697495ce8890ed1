#include "core/ChildProcess.h"

#include <cerrno>
#include <fcntl.h>
#include <chrono>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"

extern char** environ;

namespace qx {
namespace {

constexpr int kPollMs = 100;

pid_t Spawn(const std::filesystem::path& file, const std::filesystem::path& workDir) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    // Its own group, so a time-out ends the children it started too; default signal handling and
    // no input from our terminal.
    posix_spawnattr_setpgroup(&attr, 0);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // The child changes its folder first: a relative name would no longer lead to the file.
    const std::string path = std::filesystem::absolute(file).string();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = -1;
    const int error = posix_spawn(&pid, path.c_str(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (error != 0) throw TAppError(SystemErrorText(file, error));
    return pid;
}

int WaitChild(pid_t pid, int options) {
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, options);
        if (r == pid) return status;
        if (r == 0) return -1;  // still running
        if (errno != EINTR) throw TAppError(std::string("waitpid: ") + std::strerror(errno));
    }
}

} // namespace

void RunAndWait(const std::filesystem::path& file, const std::filesystem::path& workDir, int limitMs,
                const std::function<void()>& idle) {
    const pid_t pid = Spawn(file, workDir);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    int status = -1;
    while ((status = WaitChild(pid, WNOHANG)) == -1) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            WaitChild(pid, 0);
            throw TAppError(FormatText(kProcessTimeoutMessage, {file.string()}));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        if (idle) idle();
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        throw TAppError(FormatText("Процесс (файл) \"%s\" завершился с кодом %d",
                                   {file.string(), std::to_string(WEXITSTATUS(status))}));
    if (WIFSIGNALED(status))
        throw TAppError(FormatText("Процесс (файл) \"%s\" завершён сигналом %d (%s)",
                                   {file.string(), std::to_string(WTERMSIG(status)), strsignal(WTERMSIG(status))}));
}

} // namespace qx
