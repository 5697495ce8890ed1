#include "online/UpdateFiles.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"

namespace qx {
namespace {

// Hands the file to sink in blocks.
void ReadBlocks(const std::filesystem::path& file, const std::function<void(std::string_view)>& sink) {
    struct TReader {
        int Fd;
        ~TReader() {
            if (Fd >= 0) ::close(Fd);
        }
    } in{::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)};
    if (in.Fd < 0) throw TAppError(SystemErrorText(file, errno));
    const int fd = in.Fd;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw TAppError(SystemErrorText(file, errno));
        if (n == 0) return;
        sink(std::string_view(buf, static_cast<size_t>(n)));
    }
}

std::string Hex(const unsigned char* bytes, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

} // namespace

TNewFile::TNewFile(const std::filesystem::path& path, mode_t mode) : FPath(path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throw TAppError(SystemErrorText(path, errno));
    FHandle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (FHandle < 0) throw TAppError(SystemErrorText(path, errno));
}

TNewFile::~TNewFile() {
    if (FHandle >= 0) ::close(FHandle);
}

void TNewFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(FHandle, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw TAppError(SystemErrorText(FPath, errno));
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

void TNewFile::SetMode(mode_t mode) {
    if (::fchmod(FHandle, mode) != 0) throw TAppError(SystemErrorText(FPath, errno));
}

void TNewFile::Close() {
    const int fd = FHandle;
    FHandle = -1;
    if (fd >= 0 && ::close(fd) != 0) throw TAppError(SystemErrorText(FPath, errno));
}

void FetchUpdateFile(const TUpdateSource& source, const std::filesystem::path& file, uint64_t maxBytes,
                     const THttpOptions& http) {
    TNewFile out(file);
    if (source.IsLocal()) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(source.Path, ec))
            throw TAppError(SystemErrorText(source.Path, ec ? ec.value() : ENOENT));
        uint64_t total = 0;
        ReadBlocks(source.Path, [&](std::string_view block) {
            total += block.size();
            if (total > maxBytes) throw TAppError(SystemErrorText(source.Path, EFBIG));
            out.Write(block);
        });
    } else {
        THttpOptions options = http;
        options.MaxBodyBytes = static_cast<size_t>(maxBytes);
        THttpClient client(options);
        client.GetToSink(source.Address, [&](std::string_view block) { out.Write(block); });
    }
    out.Close();
}

void CopyToNewFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    struct stat st {};
    if (::lstat(from.c_str(), &st) != 0) throw TAppError(SystemErrorText(from, errno));
    TNewFile out(to, st.st_mode & 07777);
    ReadBlocks(from, [&](std::string_view block) { out.Write(block); });
    out.SetMode(st.st_mode & 07777);
    out.Close();
}

std::string FileCrc32(const std::filesystem::path& file) {
    uLong crc = crc32(0L, Z_NULL, 0);
    ReadBlocks(file, [&](std::string_view block) {
        crc = crc32(crc, reinterpret_cast<const Bytef*>(block.data()), static_cast<uInt>(block.size()));
    });
    char text[9];
    std::snprintf(text, sizeof text, "%08lX", crc & 0xFFFFFFFFul);
    return text;
}

std::string FileSha256(const std::filesystem::path& file) {
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1) throw TAppError("SHA-256 unavailable");
    ReadBlocks(file, [&](std::string_view block) { EVP_DigestUpdate(ctx.get(), block.data(), block.size()); });
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_DigestFinal_ex(ctx.get(), digest, &n);
    return Hex(digest, n);
}

} // namespace qx
