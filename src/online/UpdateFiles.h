#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "online/HttpClient.h"
#include "online/UpdateAddress.h"

namespace qx {

// A file made anew for writing: whatever lies at the name (a file, a planted link) is removed
// first and the file is created exclusively, never through a link.
class TNewFile {
public:
    explicit TNewFile(const std::filesystem::path& path, mode_t mode = 0644);
    ~TNewFile();
    TNewFile(const TNewFile&) = delete;
    TNewFile& operator=(const TNewFile&) = delete;
    void Write(std::string_view bytes);
    // The exact mode bits, whatever the umask made of them.
    void SetMode(mode_t mode);
    void Close();

private:
    std::filesystem::path FPath;
    int FHandle = -1;
};

// Fetches an update file to a local file: a GET for an address (the body streams to the file,
// at most maxBytes of it), a copy for a local path. Raises with the reason on every failure; a
// cut or oversized transfer is a failure, whatever reached the file.
void FetchUpdateFile(const TUpdateSource& source, const std::filesystem::path& file, uint64_t maxBytes,
                     const THttpOptions& http);

// Copies a regular file to a new file with the same mode bits.
void CopyToNewFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Checksums of a file's bytes: CRC-32 (IEEE 802.3, eight upper-case hexadecimal digits) and
// SHA-256 (64 lower-case hexadecimal digits).
std::string FileCrc32(const std::filesystem::path& file);
std::string FileSha256(const std::filesystem::path& file);

} // namespace qx
