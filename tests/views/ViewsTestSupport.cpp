#include "ViewsTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"

namespace qx::test {

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > timeoutMs) return false;
        Pump(10);
    }
    return true;
}

void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TShownBox DescribeBox(QMessageBox* box) {
    TShownBox shown;
    shown.Caption = box->windowTitle();
    shown.Text = box->text();
    shown.Icon = box->icon();
    shown.Buttons = box->standardButtons();
    if (QPushButton* d = box->defaultButton()) shown.Default = box->standardButton(d);
    return shown;
}

void PressButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

void ChooseFile(QWidget* fileDialog, const std::filesystem::path& file) {
    auto* dialog = qobject_cast<QFileDialog*>(fileDialog);
    ASSERT_NE(dialog, nullptr) << "expected a file dialog, got " << fileDialog->metaObject()->className();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(file.string()));
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_FALSE(dialog->isVisible()) << "the file dialog refused " << file;
}

TModalResponder::TModalResponder() {
    QTimer::singleShot(15, this, [this] { Poll(); });
}

TModalResponder::~TModalResponder() {
    FStopped = true;
}

void TModalResponder::ThenAnswer(QMessageBox::StandardButton button) {
    Then([this, button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr) << "expected a message box, got " << w->metaObject()->className();
        Boxes.push_back(DescribeBox(box));
        QAbstractButton* b = box->button(button);
        ASSERT_NE(b, nullptr);
        b->click();
    });
}

void TModalResponder::Poll() {
    if (FStopped) return;
    // Each poll is its own timer, so polling goes on inside the nested loop of a step's dialog.
    QTimer::singleShot(15, this, [this] { Poll(); });
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == FLast || !modal->isVisible()) return;
    FLast = modal;
    if (FSteps.empty()) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        Unexpected.push_back(QString(modal->metaObject()->className()) + ": " +
                             (box ? box->text() : modal->windowTitle()));
        if (box) Boxes.push_back(DescribeBox(box));
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    TStep step = std::move(FSteps.front());
    FSteps.pop_front();
    step(modal);
}

const std::string& RealArchiveBytes() {
    static const std::string bytes = [] {
        TDrawsArray draws;
        AppendDrawsFromCsv(ReadTextFile(RealArchiveCsv()), draws);
        return EncodeDraws(draws);
    }();
    return bytes;
}

void MainWindowFixture::SetUp() {}

void MainWindowFixture::TearDown() {
    Close();
    EXPECT_TRUE(Modal.Unexpected.empty()) << Modal.Unexpected.front().toStdString();
}

void MainWindowFixture::PutRealArchive() {
    WriteBytes(Dir / "Quadrix_4d10.ldr", RealArchiveBytes());
}

TMainWindowOptions MainWindowFixture::Options() const {
    TMainWindowOptions o;
    o.ProgramDir = Dir.Path();
    o.ExePath = Dir / "Quadrix_4d10";
    return o;
}

TFormMain& MainWindowFixture::Open(const TMainWindowOptions* options) {
    Window = std::make_unique<TFormMain>(options ? *options : Options());
    Window->show();
    EXPECT_TRUE(WaitUntil([&] { return Window->Started() || Window->QuitRequested(); }));
    Window->Commands().Evaluate();
    return *Window;
}

void MainWindowFixture::Reopen() {
    Close();
    Open();
}

void MainWindowFixture::Close() {
    if (!Window) return;
    Window->close();
    Window.reset();
}

QAction* MainWindowFixture::Action(const char* name) const {
    return Window->Commands().Action(name);
}

} // namespace qx::test
