#pragma once
#include <QLabel>
#include <QPointer>
#include <functional>
#include <memory>

#include "core/Shell.h"

class QMessageBox;
class QWidget;

namespace qx {

class TProgressWindow;
class TWaitWindow;

// The shell of the desktop window: the status panel repaints at once, the busy state shows the
// wait cursor, message boxes carry the program's captions, buttons and default answers.
class TQtShell : public TShell {
public:
    explicit TQtShell(QWidget* owner);
    ~TQtShell() override;

    // The status bar's message panel.
    void SetStatusPanel(QLabel* panel) { FStatusPanel = panel; }
    // Called when the busy state starts or ends (the window re-evaluates its commands at once).
    void SetBusyListener(std::function<void(bool)> listener) { FBusyListener = std::move(listener); }

    void ShowStatus(const std::string& text) override;
    bool Message(TMessageKind kind, const std::string& text) override;
    void ShowWait(const std::string& text) override;
    void HideWait() override;
    void ProcessMessages() override;
    bool TryOpenDocument(const std::string& pathOrUrl) override;
    // Replaces the desktop's opener (tests record what would have been opened).
    void SetDocumentOpener(std::function<bool(const std::string&)> opener) { FOpener = std::move(opener); }

    // The message box a message of that kind is shown in (not yet executed).
    static std::unique_ptr<QMessageBox> CreateMessageBox(TMessageKind kind, const std::string& text,
                                                         QWidget* parent);

    TWaitWindow* WaitWindow() const { return FWait.get(); }
    TProgressWindow* ProgressWindow() const { return FProgress.get(); }

protected:
    void BusyChanged(bool busy) override;
    void ProgressChanged(const TProgressState& state) override;

private:
    QPointer<QWidget> FOwner;
    QPointer<QLabel> FStatusPanel;
    std::function<void(bool)> FBusyListener;
    std::function<bool(const std::string&)> FOpener;
    std::unique_ptr<TWaitWindow> FWait;
    std::unique_ptr<TProgressWindow> FProgress;
    bool FCursorSet = false;
};

} // namespace qx
