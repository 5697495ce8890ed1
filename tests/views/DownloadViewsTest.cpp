#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include <mutex>

#include "FakeResultsSite.h"
#include "ViewsTestSupport.h"
#include "app/Workspace.h"
#include "core/IniFile.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/MainStatusBar.h"
#include "views/QtShell.h"
#include "views/WaitWindow.h"
#include "views/dialogs/FormProxy.h"
#include "views/draws/DrawsPage.h"

using namespace qx;
using namespace qx::test;
using namespace qx::fake;

namespace {

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

TDrawsArray FirstDay(const TFakeDay& day) {
    TDrawsArray draws(2);
    for (int half = 0; half < 2; ++half) {
        const std::string& cell = half == 0 ? day.Midday : day.Evening;
        draws[half].Number = half + 1;
        for (int p = 0; p < 4; ++p) draws[half].Digits[p] = static_cast<uint8_t>(cell[p * 4] - '0');
        draws[half].SetDateLabel(half == 0 ? "01/01/2015 M" : "01/01/2015 E");
    }
    return draws;
}

} // namespace

class DownloadViews : public MainWindowFixture {
protected:
    void Configure(const std::string& url) {
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "ResultsPageUrl", url); });
    }
};

TEST_F(DownloadViews, F3FillsTheListAndThePanelsAndTheStartUpModeIsAMenuChoice) {
    const auto days = SyntheticDays(20150101, 20150110);
    TFakeResultsSite site(days);
    WriteDrawsFile(Dir / "Quadrix_4d10.ldr", FirstDay(days[0]));
    Open();
    Configure(site.BaseUrl());
    Window->Workspace().SetClock([] { return 20150110; });
    // What the window shows while the page is being fetched.
    std::mutex lock;
    QString waitText, statusText;
    site.Options().Transform = [&](std::string page) {
        std::lock_guard<std::mutex> guard(lock);
        if (TWaitWindow* wait = Window->Shell().WaitWindow()) waitText = wait->Text();
        statusText = Window->StatusPanels()->Panel(TMainStatusBar::kMessagePanel)->text();
        return page;
    };
    EXPECT_EQ(Action("DrawsDownload")->shortcut().toString(), "F3");
    ASSERT_TRUE(Window->Commands().Trigger("DrawsDownload"));
    {
        std::lock_guard<std::mutex> guard(lock);
        EXPECT_EQ(waitText, "Загрузка архива тиражей...");
        EXPECT_EQ(statusText, "Загрузка тиражей 01/01/2015 E - 01/10/2015 E...");
    }
    EXPECT_EQ(Window->Workspace().Draws().size(), 20u);
    EXPECT_EQ(Window->DrawsPage()->List()->model()->rowCount(), 20);
    EXPECT_EQ(Window->StatusPanels()->Panel(0)->text(), "Архив тиражей: 20");
    EXPECT_EQ(Window->StatusPanels()->Panel(TMainStatusBar::kMessagePanel)->text(), "");
    EXPECT_EQ(Window->Shell().WaitWindow(), nullptr);
    EXPECT_FALSE(Window->Shell().IsBusy());

    // A failure asks with the program's error caption; No ends the command.
    site.Options().Status = 500;
    Window->Workspace().SetClock([] { return 20150111; });
    Modal.ThenAnswer(QMessageBox::No);
    ASSERT_TRUE(Window->Commands().Trigger("DrawsDownload"));
    ASSERT_EQ(Modal.Boxes.size(), 1u);
    EXPECT_EQ(Modal.Boxes[0].Caption, "Ошибка");
    EXPECT_EQ(Modal.Boxes[0].Default, QMessageBox::Yes);
    EXPECT_TRUE(Modal.Boxes[0].Text.startsWith("Ошибка загрузки архива тиражей с сайта: \"HTTP/1.1 500"));

    ASSERT_TRUE(Window->Commands().Trigger("AutoDownload1"));
    EXPECT_TRUE(Action("AutoDownload1")->isChecked());
    EXPECT_FALSE(Action("AutoDownload0")->isChecked());
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "DownloadDrawsOnStart", ""), "1");
}

TEST_F(DownloadViews, TheProxyDialogEnablesFieldsForTheManualChoiceOnly) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[PROXY]\r\nProxyMode=5\r\nProxyServer=old.host\r\nProxyPort=0\r\n");
    Open();
    Modal.Then([](QWidget* w) {
        auto* dialog = dynamic_cast<TFormProxy*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Параметры proxy-сервера");
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("rbProxyOff")->isChecked());
        auto* server = dialog->findChild<QLineEdit*>("edServer");
        auto* port = dialog->findChild<QSpinBox*>("edPort");
        EXPECT_FALSE(server->isEnabled());
        EXPECT_EQ(port->value(), 80);
        EXPECT_EQ(port->minimum(), 1);
        EXPECT_EQ(port->maximum(), 65535);
        dialog->findChild<QRadioButton*>("rbProxyManual")->click();
        EXPECT_TRUE(server->isEnabled());
        EXPECT_TRUE(dialog->findChild<QLineEdit*>("edPassword")->isEnabled());
        EXPECT_EQ(dialog->findChild<QLineEdit*>("edPassword")->echoMode(), QLineEdit::Normal);
        server->setText("proxy.local");
        port->setValue(3128);
        dialog->findChild<QLineEdit*>("edUsername")->setText("me");
        dialog->findChild<QLineEdit*>("edPassword")->setText("pw");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("EditProxy"));
    TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyMode", ""), "2");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "proxy.local");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPort", ""), "3128");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPassword", ""), "pw");

    Modal.Then([](QWidget* w) {
        EXPECT_TRUE(w->findChild<QRadioButton*>("rbProxyManual")->isChecked());
        w->findChild<QRadioButton*>("rbProxyAuto")->click();
        EXPECT_FALSE(w->findChild<QLineEdit*>("edServer")->isEnabled());
        Press(w, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Window->Commands().Trigger("EditProxy"));
    ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyMode", ""), "1");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", "?"), "");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyUsername", "?"), "");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPassword", "?"), "");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPort", ""), "0");

    Modal.Then([](QWidget* w) { Press(w, QDialogButtonBox::Cancel); });
    ASSERT_TRUE(Window->Commands().Trigger("EditProxy"));
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.ini").ReadString("PROXY", "ProxyMode", ""), "1");
}
