// The script commands: the lines and their files, the run, the logs, rating rows made into lines.
#include <algorithm>

#include "app/ScriptExecutor.h"
#include "app/TestCountForm.h"
#include "app/Workspace.h"
#include "core/Error.h"
#include "core/Text.h"
#include "scripts/RatingLine.h"
#include "scripts/ScriptLog.h"

namespace qx {

void TWorkspace::ScriptLinesChanged() {
    SaveCurrentScript();
    RefreshScriptView();
}

void TWorkspace::RefreshScriptView() {
    Notify([](TWorkspaceObserver& o) { o.ScriptChanged(); });
}

void TWorkspace::RefreshScriptRun() {
    Notify([](TWorkspaceObserver& o) { o.ScriptRunChanged(); });
}

int TWorkspace::AppendScriptLine(const std::string& line) {
    const int index = FScript.Append(line);
    ScriptLinesChanged();
    return index;
}

void TWorkspace::ReplaceScriptLine(int index, const std::string& line) {
    FScript.Replace(index, line);
    ScriptLinesChanged();
}

bool TWorkspace::LoadScript(const std::filesystem::path& file, bool append) {
    TBusyScope busy(FShell, FormatText("Загрузка файла \"%s\"...", {file.string()}));
    std::vector<std::string> lines;
    try {
        lines = ReadScriptFile(file);
    } catch (const std::exception& e) {
        FShell.ShowError(FormatText("Ошибка чтения файла \"%s\"!\r\r%s", {file.string(), e.what()}));
        return false;
    }
    if (append)
        FScript.AppendLines(lines);
    else
        FScript.Assign(std::move(lines));
    return true;
}

bool TWorkspace::SaveScript(const std::filesystem::path& file) {
    TBusyScope busy(FShell, FormatText("Сохранение файла \"%s\"...", {file.string()}));
    try {
        WriteScriptFile(file, FScript.Lines());
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FormatText("Ошибка записи в файл \"%s\"!\r\r%s", {file.string(), e.what()}));
        return false;
    }
}

bool TWorkspace::SaveCurrentScript() { return SaveScript(FPaths.ScriptFile()); }

bool TWorkspace::ScriptOpen(const std::filesystem::path& file) {
    if (!LoadScript(file, false)) return false;
    ScriptLinesChanged();
    return true;
}

int TWorkspace::ScriptEmpty() { return AppendScriptLine(""); }

bool TWorkspace::ScriptLoad(const std::filesystem::path& file) {
    if (!LoadScript(file, true)) return false;
    ScriptLinesChanged();
    return true;
}

bool TWorkspace::ScriptDel(const std::vector<int>& rows) {
    if (rows.empty() || !FShell.AskDeleteRecords(static_cast<int>(rows.size()))) return false;
    {
        TBusyScope busy(FShell, "Удаление строк...");
        FScript.Delete(rows);
    }
    ScriptLinesChanged();
    return true;
}

bool TWorkspace::ScriptClr() {
    std::vector<int> all(size_t(FScript.Count()));
    for (int i = 0; i < FScript.Count(); ++i) all[size_t(i)] = i;
    return ScriptDel(all);
}

int TWorkspace::ScriptMove(int index, int by) {
    const int other = index + by;
    FScript.Swap(index, other);
    ScriptLinesChanged();
    return other;
}

bool TWorkspace::ScriptCanRun() const {
    return !FShell.IsBusy() && !FScript.Empty() && !FArchive.Empty();
}

bool TWorkspace::ScriptRunning() const { return FScriptExecutor->Running(); }

void TWorkspace::ScriptRun() { FScriptExecutor->Run(FScript.Lines()); }

void TWorkspace::ScriptTest(int count) {
    if (const auto refusal = RefuseTestCount(count, FArchive.Count())) throw TAppError(*refusal);
    FScriptExecutor->Test(FScript.Lines(), count);
}

void TWorkspace::ScriptStop() {
    if (!FScriptExecutor->CanStop()) return;
    if (!FShell.AskNo("Остановить выполнение сценария?")) return;
    FScriptExecutor->Stop();
}

std::string TWorkspace::ScriptPanelText(int panel) const {
    if (panel == 0) return FormatText("Строк: %d", {std::to_string(FScript.Count())});
    return FScriptExecutor->PanelText(panel);
}

void TWorkspace::LogToggle() { SetFormKey("ScriptLogEnabled", !FFormKeys.ScriptLogEnabled); }

void TWorkspace::LogsDelete() { DeleteLogFiles(kScriptLogMask); }

bool TWorkspace::RatingsToScript(const std::vector<int>& rows) {
    bool added = false;
    {
        TBusyScope busy(FShell, "Генерация новых строк в сценарии...");
        for (int row : rows) {
            if (row < 0 || row >= FRatings.Count()) continue;
            const std::string key = FRatings.Row(row).KeyText();
            if (const auto line = ScriptLineOfRatingKey(key, FStats)) {
                FScript.Append(*line);
                added = true;
            } else {
                FShell.ShowError(FormatText(kRatingLineRefused, {key}));
            }
        }
    }
    if (added) ScriptLinesChanged();
    return added;
}

} // namespace qx
