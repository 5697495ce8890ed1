#pragma once
#include <filesystem>
#include <functional>

namespace qx {

// Runs a program file in a folder and waits for it: the child leads a process group of its own,
// the wait polls every 100 ms and calls idle in between (the window keeps breathing), and at the
// time limit the whole group is killed. Raises TAppError when the file cannot be started, on the
// time-out ("Ожидание завершения процесса (файла) ... прервано ..."), on a non-zero exit code and
// on a signal, each text naming the file.
void RunAndWait(const std::filesystem::path& file, const std::filesystem::path& workDir, int limitMs,
                const std::function<void()>& idle);

inline constexpr const char* kProcessTimeoutMessage =
    "Ожидание завершения процесса (файла) \"%s\" прервано в связи с превышением времени ожидания!";

} // namespace qx
