// The regular-stake commands: the tab's visibility, the regulars file, adding, deleting, a stake
// from a regular and the test over the newest draws.
#include <climits>
#include <filesystem>

#include "app/TableForm.h"
#include "app/TestCountForm.h"
#include "app/Workspace.h"
#include "core/ArchiveQueries.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

constexpr const char* kReadFailure = "Ошибка чтения файла регулярных ставок!\r\r%s";
constexpr const char* kWriteFailure = "Ошибка записи в файл регулярных ставок!\r\r%s";
constexpr const char* kAddFailure = "Ошибка добавления записи в файл ставок!\r\r%s";

// The test moves the draws offset and suspends the views; both come back however it ends.
class TTestScope {
public:
    explicit TTestScope(TWorkspace& ws) : FWs(ws), FOffset(ws.DrawsOffset()) { ws.SuspendViews(); }
    ~TTestScope() {
        FWs.SetDrawsOffset(FOffset);
        FWs.ResumeViews();
    }
    TTestScope(const TTestScope&) = delete;
    TTestScope& operator=(const TTestScope&) = delete;

private:
    TWorkspace& FWs;
    int FOffset;
};

} // namespace

void TWorkspace::RequireTablesVisible() const {
    if (!TablesVisible()) throw TAppError("Вкладка \"Регуляры\" скрыта: регулярные ставки не загружены!");
}

void TWorkspace::TablesChangedNotify() {
    Notify([](TWorkspaceObserver& o) { o.TablesChanged(); });
}

void TWorkspace::SetTablesVisible(bool visible) {
    SetFormKey("TabTables", visible);
    if (visible) {
        TablesLoad();
    } else {
        FRegulars.Clear();
        TablesChangedNotify();
    }
}

void TWorkspace::TablesLoad() {
    std::error_code ec;
    if (!TablesVisible() || !std::filesystem::exists(FPaths.TablesFile(), ec)) return;
    {
        TBusyScope busy(FShell, "Загрузка файла регулярных ставок...");
        try {
            FRegulars.Load(FPaths.TablesFile());
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText(kReadFailure, e.what()));
        }
    }
    TablesChangedNotify();
}

bool TWorkspace::TablesSave() {
    if (!TablesVisible()) return false;
    bool saved = true;
    {
        TBusyScope busy(FShell, "Сохранение файла регулярных ставок...");
        try {
            FRegulars.Save(FPaths.TablesFile());
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText(kWriteFailure, e.what()));
            saved = false;
        }
    }
    TablesChangedNotify();
    return saved;
}

void TWorkspace::TablesAdd(const TRegularRecord& accepted, const std::vector<int>& selectedCombRows) {
    RequireTablesVisible();
    {
        TBusyScope busy(FShell, "Создание регулярных ставок...");
        const TCombsArray& list = FCombs.List();
        const bool single = SelectedCountOf(accepted) == 1;
        if (accepted.PlayMode() == rmPreviousDraw || single) {
            TRegularRecord r = accepted;
            r.StakesMade = 0;
            r.SetCurrent(r.StartCode());
            FRegulars.Append(r);
        } else {
            const std::string comment = accepted.CommentText();
            for (int row : selectedCombRows) {
                if (row < 0 || row >= static_cast<int>(list.size())) continue;
                TRegularRecord r = accepted;
                r.SetComment(comment + FormatText(" (%d)", {std::to_string(row + 1)}));
                r.SetStart(list[static_cast<size_t>(row)]);
                r.SetCurrent(r.StartCode());
                r.StakesMade = 0;
                FRegulars.Append(r);
            }
        }
    }
    TablesSave();
}

bool TWorkspace::TablesDel(const std::vector<int>& rows) {
    RequireTablesVisible();
    if (rows.empty()) return false;
    for (int row : rows) FRegulars.At(row);
    if (!FShell.AskDeleteRecords(static_cast<int>(rows.size()))) return false;
    {
        TBusyScope busy(FShell, "Удаление регулярных ставок...");
        FRegulars.Delete(rows);
    }
    TablesSave();
    return true;
}

TStakeRecord TWorkspace::RegularStake(const TRegularRecord& advanced, int offset) const {
    const int64_t draw = NextDrawNumber(Draws(), offset);
    if (draw < 1 || draw > INT32_MAX)
        RaiseFailure(kAddFailure, FormatText("Номер тиража %d больше 2147483647!", {std::to_string(draw)}));
    TStakeRecord stake = NewStake(skRegular, static_cast<int32_t>(draw),
                                  StakeNumbersOf(advanced.CurrentCode()), FCombs.Count(), "", FConfig);
    stake.SetRawComment(advanced.RawComment());
    return stake;
}

TWorkspace::TRegularStake TWorkspace::TablesProposedStake(int index) const {
    RequireTablesVisible();
    TRegularStake proposed{FRegulars.At(index), {}};
    TablesAdvance(Draws(), FDrawsOffset, proposed.Advanced);
    proposed.Stake = RegularStake(proposed.Advanced, FDrawsOffset);
    return proposed;
}

bool TWorkspace::TablesStakeAdd(int index, const TRegularRecord& advanced, const TStakeRecord& stake,
                                int64_t draws) {
    RequireTablesVisible();
    FRegulars.At(index);
    // The regular counts the stake only once the stake exists.
    if (!StakeAdd(stake, draws)) return false;
    FRegulars.Replace(index, advanced);
    TablesSave();
    return true;
}

bool TWorkspace::TablesStakeTest(const std::vector<int>& rows, int count) {
    RequireTablesVisible();
    if (auto refusal = RefuseTestCount(count, FArchive.Count())) throw TAppError(*refusal);
    for (int row : rows) FRegulars.At(row);
    bool ok = true;
    {
        TTestScope scope(*this);
        TBusyScope busy(FShell, "Создание ставок по регулярным табличным ставкам...");
        for (int offset = count; offset >= 1 && ok; --offset) {
            SetDrawsOffset(offset);
            for (int row : rows) {
                TRegularRecord advanced = FRegulars.At(row);
                TablesAdvance(Draws(), offset, advanced);
                try {
                    ok = StakesAdd(RegularStake(advanced, offset), 1, true);
                } catch (const std::exception& e) {
                    FShell.ShowError(e.what());
                    ok = false;
                }
                if (!ok) break;
                FRegulars.Replace(row, advanced);
            }
        }
    }
    TablesSave();
    if (ok) {
        StakesCheck();
        StakesRefresh(true, true);
    }
    RefreshViews(true);
    return ok;
}

} // namespace qx
