#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace qx {

// The system's text for an errno value, with the file name in front: "name: No such file...".
std::string SystemErrorText(const std::filesystem::path& path, int error);

// Reads a whole file; throws TAppError with the system's reason.
std::string ReadFileBytes(const std::filesystem::path& path);

// Rewrites a file without ever leaving it half-written: the bytes go to "name.tmp" in the same
// folder, are flushed to disk, and the temporary file is renamed over the old one. On failure the
// old file is untouched, the temporary file is removed and TAppError carries the reason.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0644);

// Text files on disk are Windows-1251 with CR LF; in memory UTF-8 lines.
std::string ReadTextFile(const std::filesystem::path& path);
void WriteTextFileAtomic(const std::filesystem::path& path, const std::string& utf8Text, mode_t mode = 0644);

} // namespace qx
