#include <algorithm>
#include <cstdint>

#include "app/Workspace.h"
#include "core/ArchiveQueries.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "draws/DrawsFile.h"

namespace qx {

void TWorkspace::LoadDraws() {
    std::error_code ec;
    if (!std::filesystem::exists(FPaths.DrawsFile(), ec)) return;
    {
        TBusyScope busy(FShell, "Загрузка файла тиражей...");
        TDrawsReadResult read = ReadDrawsFile(FPaths.DrawsFile());
        FArchive.Assign(std::move(read.Draws));
        if (read.Error) FShell.ShowError(FailureText("Ошибка чтения файла тиражей!\r\r%s", *read.Error));
        RefreshDrawsList(false);
    }
}

bool TWorkspace::SaveDraws() {
    bool ok = true;
    {
        TBusyScope busy(FShell, "Сохранение файла тиражей...");
        try {
            WriteDrawsFile(FPaths.DrawsFile(), FArchive.Records());
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText("Ошибка записи в файл тиражей!\r\r%s", e.what()));
            ok = false;
        }
        RefreshDrawsList(true);
    }
    return ok;
}

TDrawRecord TWorkspace::ProposedDraw() const {
    TDrawRecord r;
    // The dialog's spin edit cannot go past the largest number a record holds.
    r.Number = static_cast<int32_t>(std::min<int64_t>(NextDrawNumber(Draws(), 0), INT32_MAX));
    return r;
}

void TWorkspace::AddDraw(const TDrawRecord& draw) {
    FArchive.Append(draw);
    SaveDraws();
    RefreshViews(false);
}

void TWorkspace::ReplaceDrawAtRow(int row, const TDrawRecord& draw) {
    FArchive.Replace(FArchive.High() - row, draw);
    SaveDraws();
    RefreshViews(false);
}

bool TWorkspace::DeleteDrawRows(const std::vector<int>& rows) {
    if (rows.empty()) return false;
    if (!FShell.AskDeleteRecords(static_cast<int>(rows.size()))) return false;
    // The numbers shown in the rows, taken before anything is deleted, last row first.
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    std::vector<int32_t> numbers;
    for (int row : sorted) {
        int index = FArchive.High() - row;
        if (index >= 0 && index <= FArchive.High()) numbers.push_back(Draws()[static_cast<size_t>(index)].Number);
    }
    DeleteDrawNumbers(numbers);
    return true;
}

void TWorkspace::DeleteDrawNumbers(const std::vector<int32_t>& numbers) {
    {
        TBusyScope busy(FShell, "Удаление выделенных тиражей....");
        for (int32_t number : numbers) FArchive.DeleteAt(IndexOfNumber(Draws(), number));
        RefreshDrawsList(false);
        SaveDraws();
        RefreshViews(false);
    }
}

TCsvImportResult TWorkspace::ImportDraws(const std::filesystem::path& file) {
    TBusyScope busy(FShell, FormatText("Импорт тиражей из файла \"%s\"...", {file.string()}));
    // The whole file is read before anything is appended: a read failure changes nothing.
    std::string text = ReadTextFile(file);
    TDrawsArray draws = Draws();
    TCsvImportResult result = AppendDrawsFromCsv(text, draws);
    if (result.Added > 0) FArchive.Assign(std::move(draws));
    SaveDraws();
    RefreshViews(false);
    return result;
}

void TWorkspace::ExportDraws(const std::filesystem::path& file) {
    TBusyScope busy(FShell, FormatText("Экспорт тиражей в файл \"%s\"...", {file.string()}));
    WriteTextFileAtomic(file, DrawsCsvText(Draws()));
}

} // namespace qx
