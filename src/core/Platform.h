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
    bool IsOpen() const { return FHandle >= 0; }
    int Handle() const { return FHandle; }

private:
    int FHandle = -1;
};

// The decimal separator of the user's number format (LC_ALL / LC_NUMERIC / LANG); "." when the
// locale is not set or not installed.
char UserDecimalSeparator();

// Whether another process runs the executable of that file name (this process excluded).
bool OtherInstanceRunning(const std::string& exeFileName);

} // namespace qx
