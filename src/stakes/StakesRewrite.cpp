// The two places where the stakes file is replaced or copied: the backup of an outdated file and
// the rewrite that deletes records. Both write a temporary file beside it, make it durable and
// rename it into place, so a failure at any step leaves the stakes file as it was.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "stakes/StakesBook.h"

namespace qx {
namespace {

// A new file at a temporary name that is removed again unless it was renamed into place.
class TReplacementFile {
public:
    TReplacementFile(std::filesystem::path path, const TFaultHook& fault) : FPath(std::move(path)), FFault(fault) {
        FHandle = ::open(FPath.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (FHandle < 0) throw TAppError(SystemErrorText(FPath, errno));
    }
    ~TReplacementFile() {
        if (FHandle >= 0) ::close(FHandle);
        if (!FRenamed) ::unlink(FPath.c_str());
    }
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    const std::filesystem::path& Path() const { return FPath; }

    void Write(const void* data, size_t len) {
        if (Faulty(TFileStep::Write) || !WriteAllAt(FHandle, data, len, FSize)) Fail();
        FSize += static_cast<int64_t>(len);
    }
    void Sync() {
        if (Faulty(TFileStep::Sync) || ::fsync(FHandle) != 0) Fail();
    }
    void Lock() {
        if (::flock(FHandle, LOCK_EX | LOCK_NB) != 0) Fail();
    }
    // Renames the file to target; false with errno set when that fails.
    bool RenameTo(const std::filesystem::path& target) {
        if (Faulty(TFileStep::Rename) || ::rename(FPath.c_str(), target.c_str()) != 0) return false;
        FRenamed = true;
        SyncDirectory(target.parent_path());
        return true;
    }
    // Hands the descriptor over (after a rename).
    int Release() {
        const int fd = FHandle;
        FHandle = -1;
        return fd;
    }

private:
    bool Faulty(TFileStep step) {
        if (!FFault || !FFault(step)) return false;
        errno = EIO;
        return true;
    }
    [[noreturn]] void Fail() { throw TAppError(SystemErrorText(FPath, errno)); }
    // The rename itself becomes durable with its directory; a failure here loses nothing.
    static void SyncDirectory(const std::filesystem::path& dir) {
        const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        if (::fsync(fd) != 0) { /* durability of the name only */ }
        ::close(fd);
    }

    std::filesystem::path FPath;
    const TFaultHook& FFault;
    int FHandle = -1;
    int64_t FSize = 0;
    bool FRenamed = false;
};

constexpr int64_t kCopyBlock = 4096;

} // namespace

TStakesLoadResult TStakesBook::Load() {
    FFile.RequireOpen();
    ResetIndexes();
    const int64_t size = FFile.Size();
    if (size == 0) return TStakesLoadResult::Ready;
    uint8_t version = 0;
    if (!ReadAllAt(FFile.Handle(), &version, 1, 0)) throw TAppError(SystemErrorText(Path(), errno));
    if (size % kStakeSize == 0 && version == kStakeVersion) return TStakesLoadResult::Ready;
    // One torn append would otherwise cost every stake: the bytes are kept before emptying.
    Backup();
    FFile.Truncate();
    FFile.Sync();
    return TStakesLoadResult::Outdated;
}

void TStakesBook::Backup() {
    std::filesystem::path tmpPath = BackupPath();
    tmpPath += ".tmp";
    TReplacementFile copy(tmpPath, FFault);
    const int64_t size = FFile.Size();
    std::vector<char> buffer(static_cast<size_t>(kCopyBlock * kStakeSize));
    for (int64_t at = 0; at < size;) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(size - at, static_cast<int64_t>(buffer.size())));
        if (!ReadAllAt(FFile.Handle(), buffer.data(), n, at)) throw TAppError(SystemErrorText(Path(), errno));
        copy.Write(buffer.data(), n);
        at += static_cast<int64_t>(n);
    }
    copy.Sync();
    if (!copy.RenameTo(BackupPath())) throw TAppError(SystemErrorText(BackupPath(), errno));
}

int64_t TStakesBook::Rewrite(const std::function<bool(const TStakeRecord&, int64_t)>& keep) {
    FFile.RequireOpen();
    TReplacementFile tmp(TempPath(), FFault);
    TUncheckedIndex unchecked;
    unchecked.SetCap(FUnchecked.Cap());
    unchecked.Reset();
    std::vector<TStakeRecord> kept;
    kept.reserve(kCopyBlock);
    int64_t written = 0, removed = 0;
    auto flush = [&] {
        tmp.Write(kept.data(), kept.size() * sizeof(TStakeRecord));
        kept.clear();
    };
    ForEach(0, [&](const TStakeRecord& r, int64_t index) {
        if (!keep(r, index)) {
            ++removed;
            return;
        }
        unchecked.Add(r, written++);
        kept.push_back(r);
        if (static_cast<int64_t>(kept.size()) >= kCopyBlock) flush();
    });
    if (!kept.empty()) flush();
    tmp.Sync();
    // The new file is locked before it takes the name, and the old descriptor (holding the lock
    // on the old file) is let go only after: no other program can slip in between.
    tmp.Lock();
    if (!tmp.RenameTo(Path())) {
        const int e = errno;
        throw TAppError(FormatText("Ошибка переименования / удаления временного файла ставок %s!\r\r%s",
                                   {tmp.Path().string(), std::strerror(e)}));
    }
    FFile.Lock().Adopt(tmp.Release());
    FFile.ResetCache();
    FUnchecked = std::move(unchecked);
    FKeys.Invalidate();
    return removed;
}

int64_t TStakesBook::DeleteRows(int64_t firstRow, int64_t lastRow) {
    return Rewrite([&](const TStakeRecord&, int64_t index) { return index + 1 < firstRow || index + 1 > lastRow; });
}

int64_t TStakesBook::DeleteWhere(int condition, int32_t value) {
    return Rewrite([&](const TStakeRecord& r, int64_t) {
        if (r.Kind == skNone) return true;
        const int32_t m = r.IsChecked() ? r.Matched.Count : -1;
        return !StakeConditionHolds(condition, m, value);
    });
}

} // namespace qx
