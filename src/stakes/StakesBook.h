#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/Config.h"
#include "stakes/StakeRecord.h"
#include "stakes/StakesFile.h"
#include "stakes/StakesIndex.h"

namespace qx {

class TDrawsArchive;

// Receives every stake a check pass has checked and rewritten, in file order.
using TCheckedStakeSink = std::function<void(const TStakeRecord&)>;
// Progress of a check pass: records passed of those it has to look at.
using TCheckProgress = std::function<void(int64_t passed, int64_t total)>;

// The steps of writing a replacement file, for tests that make one of them fail.
enum class TFileStep { Write, Sync, Rename };
using TFaultHook = std::function<bool(TFileStep)>;

// Comparisons of the delete-by-condition dialog, in its list order.
enum TStakeCondition { scEqual = 0, scMore = 1, scNotLess = 2, scLess = 3, scNotMore = 4 };
inline constexpr int kStakeConditionCount = 5;
// "Равно [ = ]" ... "Не более [ <= ]".
const char* StakeConditionCaption(int condition);
// Whether match count m satisfies the comparison with v.
bool StakeConditionHolds(int condition, int32_t m, int32_t v);

enum class TStakesLoadResult {
    Ready,
    Outdated,  // the file was of an older version: copied to the backup, then emptied
};

// Where the graphs of the last distinct draws start reading.
struct TLastDraws {
    int64_t Position = 0;  // record index
    int Count = 0;         // distinct checked draws from there to the end
};

// The stakes book: the open stakes file (304-byte records, appended at the end, checked in place,
// rewritten through a temporary file when records are deleted) with the indexes that keep the
// frequent operations off the disk. Failures raise TAppError with the bare reason; the caller
// wraps it in the operation's message ("Ошибка добавления записи в файл ставок!\r\r%s", ...).
class TStakesBook {
public:
    // lock: the open, exclusively locked stakes file (the program's single-instance lock).
    TStakesBook(TExclusiveFile& lock, std::filesystem::path path);

    TStakesFile& File() { return FFile; }
    const std::filesystem::path& Path() const { return FFile.Path(); }
    // "Quadrix_4d10.lsk.bak" and "Quadrix_4d10.~tmp" beside the stakes file.
    std::filesystem::path BackupPath() const;
    std::filesystem::path TempPath() const;
    bool IsOpen() const { return FFile.IsOpen(); }
    int64_t Count() const { return FFile.Count(); }
    bool Empty() const { return FFile.Empty(); }
    // StakeRead: through the one-record cache; raises outside the file.
    TStakeRecord Read(int64_t index, bool fromEnd = false) { return FFile.Read(index, fromEnd); }
    std::optional<TStakeRecord> TryRead(int64_t index) { return FFile.TryRead(index); }

    // Version test of the freshly opened file: a length that is no multiple of 304 or a first
    // byte other than 2 marks an outdated file, which is copied to the backup (temporary file
    // and rename, an older backup replaced) and only then emptied. A failing copy raises and
    // leaves the file as it was.
    TStakesLoadResult Load();

    // StakesAppend: the record once (draws < 2) or for draws consecutive draw numbers, each copy
    // after a separator unless the file ends with one (or with a record of draw number <= 0).
    // Refuses a checked record and draw numbers past 2147483647 before writing anything.
    void Append(const TStakeRecord& record, int64_t draws);
    // StakesBeginGroup: a separator unless the file is empty or ends with one.
    void BeginGroup();
    // StakeFind: whether a record of that draw holds the same numbers (count and all four digit
    // bytes). Answered from a set of every record's key, made on first use and kept by appends.
    bool Find(int32_t draw, const TStakeNumbers& numbers);

    // StakesCheck without the ratings and the flush: checks every unchecked qualifying record
    // whose draw the archive holds, rewrites it in place and hands it to sink, in file order.
    // Returns how many were checked. A failure raises; records rewritten before it stay checked.
    int64_t Check(const TDrawsArchive& archive, const TConfigData& config, const TCheckedStakeSink& sink,
                  const TCheckProgress& progress = nullptr);
    // StakesFlush: makes the written records durable and resets the read cache; the file stays
    // open and locked.
    void Flush() { FFile.Sync(); }
    // StakesClear: length 0.
    void Clear();

    // StakesDeleteSelected: removes the records of grid rows firstRow..lastRow (record = row - 1).
    // StakesDeleteByCondition: removes stakes (separators stay) whose match count (-1 while
    // unchecked) satisfies the condition with value. Both write the kept records to the
    // temporary file, make it durable, lock it and rename it over the stakes file; on any failure
    // the stakes file stays as it was, open and locked, and the temporary file is removed.
    // Return the number of records removed.
    int64_t DeleteRows(int64_t firstRow, int64_t lastRow);
    int64_t DeleteWhere(int condition, int32_t value);

    // StakesSeekLastDraws: the position from which the newest n distinct checked draws follow.
    TLastDraws SeekLastDraws(int n);
    // Every record from first on, in file order, read in large blocks.
    void ForEach(int64_t first, const std::function<void(const TStakeRecord&, int64_t)>& fn) const;

    // Tests: make a step of writing a replacement file fail; shrink the unchecked index's cap.
    void SetFaultHook(TFaultHook hook) { FFault = std::move(hook); }
    void SetIndexCap(size_t cap);

private:
    void ResetIndexes();
    void BuildUncheckedIndex();
    int64_t CheckIndexed(const TDrawsArchive& archive, const TConfigData& config, const TCheckedStakeSink& sink,
                         const TCheckProgress& progress);
    int64_t CheckByScan(const TDrawsArchive& archive, const TConfigData& config, const TCheckedStakeSink& sink,
                        const TCheckProgress& progress);
    int64_t Rewrite(const std::function<bool(const TStakeRecord&, int64_t)>& keep);
    void Backup();

    TStakesFile FFile;
    TUncheckedIndex FUnchecked;
    TStakeKeySet FKeys;
    TDrawNumberMap FDraws;
    TFaultHook FFault;
};

} // namespace qx
