#include "stakes/StakesFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace qx {

bool ReadAllAt(int fd, void* data, size_t len, int64_t offset) {
    auto* p = static_cast<char*>(data);
    while (len > 0) {
        const ssize_t n = ::pread(fd, p, len, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;  // the file ended early
            return false;
        }
        p += n;
        len -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

bool WriteAllAt(int fd, const void* data, size_t len, int64_t offset) {
    const auto* p = static_cast<const char*>(data);
    while (len > 0) {
        const ssize_t n = ::pwrite(fd, p, len, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        len -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

TStakesFile::TStakesFile(TExclusiveFile& lock, std::filesystem::path path) : FLock(lock), FPath(std::move(path)) {}

void TStakesFile::RequireOpen() const {
    if (!IsOpen()) throw TAppError("Файл ставок не открыт!");
}

int64_t TStakesFile::Size() const {
    if (!IsOpen()) return 0;
    struct stat st {};
    if (::fstat(Handle(), &st) != 0) return 0;
    return st.st_size;
}

TStakeRecord TStakesFile::Read(int64_t index, bool fromEnd) {
    RequireOpen();
    const int64_t count = Count();
    const int64_t absolute = fromEnd ? count + index : index;
    if (absolute < 0 || absolute >= count)
        throw TAppError(FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(index)}));
    if (absolute == FCached) return FCache;
    TStakeRecord r;
    if (!ReadAllAt(Handle(), &r, sizeof r, absolute * kStakeSize)) throw TAppError(SystemErrorText(FPath, errno));
    FCache = r;
    FCached = absolute;
    return r;
}

std::optional<TStakeRecord> TStakesFile::TryRead(int64_t index) {
    if (!IsOpen() || index < 0 || index >= Count()) return std::nullopt;
    try {
        return Read(index);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TStakesFile::ReadBlock(int64_t first, int64_t count, std::vector<TStakeRecord>& out) const {
    RequireOpen();
    const int64_t total = Count();
    if (first < 0) first = 0;
    const int64_t n = std::max<int64_t>(0, std::min(count, total - first));
    out.resize(static_cast<size_t>(n));
    if (n == 0) return;
    if (!ReadAllAt(Handle(), out.data(), static_cast<size_t>(n * kStakeSize), first * kStakeSize))
        throw TAppError(SystemErrorText(FPath, errno));
}

void TStakesFile::Write(int64_t index, const TStakeRecord& record) {
    RequireOpen();
    FCached = -1;
    if (!WriteAllAt(Handle(), &record, sizeof record, index * kStakeSize))
        throw TAppError(SystemErrorText(FPath, errno));
}

void TStakesFile::Append(std::span<const TStakeRecord> records) {
    RequireOpen();
    FCached = -1;
    const int64_t end = Count() * kStakeSize;
    if (!WriteAllAt(Handle(), records.data(), records.size_bytes(), end)) {
        const int e = errno;
        // A torn append would leave a length that is no multiple of the record size.
        if (::ftruncate(Handle(), end) != 0) { /* the reason of the write is what counts */ }
        throw TAppError(SystemErrorText(FPath, e));
    }
}

void TStakesFile::Truncate() {
    RequireOpen();
    FCached = -1;
    if (::ftruncate(Handle(), 0) != 0) throw TAppError(SystemErrorText(FPath, errno));
}

void TStakesFile::Sync() {
    RequireOpen();
    FCached = -1;
    if (::fsync(Handle()) != 0) throw TAppError(SystemErrorText(FPath, errno));
}

} // namespace qx
