#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "FakeUpdateServer.h"
#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "core/IniFile.h"
#include "views/Commands.h"
#include "views/dialogs/FrmUpdateInformer.h"

using namespace qx;
using namespace qx::test;
using namespace qx::fake;
namespace fs = std::filesystem;

namespace {

struct TInformerSeen {
    QString Caption, Current, New, Description, InstallHint, RefuseHint;
};

} // namespace

class UpdateViews : public MainWindowFixture {
protected:
    TFakeUpdateServer Server;
    int Restarts = 0;
    bool RestartWorks = true;
    TInformerSeen Seen;

    void SetUp() override {
        WriteBytes(Dir / "Quadrix_4d10", "#!/bin/sh\necho old\n");
        const std::string package = PackageScript({{"Quadrix_4d10", "#!/bin/sh\necho new\n", 0755}, {"new.txt", "new"}});
        const std::string url = Server.AddPackage("p.upd", {package});
        Server.SetConfig("[Quadrix_4d10]\nDescription=Версия 58\n" + PackageKeys("2.1.0.58", url, package));
        Server.SetDescription("UpdDescr_RUS_2.1.0.58.txt", "Первая строка\nВторая строка\n");
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) {
            ini.WriteString("ONLINE", "UpdateUrl", Server.BaseUrl());
            ini.WriteString("ONLINE", "CaFile", Server.CaFile());
        });
    }
    // The window, its start-up check switched off unless asked for.
    void OpenWindow(bool autoUpdates = false) {
        UpdateIniFile(Dir / "Quadrix_4d10.frm",
                      [&](TIniFile& ini) { ini.WriteBool("TFormMain", "AutoUpdates", autoUpdates); });
        Window = std::make_unique<TFormMain>(Options());
        Window->Workspace().UpdateDefaults().RunningVersion = "2.1.0.57";
        Window->SetRestarter([this] {
            ++Restarts;
            return RestartWorks;
        });
        Window->show();
        ASSERT_TRUE(WaitUntil([&] { return Window->Started() || Window->QuitRequested(); }));
        Window->Commands().Evaluate();
    }
    // Answers the informer with the button after noting what it shows.
    void ThenInformer(bool install) {
        Modal.Then([this, install](QWidget* w) {
            auto* dialog = dynamic_cast<TfrmUpdateInformer*>(w);
            ASSERT_NE(dialog, nullptr);
            Seen.Caption = dialog->windowTitle();
            Seen.Current = dialog->findChild<QLineEdit*>("edVersionCur")->text();
            Seen.New = dialog->findChild<QLineEdit*>("edVersionNew")->text();
            Seen.Description = dialog->findChild<QPlainTextEdit*>("edVersionDsc")->toPlainText();
            Seen.InstallHint = dialog->InstallButton()->toolTip();
            Seen.RefuseHint = dialog->RefuseButton()->toolTip();
            (install ? dialog->InstallButton() : dialog->RefuseButton())->click();
        });
    }
};

TEST_F(UpdateViews, TheInformerShowsBothVersionsAndRefusalChangesNothing) {
    OpenWindow();
    ThenInformer(false);
    Action("CheckUpdate")->trigger();
    EXPECT_TRUE(Modal.Done());
    EXPECT_EQ(Seen.Caption, "Найдена новая версия программы");
    EXPECT_EQ(Seen.Current, "2.1.0.57");
    EXPECT_EQ(Seen.New, "Версия 58");
    EXPECT_EQ(Seen.Description, "Первая строка\nВторая строка\n");
    EXPECT_EQ(Seen.InstallHint, "Установить это обновление");
    EXPECT_EQ(Seen.RefuseHint, "Отказаться от обновления");
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "#!/bin/sh\necho old\n");
    EXPECT_FALSE(fs::exists(Dir / "new.txt"));
    EXPECT_EQ(Restarts, 0);
    EXPECT_FALSE(Window->QuitRequested());
}

TEST_F(UpdateViews, ConsentInstallsWarnsAndRestarts) {
    OpenWindow();
    ThenInformer(true);
    Modal.ThenAnswer(QMessageBox::Ok);
    Action("CheckUpdate")->trigger();
    ASSERT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Внимание!");
    EXPECT_EQ(Modal.Boxes[0].Text.toStdString(),
              "Установка обновления \"Версия 58\" успешно выполнена.\n\nДля завершения установки необходимо "
              "перезапустить программу!");
    EXPECT_EQ(ReadBytes(Dir / "new.txt"), "new");
    EXPECT_EQ(Restarts, 1);
    EXPECT_TRUE(Window->QuitRequested());
}

TEST_F(UpdateViews, ANewProgramThatDoesNotStartGivesTheOldFilesBack) {
    OpenWindow();
    RestartWorks = false;
    ThenInformer(true);
    Modal.ThenAnswer(QMessageBox::Ok);
    Modal.ThenAnswer(QMessageBox::Ok);
    Action("CheckUpdate")->trigger();
    ASSERT_TRUE(Modal.Done());
    ASSERT_EQ(Modal.Boxes.size(), 2u);
    EXPECT_EQ(Modal.Boxes[1].Text.toStdString(),
              "Не удалось запустить программу \"" + (Dir / "Quadrix_4d10").string() + "\"!");
    EXPECT_EQ(ReadBytes(Dir / "Quadrix_4d10"), "#!/bin/sh\necho old\n");
    EXPECT_FALSE(fs::exists(Dir / "new.txt"));
    EXPECT_FALSE(Window->QuitRequested());
}

TEST_F(UpdateViews, TheStartUpCheckIsQuietAndAnInstalledUpdateRestarts) {
    // Nothing newer: no box at all.
    Server.SetConfig("[Quadrix_4d10]\nVerId=2.1.0.57\n");
    OpenWindow(true);
    EXPECT_TRUE(Modal.Boxes.empty());
    EXPECT_TRUE(Action("AutoSelfUpdate")->isChecked());
    Close();

    // The server fails: still no box.
    Server.SetConfigStatus(500);
    OpenWindow(true);
    EXPECT_TRUE(Modal.Boxes.empty());
    Close();

    Server.SetConfigStatus(200);
    const std::string package = PackageScript({{"new.txt", "new"}});
    Server.SetConfig("[Quadrix_4d10]\nDescription=Версия 58\n" +
                     PackageKeys("2.1.0.58", Server.AddPackage("q.upd", {package}), package));
    ThenInformer(true);
    Modal.ThenAnswer(QMessageBox::Ok);
    OpenWindow(true);
    EXPECT_TRUE(Modal.Done());
    EXPECT_EQ(ReadBytes(Dir / "new.txt"), "new");
    EXPECT_EQ(Restarts, 1);
    EXPECT_TRUE(Window->QuitRequested());
}

TEST_F(UpdateViews, AutomaticUpdatingTogglesAndIsWrittenAtOnce) {
    Server.SetConfig("[Quadrix_4d10]\n");
    OpenWindow(true);
    QAction* toggle = Action("AutoSelfUpdate");
    ASSERT_TRUE(toggle->isEnabled());
    EXPECT_TRUE(Action("CheckUpdate")->isEnabled());
    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadBool("TFormMain", "AutoUpdates", true));
    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadBool("TFormMain", "AutoUpdates", false));
}
