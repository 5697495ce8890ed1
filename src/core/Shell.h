#pragma once
#include <functional>
#include <string>

namespace qx {

enum class TMessageKind {
    Error,      // "Ошибка", OK
    Info,       // "Информация", OK
    Warning,    // "Внимание!", OK
    Notice,     // "Предупреждение", OK
    AskYes,     // "Подтверждение", Yes/No, Yes default
    AskNo,      // "Подтверждение", Yes/No, No default
    AskDelete,  // "Предупреждение", Yes/No, No default
    AskRetry,   // "Ошибка", Yes/No, Yes default: try a failed operation again?
};

const char* MessageCaption(TMessageKind kind);
bool IsQuestion(TMessageKind kind);
// "Удалить выделенную запись?" or the plural form with the count.
std::string DeleteRecordsQuestion(int count);

struct TProgressState {
    bool Open = false;
    std::string Text;
    int Steps = 0;
    int Position = 0;
    bool Stoppable = false;
    bool Cancelled = false;
};

// The engine's only way to reach the person: status text, busy state, message boxes, wait and
// progress windows. The desktop window implements it with Qt, the command-line tool prints, and
// tests script the answers and record what was shown.
class TShell {
public:
    virtual ~TShell() = default;

    // Busy state: a nesting counter. While above zero every command is disabled.
    void BeginBusy();
    void EndBusy();
    bool IsBusy() const { return FBusy > 0; }
    int BusyDepth() const { return FBusy; }

    // Status bar message panel; shown at once.
    virtual void ShowStatus(const std::string& text) = 0;

    void ShowError(const std::string& text) { Message(TMessageKind::Error, text); }
    void ShowInfo(const std::string& text) { Message(TMessageKind::Info, text); }
    void ShowWarning(const std::string& text) { Message(TMessageKind::Warning, text); }
    void ShowNotice(const std::string& text) { Message(TMessageKind::Notice, text); }
    bool AskYes(const std::string& text) { return Message(TMessageKind::AskYes, text); }
    bool AskNo(const std::string& text) { return Message(TMessageKind::AskNo, text); }
    bool AskRetry(const std::string& text) { return Message(TMessageKind::AskRetry, text); }
    bool AskDeleteRecords(int count) { return Message(TMessageKind::AskDelete, DeleteRecordsQuestion(count)); }

    // Wait window: a further ShowWait while it is shown only changes its text.
    virtual void ShowWait(const std::string& text) { (void)text; }
    virtual void HideWait() {}

    // Progress window, one at a time; a second ShowProgress raises "Окно индикатора уже создано!".
    void ShowProgress(const std::string& text, int steps, bool stoppable);
    void StepProgress(int n = 1);
    void SetProgressText(const std::string& text);
    void HideProgress();
    // The "Отмена" button: disables itself and raises the flag that the operation polls.
    void CancelProgress();
    bool ProgressCancelled() const { return FProgress.Cancelled; }
    const TProgressState& Progress() const { return FProgress; }

    // Lets the window breathe (repaint, the stop button arrive) during long work.
    virtual void ProcessMessages() {}
    // Opens a file or an address with the desktop's default application; false when the desktop
    // refuses.
    virtual bool TryOpenDocument(const std::string& pathOrUrl) {
        (void)pathOrUrl;
        return true;
    }
    // The same, telling the user when it is refused.
    void OpenDocument(const std::string& pathOrUrl);

    // Shows a message box; for questions returns true on Yes.
    virtual bool Message(TMessageKind kind, const std::string& text) = 0;

protected:
    virtual void BusyChanged(bool busy) { (void)busy; }
    virtual void ProgressChanged(const TProgressState& state) { (void)state; }

private:
    int FBusy = 0;
    TProgressState FProgress;
};

// Busy state with a status text for the length of a scope; on leaving (also by an exception) the
// status panel is cleared and the busy state left.
class TBusyScope {
public:
    TBusyScope(TShell& shell, const std::string& status);
    ~TBusyScope();
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TShell& FShell;
};

// Runs a command handler: any exception becomes an error box, and the program goes on.
// Returns false when the command failed.
bool RunCommand(TShell& shell, const std::function<void()>& command);

} // namespace qx
