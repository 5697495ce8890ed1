#include "core/FileIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/Text.h"

namespace qx {

std::string SystemErrorText(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw TAppError(SystemErrorText(path, errno));
    std::string data;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            throw TAppError(SystemErrorText(path, e));
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, mode_t mode) {
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) throw TAppError(SystemErrorText(path, errno));
    auto fail = [&](int e) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw TAppError(SystemErrorText(path, e));
    };
    // O_CREAT applies the umask; the mode asked for (0600 for files holding passwords) must hold.
    if (::fchmod(fd, mode) != 0) fail(errno);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        throw TAppError(SystemErrorText(path, e));
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        throw TAppError(SystemErrorText(path, e));
    }
}

std::string ReadTextFile(const std::filesystem::path& path) { return Cp1251ToUtf8(ReadFileBytes(path)); }

void WriteTextFileAtomic(const std::filesystem::path& path, const std::string& utf8Text, mode_t mode) {
    WriteFileAtomic(path, Utf8ToCp1251(utf8Text), mode);
}

} // namespace qx
