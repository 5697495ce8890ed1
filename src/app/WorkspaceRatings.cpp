// The ratings commands over TRatings: add, sort and save, load, rebuild, export, mode, chart.
#include <algorithm>

#include "app/Workspace.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/ProgramPaths.h"
#include "core/Text.h"
#include "scripts/RatingsText.h"

namespace qx {
namespace {

constexpr const char* kRatingsWriteFailure = "Ошибка записи в файл рейтинга!\r\r%s";

} // namespace

void TWorkspace::RatingsAddStake(const TStakeRecord& stake) { FRatings.AddStake(stake); }

void TWorkspace::SetRatingsSort(const TRatingsSort& sort) {
    FRatingsSort = sort;
    // Before the ratings are loaded (the window applies its stored sort at start-up) there is
    // nothing to sort, and writing would replace the file unread.
    if (FRatingsLoaded) RatingsResort();
}

void TWorkspace::RatingsResort() {
    {
        TBusyScope busy(FShell, "Сортировка рейтинга...");
        FRatings.Sort(FRatingsSort);
    }
    // A reading run sorts for its own output and writes nothing. A script run re-sorts after every
    // check; writing the whole file each time would cost more than the run's own work, so the file
    // follows at the end of each pass.
    if (FOptions.ReadOnly) {
    } else if (FSavesDeferred) {
        FRatingsUnsaved = true;
    } else {
        SaveRatingsFile();
    }
    Notify([](TWorkspaceObserver& o) { o.RatingsChanged(); });
    Notify([](TWorkspaceObserver& o) { o.StatusPanelsChanged(); });
}

void TWorkspace::SaveRatingsFile() {
    FRatingsUnsaved = false;
    TBusyScope busy(FShell, "Сохранение файла рейтинга...");
    try {
        FRatings.Save(FPaths.RatingsFile());
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText(kRatingsWriteFailure, e.what()));
    }
}

void TWorkspace::RatingsLoad() {
    bool readable = true;
    std::error_code ec;
    const bool exists = std::filesystem::exists(FPaths.RatingsFile(), ec);
    if (exists) {
        TBusyScope busy(FShell, "Загрузка файла рейтинга...");
        try {
            FRatings.Load(FPaths.RatingsFile());
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText("Ошибка чтения файла рейтинга!\r\r%s", e.what()));
            readable = false;
        }
    }
    FRatingsLoaded = true;
    // Without a file there is nothing to sort, and an empty file would say no more than none.
    if (readable && exists) {
        RatingsResort();
        return;
    }
    // A file that could not be read is not overwritten by the rows that were read: the rows are
    // sorted for the list only.
    FRatings.Sort(FRatingsSort);
    Notify([](TWorkspaceObserver& o) { o.RatingsChanged(); });
    Notify([](TWorkspaceObserver& o) { o.StatusPanelsChanged(); });
}

bool TWorkspace::RatingsRefresh() {
    if (!FRatings.Empty() &&
        !FShell.AskNo("Пересчитать рейтинг только по текущим ставкам?\r\rНакопленные ранее данные по удаленным "
                      "ставкам будут потеряны."))
        return false;
    {
        TBusyScope busy(FShell, "Обновление рейтинга...");
        try {
            FRatings.Rebuild([&](const std::function<void(const TStakeRecord&)>& add) {
                if (FStakes.IsOpen()) FStakes.ForEach(0, [&](const TStakeRecord& r, int64_t) { add(r); });
            });
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText("Ошибка обновления рейтинга!\r\r%s", e.what()));
        }
    }
    FRatingsLoaded = true;
    RatingsResort();
    return true;
}

void TWorkspace::RatingsExport(const std::filesystem::path& file) {
    TBusyScope busy(FShell, "Экспорт в CSV-файл...");
    // Never over one of the program's own files; a FIFO or a device is written directly.
    WriteUserTarget(ResolveOutputFile(FPaths, file), Utf8ToCp1251(RatingsCsvText(FRatings.Rows(), FDecimalSeparator)));
}

void TWorkspace::RatingsClear() {
    FRatings.Clear();
    Notify([](TWorkspaceObserver& o) { o.RatingsChanged(); });
}

void TWorkspace::SetRatingsEffMode(int mode) {
    SetFormKey("RatingsEffMode", std::clamp(mode, 0, kRatingsEffModeCount - 1));
    Notify([](TWorkspaceObserver& o) { o.RatingsChanged(); });
}

TGraphPlot TWorkspace::RatingsGraphOverlap(const std::vector<int>& rows) const {
    TBusyScope busy(FShell, "Создание графиков...");
    std::vector<const TRatingRow*> chosen;
    int32_t most = 0;
    for (int row : rows)
        if (row >= 0 && row < FRatings.Count()) {
            chosen.push_back(&FRatings.Row(row));
            most = std::max(most, FRatings.Row(row).Stakes);
        }
    TGraphPlot plot;
    plot.Caption = "График количества совпадений для выделенных строк рейтинга";
    for (int i = 0; i <= kPositions; ++i)
        plot.Add(i, "Нормальные значения", double(kMatchCounts[static_cast<size_t>(i)]) * most / kCombCount, true,
                 false, Rgb(128, 128, 128));
    for (const TRatingRow* r : chosen)
        for (int i = 0; i <= kPositions; ++i) plot.Add(i, r->KeyText(), r->MatchCounts[i], true, false, 0);
    return plot;
}

} // namespace qx
