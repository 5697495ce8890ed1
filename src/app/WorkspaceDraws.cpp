#include <algorithm>
#include <cstdint>

#include "app/Workspace.h"
#include "core/ArchiveQueries.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/ProgramPaths.h"
#include "core/Text.h"
#include "draws/DrawsFile.h"

namespace qx {

void TWorkspace::LoadDraws() {
    FArchiveError.reset();
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(FPaths.DrawsFile(), ec))) return;
    {
        TBusyScope busy(FShell, "Загрузка файла тиражей...");
        TDrawsReadResult read = ReadDrawsFile(FPaths.DrawsFile());
        FArchive.Assign(std::move(read.Draws));
        if (read.Error) {
            // What could be read is shown, but never saved: a save would put that part in place
            // of the whole archive.
            FArchiveError = FailureText("Ошибка чтения файла тиражей!\r\r%s", *read.Error);
            FShell.ShowError(*FArchiveError);
        }
        if (const int bad = CountBadDraws(Draws()))
            FShell.ShowWarning(FormatText(
                "Файл тиражей содержит некорректные записи (номер тиража не больше 0 или число больше 9): %d",
                {std::to_string(bad)}));
        RefreshDrawsList(false);
    }
}

void TWorkspace::RequireArchiveWritable() const {
    if (FArchiveError) throw TAppError(*FArchiveError);
    if (FOptions.ReadOnly) throw TAppError("Файл тиражей открыт только для чтения");
}

void TWorkspace::StoreDraws() {
    RequireArchiveWritable();
    TBusyScope busy(FShell, "Сохранение файла тиражей...");
    std::optional<std::string> failure;
    try {
        WriteDrawsFile(FPaths.DrawsFile(), FArchive.Records());
    } catch (const std::exception& e) {
        failure = FailureText("Ошибка записи в файл тиражей!\r\r%s", e.what());
    }
    RefreshDrawsList(true);
    if (failure) throw TAppError(*failure);
}

bool TWorkspace::SaveDraws() {
    try {
        StoreDraws();
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(e.what());
        return false;
    }
}

void TWorkspace::ChangeArchive(const std::function<void()>& change) {
    RequireArchiveWritable();
    change();
    std::exception_ptr failure;
    try {
        StoreDraws();
    } catch (...) {
        failure = std::current_exception();
    }
    RefreshViews(false);
    if (failure) std::rethrow_exception(failure);
}

namespace {
void RequireDrawNumber(int32_t number) {
    if (!IsValidDrawNumber(number))
        throw TAppError(FormatText("Некорректный номер тиража: %d", {std::to_string(number)}));
}

} // namespace

TDrawRecord TWorkspace::ProposedDraw() const {
    TDrawRecord r;
    // The dialog's spin edit cannot go past the largest number a record holds.
    r.Number = static_cast<int32_t>(std::min<int64_t>(NextDrawNumber(Draws(), 0), INT32_MAX));
    return r;
}

void TWorkspace::AddDraw(const TDrawRecord& draw) {
    RequireDrawNumber(draw.Number);
    ChangeArchive([&] { FArchive.Append(draw); });
}

void TWorkspace::ReplaceDrawAtRow(int row, const TDrawRecord& draw) {
    RequireDrawNumber(draw.Number);
    ChangeArchive([&] { FArchive.Replace(FArchive.High() - row, draw); });
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
    TBusyScope busy(FShell, "Удаление выделенных тиражей....");
    ChangeArchive([&] {
        for (int32_t number : numbers) FArchive.DeleteAt(IndexOfNumber(Draws(), number));
        RefreshDrawsList(false);
    });
}

TCsvImportResult TWorkspace::ImportDraws(const std::filesystem::path& file) {
    RequireArchiveWritable();
    TBusyScope busy(FShell, FormatText("Импорт тиражей из файла \"%s\"...", {file.string()}));
    // The whole file is read before anything is appended: a read failure changes nothing.
    const std::string text = ReadInputTextFile(file, kMaxImportFileBytes);
    TDrawsArray draws = Draws();
    TCsvImportResult result = AppendDrawsFromCsv(text, draws);
    if (result.NoDraws()) {
        throw TAppError(FormatText("В файле \"%s\" нет ни одного тиража!", {file.string()}) + "\r\r" +
                        ImportSummary(result));
    }
    // Nothing new, nothing written.
    if (result.Added > 0) ChangeArchive([&] { FArchive.Assign(std::move(draws)); });
    return result;
}

TUserTargetKind TWorkspace::ExportDraws(const std::filesystem::path& file) {
    TBusyScope busy(FShell, FormatText("Экспорт тиражей в файл \"%s\"...", {file.string()}));
    const TUserTarget target = ResolveOutputFile(FPaths, file);
    WriteUserTarget(target, Utf8ToCp1251(DrawsCsvText(Draws())));
    return target.Kind;
}

} // namespace qx
