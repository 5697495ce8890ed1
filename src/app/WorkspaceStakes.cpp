// The stakes commands: collect the inputs, call the stakes book, show the outcome, refresh.
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/Workspace.h"
#include "core/ArchiveQueries.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "stakes/DeleteByMask.h"
#include "stakes/StakesGraphs.h"
#include "stakes/StakesVersion.h"

namespace qx {
namespace {

constexpr const char* kAddFailure = "Ошибка добавления записи в файл ставок!\r\r%s";
constexpr const char* kDeleteFailure = "Ошибка удаления записи из файла ставок!\r\r%s";
constexpr const char* kOutdatedStakes =
    "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!";
constexpr const char* kStakeLogMask = "Quadrix_4d10-%d.log";

// Runs a step of the stakes book: a failure is shown in the operation's message and gives false.
template <class Fn>
bool Shown(TShell& shell, const char* failure, Fn&& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        shell.ShowError(FailureText(failure, e.what()));
        return false;
    }
}

// An existing stakes file opened for reading only, without a lock; -1 when there is none.
int OpenStakesForReading(const std::filesystem::path& path) {
    // O_NONBLOCK: a FIFO planted at the name must not hang the run; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return -1;
        throw TAppError(SystemErrorText(path, errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw TAppError(path.string() + ": не является обычным файлом");
    }
    return fd;
}

} // namespace

bool TWorkspace::StakesLoad() {
    TBusyScope busy(FShell, "Загрузка файла ставок...");
    if (FOptions.ReadOnly) {
        // A reading run holds no lock and creates nothing: an existing file is read as it is, an
        // outdated one is left for a run that may write (which keeps a copy before emptying it).
        if (!Shown(FShell, "Ошибка чтения файла ставок!\r\r%s", [&] {
                const int fd = OpenStakesForReading(FPaths.StakesFile());
                if (fd < 0) return;
                FStakesLock.Adopt(fd);
                if (!StakesFileCurrent(fd, FPaths.StakesFile())) FStakesLock.Close();
            }))
            return false;
        StakesRefresh(true, false);
        return true;
    }
    if (!Shown(FShell, "Ошибка чтения файла ставок!\r\r%s", [&] {
            if (FStakes.Load() == TStakesLoadResult::Outdated) FShell.ShowNotice(kOutdatedStakes);
        }))
        return false;
    StakesRefresh(true, false);
    return true;
}

int64_t TWorkspace::ProposedStakeDraw() const { return NextDrawNumber(Draws(), FDrawsOffset); }

TStakeRecord TWorkspace::ProposedStake(std::optional<TCombCode> numbers) const {
    const int64_t draw = ProposedStakeDraw();
    if (draw > INT32_MAX)
        RaiseFailure(kAddFailure, FormatText("Номер тиража %d больше 2147483647!", {std::to_string(draw)}));
    const TStakeNumbers stakeNumbers = numbers ? StakeNumbersOf(*numbers) : TStakeNumbers{};
    return NewStake(skManual, static_cast<int32_t>(draw), stakeNumbers, FCombs.Count(), kManualStakeComment,
                    FConfig);
}

std::optional<TCombCode> TWorkspace::RandomComb() {
    const TCombsArray& list = FCombs.List();
    if (list.empty()) return std::nullopt;
    std::uniform_int_distribution<size_t> pick(0, list.size() - 1);
    return list[pick(FRandom)];
}

bool TWorkspace::StakesAdd(const TStakeRecord& record, int64_t draws, bool batch) {
    {
        // Inside a batch the caller's loop holds the busy state and its status text: a scope per
        // stake would repaint the status bar twice for every one of thousands.
        std::optional<TBusyScope> busy;
        if (!batch) busy.emplace(FShell, "Создание ставок...");
        if (!Shown(FShell, kAddFailure, [&] { FStakes.Append(record, draws); })) return false;
    }
    StakesRefresh(false, !batch || FFormKeys.StakesScrollEnabled);
    return true;
}

bool TWorkspace::StakeAdd(const TStakeRecord& record, int64_t draws) {
    {
        TBusyScope busy(FShell, "Создание ставки...");
        if (!Shown(FShell, kAddFailure, [&] { FStakes.Append(record, draws); })) return false;
    }
    StakesCheck();
    StakesRefresh(true, true);
    return true;
}

bool TWorkspace::StakeAddCombs(const std::vector<TCombCode>& combs, int32_t drawNumber, int64_t draws,
                               const std::string& comment) {
    bool ok = true;
    {
        TBusyScope busy(FShell, "Создание ставок...");
        const int32_t sample = FCombs.Count();
        for (TCombCode code : combs) {
            const TStakeRecord r = NewStake(skManual, drawNumber, StakeNumbersOf(code), sample, comment, FConfig);
            ok = StakesAdd(r, draws, true);
            if (!ok) break;
        }
    }
    if (ok) {
        StakesCheck();
        StakesRefresh(true, true);
    }
    return ok;
}

bool TWorkspace::StakeFind(int32_t drawNumber, const TStakeNumbers& numbers) {
    try {
        return FStakes.Find(drawNumber, numbers);
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка поиска записи в файле ставок!\r\r%s", e.what()));
        return false;
    }
}

std::optional<TStakeRecord> TWorkspace::StakeRead(int64_t index, bool fromEnd) {
    try {
        return FStakes.Read(index, fromEnd);
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка чтения записи из файла ставок!\r\r%s", e.what()));
        return std::nullopt;
    }
}

void TWorkspace::StakesBeginGroup() { Shown(FShell, kAddFailure, [&] { FStakes.BeginGroup(); }); }

bool TWorkspace::StakesCheck() {
    FLastChecked = 0;
    if (!FStakes.IsOpen() || FStakes.Empty()) return false;
    int64_t checked = 0;
    {
        TBusyScope busy(FShell, "Проверка результатов ставок...");
        int lastPercent = -1;
        const char separator = FDecimalSeparator;
        const bool logging = FFormKeys.StakesLogEnabled;
        auto sink = [&](const TStakeRecord& r) {
            ++checked;
            RatingsAddStake(r);
            if (logging) FStakeLog.Write(r, separator);
        };
        auto progress = [&](int64_t passed, int64_t total) {
            const int percent = static_cast<int>(passed * 100 / std::max<int64_t>(total, 1));
            if (percent == lastPercent) return;
            lastPercent = percent;
            FShell.ShowStatus(FormatText("Проверка результатов ставок ( завершено %d %% )...",
                                         {std::to_string(percent)}));
        };
        Shown(FShell, "Ошибка проверки ставок!\r\r%s", [&] { FStakes.Check(FArchive, FConfig, sink, progress); });
        // A log that cannot be written is reported once per pass, not once per stake.
        for (const std::string& failure : FStakeLog.EndPass()) FShell.ShowError(failure);
    }
    FLastChecked = checked;
    if (checked == 0) return false;
    if (FSavesDeferred)
        FStakesUnflushed = true;
    else
        FlushStakes();
    RatingsResort();
    return true;
}

void TWorkspace::FlushStakes() {
    FStakesUnflushed = false;
    Shown(FShell, "Ошибка записи в файл ставок!\r\r%s", [&] { FStakes.Flush(); });
}

void TWorkspace::DeferSaves(bool defer) {
    FSavesDeferred = defer;
    if (!defer) SaveDeferred();
}

void TWorkspace::SaveDeferred() {
    if (FStakesUnflushed) FlushStakes();
    if (FRatingsUnsaved) SaveRatingsFile();
}

bool TWorkspace::StakesDeleteSelected(int64_t firstRow, int64_t lastRow) {
    TBusyScope busy(FShell, "Удаление ставок...");
    return Shown(FShell, kDeleteFailure, [&] { FStakes.DeleteRows(firstRow, lastRow); });
}

bool TWorkspace::StakeDel(int64_t firstRow, int64_t lastRow) {
    if (lastRow < firstRow) return false;
    const int64_t count = lastRow - firstRow + 1;
    if (!FShell.AskDeleteRecords(static_cast<int>(std::min<int64_t>(count, INT_MAX)))) return false;
    if (!StakesDeleteSelected(firstRow, lastRow)) return false;
    StakesCheck();
    StakesRefresh(true, false);
    return true;
}

bool TWorkspace::StakesDeleteByCondition(int condition, int value) {
    {
        TBusyScope busy(FShell, "Удаление ставок...");
        if (!Shown(FShell, kDeleteFailure, [&] { FStakes.DeleteWhere(condition, value); })) return false;
    }
    StakesCheck();
    StakesRefresh(true, false);
    return true;
}

bool TWorkspace::StakesClear() {
    {
        TBusyScope busy(FShell, "Удаление ставок...");
        if (!Shown(FShell, kDeleteFailure, [&] {
                FStakes.Clear();
                FStakes.Flush();
            }))
            return false;
    }
    StakesRefresh(false, false);
    return true;
}

bool TWorkspace::StakeClear() {
    const int64_t count = FStakes.Count();
    if (!FShell.AskDeleteRecords(static_cast<int>(std::min<int64_t>(count, INT_MAX)))) return false;
    if (!StakesClear()) return false;
    RatingsRefresh();
    StakesRefresh(true, false);
    return true;
}

void TWorkspace::StakesRefresh(bool refresh, bool selectLast) {
    Notify([&](TWorkspaceObserver& o) { o.StakesChanged(refresh, selectLast); });
    if (refresh || selectLast) Notify([](TWorkspaceObserver& o) { o.StatusPanelsChanged(); });
}

TGraphPlot TWorkspace::StakesGraphDraws() {
    TBusyScope busy(FShell, "Создание графиков...");
    return ProfitByDrawsPlot(FStakes);
}

TGraphPlot TWorkspace::StakesGraphComments(const std::vector<int>& ratingRows, bool profits) {
    TBusyScope busy(FShell, "Создание графиков...");
    std::vector<std::string> captions;
    for (int row : ratingRows)
        if (row >= 0 && row < FRatings.Count()) captions.emplace_back(FRatings.Row(row).RawKey());
    return StakesByCommentsPlot(FStakes, captions, profits);
}

void TWorkspace::LogStakesDelete() { DeleteLogFiles(kStakeLogMask); }

void TWorkspace::DeleteLogFiles(std::string_view mask) {
    if (FilesByMask(FPaths.Dir, mask).empty()) {
        FShell.ShowInfo("Файлы журналов не найдены!");
        return;
    }
    TFileOpResult result;
    {
        TBusyScope busy(FShell, "Поиск файлов журналов...");
        result = DeleteFilesByMask(FPaths.Dir, mask);
    }
    if (result.Completed)
        FShell.ShowInfo(result.Message());
    else
        FShell.ShowWarning(result.Message());
}

} // namespace qx
