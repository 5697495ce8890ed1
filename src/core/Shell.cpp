#include "core/Shell.h"

#include <algorithm>
#include <exception>

#include "core/Error.h"
#include "core/Text.h"

namespace qx {

const char* MessageCaption(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Error:
    case TMessageKind::AskRetry: return "Ошибка";
    case TMessageKind::Info: return "Информация";
    case TMessageKind::Warning: return "Внимание!";
    case TMessageKind::Notice: return "Предупреждение";
    case TMessageKind::AskYes:
    case TMessageKind::AskNo: return "Подтверждение";
    case TMessageKind::AskDelete: return "Предупреждение";
    }
    return "";
}

bool IsQuestion(TMessageKind kind) {
    return kind == TMessageKind::AskYes || kind == TMessageKind::AskNo || kind == TMessageKind::AskDelete ||
           kind == TMessageKind::AskRetry;
}

std::string DeleteRecordsQuestion(int count) {
    if (count == 1) return "Удалить выделенную запись?";
    return FormatText("Удалить все выделенные записи (всего будет удалено %d записи(ей))?", {std::to_string(count)});
}

void TShell::BeginBusy() {
    if (++FBusy == 1) BusyChanged(true);
}

void TShell::EndBusy() {
    if (FBusy == 0) return;
    if (--FBusy == 0) BusyChanged(false);
}

void TShell::OpenDocument(const std::string& pathOrUrl) {
    if (!TryOpenDocument(pathOrUrl)) ShowError(FormatText("Не удалось открыть \"%s\"!", {pathOrUrl}));
}

void TShell::ShowProgress(const std::string& text, int steps, bool stoppable) {
    if (FProgress.Open) throw TAppError("Окно индикатора уже создано!");
    FProgress = TProgressState{true, text.empty() ? "Подождите пожалуйста..." : text, std::max(0, steps), 0,
                               stoppable, false};
    ProgressChanged(FProgress);
}

void TShell::StepProgress(int n) {
    if (!FProgress.Open) return;
    FProgress.Position = std::min(FProgress.Steps, FProgress.Position + std::max(0, n));
    ProgressChanged(FProgress);
    ProcessMessages();
}

void TShell::SetProgressText(const std::string& text) {
    if (!FProgress.Open) return;
    FProgress.Text = text;
    ProgressChanged(FProgress);
}

void TShell::HideProgress() {
    if (!FProgress.Open) return;
    FProgress = TProgressState{};
    ProgressChanged(FProgress);
}

void TShell::CancelProgress() {
    if (FProgress.Open && FProgress.Stoppable) {
        FProgress.Cancelled = true;
        ProgressChanged(FProgress);
    }
}

TBusyScope::TBusyScope(TShell& shell, const std::string& status) : FShell(shell) {
    FShell.BeginBusy();
    if (!status.empty()) FShell.ShowStatus(status);
}

TBusyScope::~TBusyScope() {
    FShell.ShowStatus("");
    FShell.EndBusy();
}

bool RunCommand(TShell& shell, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        shell.ShowError(e.what());
    } catch (...) {
        shell.ShowError("Неизвестная ошибка");
    }
    return false;
}

} // namespace qx
