#include "draws/DrawsFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "core/FileIO.h"

namespace qx {

TDrawsArray DecodeDraws(std::string_view bytes) {
    TDrawsArray draws(bytes.size() / sizeof(TDrawRecord));
    if (!draws.empty()) std::memcpy(draws.data(), bytes.data(), draws.size() * sizeof(TDrawRecord));
    return draws;
}

std::string EncodeDraws(const TDrawsArray& draws) {
    return std::string(reinterpret_cast<const char*>(draws.data()), draws.size() * sizeof(TDrawRecord));
}

TDrawsReadResult ReadDrawsFile(const std::filesystem::path& path) {
    TDrawsReadResult result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) result.Error = SystemErrorText(path, errno);
        return result;
    }
    // Read in blocks and keep every complete record, so a failure part-way keeps what came before.
    std::string pending;
    char buf[24 * 4096];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.Error = SystemErrorText(path, errno);
            break;
        }
        if (n == 0) break;
        pending.append(buf, static_cast<size_t>(n));
        size_t whole = pending.size() / sizeof(TDrawRecord) * sizeof(TDrawRecord);
        TDrawsArray chunk = DecodeDraws(std::string_view(pending).substr(0, whole));
        result.Draws.insert(result.Draws.end(), chunk.begin(), chunk.end());
        pending.erase(0, whole);
    }
    ::close(fd);
    return result;
}

void WriteDrawsFile(const std::filesystem::path& path, const TDrawsArray& draws) {
    WriteFileAtomic(path, EncodeDraws(draws));
}

} // namespace qx
