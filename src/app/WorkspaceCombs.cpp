#include <algorithm>
#include <optional>

#include "app/Workspace.h"
#include "combs/CombsGen.h"
#include "combs/CombsText.h"
#include "core/ConfigFile.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace qx {
namespace {

// Busy state and status text only for interactive calls; quiet calls (scripts) show nothing.
class TOptionalBusy {
public:
    TOptionalBusy(TShell& shell, bool interactive, const std::string& status) {
        if (interactive) FScope.emplace(shell, status);
    }

private:
    std::optional<TBusyScope> FScope;
};

} // namespace

void TWorkspace::CombsListChanged() {
    Notify([](TWorkspaceObserver& o) { o.CombsChanged(); });
    Notify([](TWorkspaceObserver& o) { o.StatusPanelsChanged(); });
}

bool TWorkspace::GenerateCombs(const TCombsGenParams& params, bool interactive) {
    TOptionalBusy busy(FShell, interactive, "Генерация возможных комбинаций...");
    bool made = false;
    try {
        FCombs.Clear();
        const int mode = params.EffectiveMode();
        if (mode == 4) {
            made = LoadCombsFile(params.Parameters);
        } else {
            TCombsArray combs;
            combs.reserve(kCombCount);
            GenerateByNumbers(mode, ParseOwnNumbers(params.Parameters), combs);
            FCombs.Assign(combs);
            made = true;
        }
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка генерации файла комбинаций!\r\r%s", e.what()));
    }
    if (interactive) ForgetCombsHistory();
    CombsListChanged();
    return made;
}

bool TWorkspace::StartCombs(const TCombsGenParams& params, TStartList& start) {
    const TCombsArray* list = start.Find(params);
    if (!list) {
        const bool made = GenerateCombs(params, true);
        if (made) start.Keep(params, FCombs.List());
        return made;
    }
    FCombs.Assign(*list);
    ForgetCombsHistory();
    CombsListChanged();
    return true;
}

void TWorkspace::ForgetCombsHistory() {
    FCombs.ClearJournal();
    FCombs.ClearUndo();
    FCombs.ClearBufferItems();
}

void TWorkspace::SaveCombsGenDefaults(const TCombsGenParams& params) {
    FCombsGen = params;
    FCombsGen.Parameters = std::string(LeftChars(FCombsGen.Parameters, 255));
    FStats.SetGenerateMode(FCombsGen);
    WrapFailure("Ошибка записи в файл конфигурации!\r\r%s", [&] {
        UpdateIniFile(FPaths.ConfigFile(), [&](TIniFile& ini) { WriteCombsGenDefaults(ini, FCombsGen); },
                      kConfigFileMode);
    });
}

void TWorkspace::SaveCombsUndo(bool interactive) {
    TOptionalBusy busy(FShell, interactive, "Создание файла отката...");
    FCombs.SaveUndo();
}

void TWorkspace::RestoreCombsUndo(bool interactive) {
    TOptionalBusy busy(FShell, interactive, "Отмена изменений...");
    FCombs.RestoreUndo();
    CombsListChanged();
}

void TWorkspace::CombsUndo() {
    RestoreCombsUndo(true);
    DropLastJournalRow();
}

void TWorkspace::ExcludeLastDraws(int n) {
    const std::string nText = std::to_string(n);
    TBusyScope busy(FShell, FormatText("Удаление из списка комбинаций %d последних тиражей...", {nText}));
    // The window: the n draws ending at the current draw. Their codes go into a 10,000-bit set so
    // each combination is tested once, whatever n is.
    std::vector<bool> drawn(kCombCount, false);
    const int last = CurrentDrawIndex();
    if (last >= 0 && n > 0) {
        const int first = std::max(0, last - n + 1);
        for (int i = first; i <= last; ++i) {
            int index = CodeIndex(CodeOfDraw(Draws()[static_cast<size_t>(i)]));
            if (index >= 0) drawn[static_cast<size_t>(index)] = true;
        }
    }
    const size_t total = FCombs.UndoList().size();
    const size_t step = std::max<size_t>(1, total / 100);
    FCombs.KeepFromUndo([&](TCombCode code, size_t i) {
        if (i % step == 0) {
            const std::string percent =
                FormatReal((i + 1) * 100.0 / static_cast<double>(total), TRealFormat::Fixed, 0);
            FShell.ShowStatus(FormatText("Удаление из списка комбинаций %d последних тиражей ( завершено %s %% )...",
                                         {nText, percent}));
        }
        int index = CodeIndex(code);
        return index < 0 || !drawn[static_cast<size_t>(index)];
    });
    FCombs.AddJournalRow(true, "Последние тиражи", nText);
    CombsListChanged();
}

void TWorkspace::CombsDelExists(int n) {
    SaveCombsUndo(true);
    ExcludeLastDraws(n);
}

void TWorkspace::DeleteSelectedCombs(const std::vector<int>& rows) {
    SaveCombsUndo(true);
    TBusyScope busy(FShell, "Удаление выделенных комбинаций...");
    std::vector<bool> selected(FCombs.UndoList().size(), false);
    int count = 0;
    for (int row : rows)
        if (row >= 0 && row < static_cast<int>(selected.size()) && !selected[static_cast<size_t>(row)]) {
            selected[static_cast<size_t>(row)] = true;
            ++count;
        }
    FCombs.KeepFromUndo([&](TCombCode, size_t i) { return !selected[i]; });
    FCombs.AddJournalRow(true, "Выделенные комбинации", std::to_string(count));
    CombsListChanged();
}

bool TWorkspace::LoadCombsFile(const std::filesystem::path& file) {
    try {
        FCombs.Assign(ParseLcvText(ReadTextFile(file)));
        CombsListChanged();
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FormatText("Ошибка чтения файла \"%s\"!\r\r%s", {file.string(), e.what()}));
        return false;
    }
}

bool TWorkspace::SaveCombsFile(const std::filesystem::path& file) {
    TBusyScope busy(FShell, FormatText("Сохранение файла \"%s\"...", {file.string()}));
    try {
        WriteTextFileAtomic(file, LcvText(FCombs.List()));
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FormatText("Ошибка записи в файл \"%s\"!\r\r%s", {file.string(), e.what()}));
        return false;
    }
}

void TWorkspace::OpenCombs(const std::filesystem::path& file) {
    SaveCombsUndo(true);
    {
        TBusyScope busy(FShell, FormatText("Загрузка файла \"%s\"...", {file.string()}));
        if (!LoadCombsFile(file)) FCombs.RestoreUndo();
    }
    FCombs.ClearUndo();
    FCombs.ClearJournal();
    CombsListChanged();
}

std::string TWorkspace::CombsCopyText(const std::vector<int>& rows) {
    TBusyScope busy(FShell, "Подождите пожалуйста...");
    std::vector<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    return CombsClipboardText(FCombs.List(), ordered);
}

void TWorkspace::PasteCombs(const std::string& text) {
    TBusyScope busy(FShell, "Подождите пожалуйста...");
    if (SplitLines(text).empty()) return;
    FCombs.SaveUndo();
    try {
        FCombs.Assign(ParseClipboardCombs(text));
        FCombs.ClearJournal();
    } catch (const std::exception& e) {
        FShell.ShowError(e.what());
        FCombs.RestoreUndo();
    }
    FCombs.ClearUndo();
    CombsListChanged();
}

void TWorkspace::FindCombInArchive(TCombCode code) {
    std::vector<std::string> lines;
    {
        TBusyScope busy(FShell, "Поиск по архиву тиражей...");
        lines = FindCombInDraws(Draws(), code);
    }
    FShell.ShowInfo(FindInDrawsMessage(lines));
}

void TWorkspace::CheckUniqueNumbers() {
    FShell.ShowInfo(FormatText("В текущем списке комбинаций содержится %d уникальных номеров",
                               {std::to_string(UniqueDigitCount(FCombs.List()))}));
}

void TWorkspace::StoreCombsBuffer(int offset, int n) {
    if (!FCombs.BufferNeedsStore(offset, n)) return;
    TBusyScope busy(FShell, "Создание буфера комбинаций...");
    try {
        FCombs.StoreBuffer(offset, n);
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка создания буфера комбинаций!\r\r%s", e.what()));
    }
}

bool TWorkspace::LoadCombsBuffer(int offset, int n) {
    if (!FCombs.BufferCanLoad(offset, n)) return false;
    TBusyScope busy(FShell, "Загрузка буфера комбинаций...");
    try {
        if (!FCombs.LoadBuffer(offset, n)) return false;
        CombsListChanged();
        return true;
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка загрузки буфера комбинаций!\r\r%s", e.what()));
        return false;
    }
}

void TWorkspace::AddJournalRow(bool remove, const std::string& caption, const std::string& values) {
    FCombs.AddJournalRow(remove, caption, values);
    Notify([](TWorkspaceObserver& o) { o.CombsChanged(); });
}

void TWorkspace::AddUndoJournalRow() {
    FCombs.AddUndoJournalRow();
    Notify([](TWorkspaceObserver& o) { o.CombsChanged(); });
}

void TWorkspace::DropLastJournalRow() {
    FCombs.DropLastJournalRow();
    Notify([](TWorkspaceObserver& o) { o.CombsChanged(); });
}

void TWorkspace::ClearJournal() {
    FCombs.ClearJournal();
    Notify([](TWorkspaceObserver& o) { o.CombsChanged(); });
}

} // namespace qx
