#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/Platform.h"
#include "stakes/StakeRecord.h"

namespace qx {

// Record access to the open stakes file: the descriptor is the one the exclusive lock holds, so
// the lock is never let go while the program runs. Reads go through a one-record cache (a grid
// row asks for the same record once per cell); every write resets it.
class TStakesFile {
public:
    TStakesFile(TExclusiveFile& lock, std::filesystem::path path);

    const std::filesystem::path& Path() const { return FPath; }
    bool IsOpen() const { return FLock.IsOpen(); }
    int Handle() const { return FLock.Handle(); }
    TExclusiveFile& Lock() { return FLock; }
    // Raises "Файл ставок не открыт!" without a file.
    void RequireOpen() const;

    int64_t Size() const;  // bytes
    int64_t Count() const { return Size() / kStakeSize; }
    bool Empty() const { return Count() == 0; }

    // Record index (from the start, or from the end with -1 the last); raises "Запись со
    // индексом %d в файле данных не найдена!" outside the file.
    TStakeRecord Read(int64_t index, bool fromEnd = false);
    // None outside the file (views ask for rows that may be gone already).
    std::optional<TStakeRecord> TryRead(int64_t index);
    // Records first .. first + count - 1 (fewer at the end of the file) in one read.
    void ReadBlock(int64_t first, int64_t count, std::vector<TStakeRecord>& out) const;
    void Write(int64_t index, const TStakeRecord& record);
    // Appends at the end; when a write fails the file is cut back to its old length.
    void Append(std::span<const TStakeRecord> records);
    void Truncate();
    // Makes what was written durable (the file stays open and locked) and resets the cache.
    void Sync();
    void ResetCache() { FCached = -1; }

private:
    TExclusiveFile& FLock;
    std::filesystem::path FPath;
    int64_t FCached = -1;
    TStakeRecord FCache;
};

// Reads or writes all of len bytes at offset; false with errno set on failure.
bool ReadAllAt(int fd, void* data, size_t len, int64_t offset);
bool WriteAllAt(int fd, const void* data, size_t len, int64_t offset);

} // namespace qx
