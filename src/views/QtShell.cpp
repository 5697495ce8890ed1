#include "views/QtShell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "core/Text.h"
#include "views/ProgressWindow.h"
#include "views/Tx.h"
#include "views/WaitWindow.h"

namespace qx {

TQtShell::TQtShell(QWidget* owner) : FOwner(owner) {}

TQtShell::~TQtShell() {
    if (FCursorSet) QApplication::restoreOverrideCursor();
}

void TQtShell::ShowStatus(const std::string& text) {
    if (!FStatusPanel) return;
    FStatusPanel->setText(Tx(text));
    FStatusPanel->repaint();
}

std::unique_ptr<QMessageBox> TQtShell::CreateMessageBox(TMessageKind kind, const std::string& text,
                                                        QWidget* parent) {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case TMessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    case TMessageKind::Info:
        icon = QMessageBox::Information;
        break;
    case TMessageKind::Warning:
    case TMessageKind::Notice:
        icon = QMessageBox::Warning;
        break;
    case TMessageKind::AskYes:
    case TMessageKind::AskNo:
    case TMessageKind::AskDelete:
    case TMessageKind::AskRetry:
        icon = QMessageBox::Question;
        break;
    }
    auto box = std::make_unique<QMessageBox>(icon, Tx(MessageCaption(kind)), DisplayText(text),
                                             QMessageBox::NoButton, parent);
    // Texts carry file names and server answers: never read as markup.
    box->setTextFormat(Qt::PlainText);
    if (IsQuestion(kind)) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        const bool yesFirst = kind == TMessageKind::AskYes || kind == TMessageKind::AskRetry;
        box->setDefaultButton(yesFirst ? QMessageBox::Yes : QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
        box->button(QMessageBox::Yes)->setText(Tx("Да"));
        box->button(QMessageBox::No)->setText(Tx("Нет"));
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->button(QMessageBox::Ok)->setText(Tx("OK"));
    }
    return box;
}

bool TQtShell::Message(TMessageKind kind, const std::string& text) {
    // The box must be answerable while the program is busy: the wait cursor is lifted meanwhile.
    if (FCursorSet) QApplication::setOverrideCursor(Qt::ArrowCursor);
    auto box = CreateMessageBox(kind, text, FOwner);
    int answer = box->exec();
    if (FCursorSet) QApplication::restoreOverrideCursor();
    return IsQuestion(kind) && answer == QMessageBox::Yes;
}

void TQtShell::ShowWait(const std::string& text) {
    if (!FWait) FWait = std::make_unique<TWaitWindow>();
    FWait->SetText(DisplayText(text));  // "\r" breaks lines, as in message boxes
}

void TQtShell::HideWait() {
    FWait.reset();
}

void TQtShell::ProcessMessages() {
    QCoreApplication::processEvents();
}

bool TQtShell::TryOpenDocument(const std::string& pathOrUrl) {
    if (FOpener) return FOpener(pathOrUrl);
    QString target = ToQ(pathOrUrl);
    QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target, QUrl::TolerantMode);
    return QDesktopServices::openUrl(url);
}

void TQtShell::BusyChanged(bool busy) {
    if (busy && !FCursorSet) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        FCursorSet = true;
    } else if (!busy && FCursorSet) {
        QApplication::restoreOverrideCursor();
        FCursorSet = false;
    }
    if (FBusyListener) FBusyListener(busy);
}

void TQtShell::ProgressChanged(const TProgressState& state) {
    if (!state.Open) {
        FProgress.reset();
        return;
    }
    if (!FProgress) FProgress = std::make_unique<TProgressWindow>([this] { CancelProgress(); });
    FProgress->Show(state);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace qx
