#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "ViewsTestSupport.h"
#include "core/Error.h"
#include "views/ProgressWindow.h"
#include "views/QtShell.h"
#include "views/WaitWindow.h"

using namespace qx;
using namespace qx::test;

TEST(QtShell, MessageBoxesCarryTheCaptionsButtonsAndDefaults) {
    struct TCase {
        TMessageKind Kind;
        const char* Caption;
        QMessageBox::Icon Icon;
        QMessageBox::StandardButtons Buttons;
        QMessageBox::StandardButton Default;
    };
    const TCase cases[] = {
        {TMessageKind::Error, "Ошибка", QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok},
        {TMessageKind::Info, "Информация", QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok},
        {TMessageKind::Warning, "Внимание!", QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok},
        {TMessageKind::Notice, "Предупреждение", QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok},
        {TMessageKind::AskYes, "Подтверждение", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Yes},
        {TMessageKind::AskNo, "Подтверждение", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No},
        {TMessageKind::AskDelete, "Предупреждение", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No},
    };
    for (const TCase& c : cases) {
        auto box = TQtShell::CreateMessageBox(c.Kind, "Ошибка чтения файла тиражей!\r\rнет файла", nullptr);
        TShownBox shown = DescribeBox(box.get());
        EXPECT_EQ(shown.Caption, c.Caption);
        EXPECT_EQ(shown.Icon, c.Icon);
        EXPECT_EQ(shown.Buttons, c.Buttons);
        EXPECT_EQ(shown.Default, c.Default);
        EXPECT_EQ(shown.Text, "Ошибка чтения файла тиражей!\n\nнет файла");
        // The user's text is shown as it stands, never as markup.
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
    }
}

TEST(QtShell, QuestionsReturnTheAnswerAndTheStatusPanelRepaintsAtOnce) {
    QWidget owner;
    QLabel panel(&owner);
    TQtShell shell(&owner);
    shell.SetStatusPanel(&panel);
    shell.ShowStatus("Загрузка файла тиражей...");
    EXPECT_EQ(panel.text(), "Загрузка файла тиражей...");

    TModalResponder modal;
    modal.ThenAnswer(QMessageBox::Yes);
    modal.ThenAnswer(QMessageBox::No);
    EXPECT_TRUE(shell.AskNo("Остановить выполнение сценария?"));
    EXPECT_FALSE(shell.AskYes("Обновить список тиражей?"));
    ASSERT_EQ(modal.Boxes.size(), 2u);
    EXPECT_EQ(modal.Boxes[0].Default, QMessageBox::No);
    EXPECT_EQ(modal.Boxes[1].Default, QMessageBox::Yes);
}

TEST(QtShell, BusyStateShowsTheWaitCursorAndNests) {
    QWidget owner;
    TQtShell shell(&owner);
    std::vector<bool> changes;
    shell.SetBusyListener([&](bool busy) { changes.push_back(busy); });
    shell.BeginBusy();
    shell.BeginBusy();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    shell.EndBusy();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    shell.EndBusy();
    shell.EndBusy(); // never below zero
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST(QtShell, WaitWindowIsBorderlessCentredAndChangesOnlyItsText) {
    QWidget owner;
    TQtShell shell(&owner);
    shell.ShowWait("Загрузка тиражей...");
    TWaitWindow* wait = shell.WaitWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->size(), QSize(355, 77));
    EXPECT_TRUE(wait->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->geometry().center(), QApplication::primaryScreen()->availableGeometry().center());
    shell.ShowWait("Поиск proxy-сервера...");
    EXPECT_EQ(shell.WaitWindow(), wait);
    EXPECT_EQ(wait->Text(), "Поиск proxy-сервера...");
    shell.HideWait();
    EXPECT_EQ(shell.WaitWindow(), nullptr);
}

TEST(QtShell, ProgressWindowSteppingAndCancel) {
    QWidget owner;
    TQtShell shell(&owner);
    shell.ShowProgress("", 10, true);
    TProgressWindow* progress = shell.ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->height(), 105);
    EXPECT_EQ(progress->Label()->text(), "Подождите пожалуйста...");
    EXPECT_EQ(progress->CancelButton()->text(), "Отмена");
    EXPECT_EQ(progress->CancelButton()->toolTip(), "Прервать операцию");
    EXPECT_THROW(shell.ShowProgress("x", 1, false), TAppError);
    shell.StepProgress(4);
    shell.StepProgress(20);
    EXPECT_EQ(progress->Bar()->value(), 10); // never past the end
    progress->CancelButton()->click();
    EXPECT_TRUE(shell.ProgressCancelled());
    EXPECT_FALSE(progress->CancelButton()->isEnabled());
    shell.HideProgress();
    EXPECT_EQ(shell.ProgressWindow(), nullptr);
    shell.ShowProgress("Создание файлов...", 3, false);
    EXPECT_EQ(shell.ProgressWindow()->height(), 74);
    EXPECT_FALSE(shell.ProgressWindow()->CancelButton()->isVisibleTo(shell.ProgressWindow()));
    shell.HideProgress();
}
