#pragma once
#include <filesystem>
#include <string>

namespace qx {

// A file held open with an exclusive advisory lock for the life of the object. The system
// releases the lock when the process ends, however it ends.
class TExclusiveFile {
public:
    TExclusiveFile() = default;
    ~TExclusiveFile();
    TExclusiveFile(const TExclusiveFile&) = delete;
    TExclusiveFile& operator=(const TExclusiveFile&) = delete;

    // Opens (creating when missing) and locks; TAppError when the file cannot be opened or
    // another process holds it.
    void Open(const std::filesystem::path& path);
    void Close();
    // Takes over a descriptor that already holds its own exclusive lock (a file that replaced
    // the locked one by rename) and only then closes the old descriptor, so the lock is never
    // let go in between.
    void Adopt(int lockedHandle);
    bool IsOpen() const { return FHandle >= 0; }
    int Handle() const { return FHandle; }

private:
    int FHandle = -1;
};

// The decimal separator of the user's number format (LC_ALL / LC_NUMERIC / LANG); "." when the
// locale is not set or not installed.
char UserDecimalSeparator();

// The executable file a /proc/<pid>/exe link names. Once the file is replaced or removed the
// kernel appends " (deleted)"; the mark is dropped, so an instance still running an older build
// of the program at that place counts as that program.
std::filesystem::path ExecutableOfLink(const std::filesystem::path& linkTarget);

// The full path of this process's executable; empty when the system does not tell.
std::filesystem::path OwnExecutable();

// Whether another process (this one excluded) runs the executable at exePath, both paths made
// canonical. A copy in another directory is another installation with its own data, so it does
// not count even under the same file name.
bool OtherInstanceRunning(const std::filesystem::path& exePath);

} // namespace qx
