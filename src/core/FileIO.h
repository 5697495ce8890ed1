#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qx {

// The system's text for an errno value, with the file name in front: "name: No such file...".
std::string SystemErrorText(const std::filesystem::path& path, int error);

// Reads a whole regular file; throws TAppError with the system's reason. A FIFO, a device or a
// directory is refused before anything is read: reading one may block for ever or never end.
std::string ReadFileBytes(const std::filesystem::path& path);
// The same, refusing a file larger than maxBytes (checked on the opened file, then while reading).
std::string ReadFileLimited(const std::filesystem::path& path, uint64_t maxBytes);
// Reads a file as ReadFileLimited does, handing each block to sink as it arrives (blocks handed
// over before a failure stay handed over).
void ReadFileBlocks(const std::filesystem::path& path, uint64_t maxBytes,
                    const std::function<void(std::string_view)>& sink);
// The checks of ReadFileLimited without reading: the file exists, is regular and not too large.
void CheckInputFile(const std::filesystem::path& path, uint64_t maxBytes);

// Rewrites a file without ever leaving it half-written: the bytes go to a temporary file with a
// unique name in the same folder ("name.XXXXXX.tmp", created exclusively, never through a link),
// are flushed to disk, and the temporary file is renamed over the old one. The new file gets mode
// as the umask allows it. On failure the old file is untouched, the temporary file is removed and
// TAppError carries the reason (a write past the process's file size limit reports EFBIG).
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, mode_t mode = 0644);

// Text files on disk are Windows-1251 with CR LF; in memory UTF-8 lines.
std::string ReadTextFile(const std::filesystem::path& path);
void WriteTextFileAtomic(const std::filesystem::path& path, const std::string& utf8Text, mode_t mode = 0644);
// A text file from outside (an import, a list): a regular file of at most maxBytes, decoded by
// DecodeTextFile; its reasons for refusing come with the file name.
std::string ReadInputTextFile(const std::filesystem::path& path, uint64_t maxBytes);

// Whether name is a temporary file that WriteFileAtomic (or an older version's "name.tmp") makes
// for target: "<target>.XXXXXX.tmp" or "<target>.tmp".
bool IsTempFileOf(std::string_view name, std::string_view target);
// Removes what interrupted saves left beside the files: their temporary files. Only call it while
// holding the program directory's lock, or a running save of another process loses its file.
void RemoveStaleTempFiles(const std::vector<std::filesystem::path>& files);
// The same for every file of the folder whose name ends with extension (".dfc").
void RemoveStaleTempFilesIn(const std::filesystem::path& folder, std::string_view extension);

// Files the user names as a target (exports, saved lists): what lies at the path decides how the
// bytes get there.
enum class TUserTargetKind {
    File,    // a regular file or nothing yet: replaced atomically
    Stream,  // a FIFO or a character device (/dev/stdout): written directly, in order
};
struct TUserTarget {
    TUserTargetKind Kind = TUserTargetKind::File;
    std::filesystem::path Path;  // a symbolic link resolved to the file it names
};
// Raises TAppError for a directory, a block device or a socket, and for a link that cannot be
// resolved.
TUserTarget ResolveUserTarget(const std::filesystem::path& path);
// Writes to a resolved target: atomically for a file, directly for a stream.
void WriteUserTarget(const TUserTarget& target, std::string_view bytes, mode_t mode = 0644);

} // namespace qx
