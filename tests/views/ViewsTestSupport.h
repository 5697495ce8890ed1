#pragma once
#include <QAction>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "views/FormMain.h"

namespace qx::test {

// Runs the event loop (so idle-time work happens) until pred holds or the time is up.
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 5000);
void Pump(int ms = 30);

// A message box as it was shown.
struct TShownBox {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

// Answers modal windows as they come up, one scripted step per newly shown modal window.
// A modal window nobody scripted is recorded and closed, so a test never hangs on it.
class TModalResponder : public QObject {
public:
    using TStep = std::function<void(QWidget*)>;
    TModalResponder();
    ~TModalResponder() override;

    void Then(TStep step) { FSteps.push_back(std::move(step)); }
    // Records the message box and presses the button.
    void ThenAnswer(QMessageBox::StandardButton button);
    bool Done() const { return FSteps.empty(); }

    std::vector<TShownBox> Boxes;
    std::vector<QString> Unexpected;

private:
    void Poll();
    std::deque<TStep> FSteps;
    QPointer<QWidget> FLast;
    bool FStopped = false;
};

TShownBox DescribeBox(QMessageBox* box);
// Clicks a standard button of a dialog's button box.
void PressButton(QWidget* dialog, QDialogButtonBox::StandardButton which);
// Types the file name into a file dialog and accepts it. The name goes into the dialog's name
// field directly: QFileDialog::selectFile leaves the field alone while it has the focus.
void ChooseFile(QWidget* fileDialog, const std::filesystem::path& file);

// The real archive as draws-file bytes (converted once per test run).
const std::string& RealArchiveBytes();

// A main window over a temporary program directory.
class MainWindowFixture : public ::testing::Test {
protected:
    TTempDir Dir;
    TModalResponder Modal;
    std::unique_ptr<TFormMain> Window;

    void SetUp() override;
    void TearDown() override;
    void PutRealArchive();
    TMainWindowOptions Options() const;
    // Creates, shows and waits for the start-up to finish.
    TFormMain& Open(const TMainWindowOptions* options = nullptr);
    void Reopen();
    void Close();
    QAction* Action(const char* name) const;
    template <class T> T* Find(const char* name) const { return Window->findChild<T*>(name); }
};

} // namespace qx::test
