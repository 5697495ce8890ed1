#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/Switches.h"
#include "support/TestSupport.h"

using namespace qx;
using qx::test::TRecordingShell;

TEST(Shell, BusyNestsAndNeverGoesBelowZero) {
    TRecordingShell s;
    s.EndBusy();
    EXPECT_FALSE(s.IsBusy());
    {
        TBusyScope a(s, "Первая...");
        TBusyScope b(s, "");
        EXPECT_EQ(s.BusyDepth(), 2);
        EXPECT_EQ(s.Status, "Первая...");
    }
    EXPECT_FALSE(s.IsBusy());
    EXPECT_EQ(s.Status, "");
}

TEST(Shell, CommandFailuresBecomeErrorBoxesAndRestoreBusyState) {
    TRecordingShell s;
    bool ok = RunCommand(s, [&] {
        TBusyScope busy(s, "Работа...");
        RaiseFailure("Ошибка записи в файл тиражей!\r\r%s", "disk full");
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(s.IsBusy());
    EXPECT_EQ(s.Status, "");
    ASSERT_EQ(s.Errors().size(), 1u);
    EXPECT_EQ(s.Errors()[0], "Ошибка записи в файл тиражей!\r\rdisk full");
    EXPECT_STREQ(MessageCaption(TMessageKind::Error), "Ошибка");
    EXPECT_STREQ(MessageCaption(TMessageKind::AskNo), "Подтверждение");
}

TEST(Shell, ProgressWindowIsOneAtATime) {
    TRecordingShell s;
    s.ShowProgress("", 3, true);
    EXPECT_EQ(s.Progress().Text, "Подождите пожалуйста...");
    try {
        s.ShowProgress("x", 1, false);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Окно индикатора уже создано!");
    }
    s.StepProgress(2);
    s.StepProgress(5);
    EXPECT_EQ(s.Progress().Position, 3);
    s.CancelProgress();
    EXPECT_TRUE(s.ProgressCancelled());
    s.HideProgress();
    EXPECT_FALSE(s.Progress().Open);
    s.ShowProgress("y", 1, false);
    s.CancelProgress();  // no button, no cancel
    EXPECT_FALSE(s.ProgressCancelled());
}

TEST(Shell, DeleteQuestionAndSwitches) {
    TRecordingShell s;
    s.Answers = {false};
    EXPECT_FALSE(s.AskDeleteRecords(1));
    EXPECT_TRUE(s.AskDeleteRecords(3));
    EXPECT_EQ(s.Messages[0].Text, "Удалить выделенную запись?");
    EXPECT_EQ(s.Messages[1].Text, "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?");
    EXPECT_EQ(s.Messages[1].Kind, TMessageKind::AskDelete);
    EXPECT_STREQ(MessageCaption(TMessageKind::AskDelete), "Предупреждение");

    for (const char* p : {"loadonly", "/LOADONLY", "-loadonly", "--loadonly", "\\loadonly", "--LoadOnly"})
        EXPECT_TRUE(TSwitches::Parse({p}).LoadOnly) << p;
    for (const char* p : {"---loadonly", "loadonlyx", "//loadonly", "load"})
        EXPECT_FALSE(TSwitches::Parse({p}).LoadOnly) << p;
    TSwitches sw = TSwitches::Parse({"/restart", "-NO-LANGUAGE", "fullrefresh"});
    EXPECT_TRUE(sw.Restart && sw.NoLanguage && sw.FullRefresh && !sw.FullRecreate);
}
