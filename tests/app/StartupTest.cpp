#include "app/WorkspaceFixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/IniFile.h"

using namespace qx;
using namespace qx::test;

using Startup = WorkspaceFixture;

TEST_F(Startup, FirstStartWithNoFilesRunsOnDefaultsAndRecordsPrefetchsInit) {
    Start();
    EXPECT_TRUE(Shell.Errors().empty());
    EXPECT_EQ(Ws->Config(), TConfigData{});
    EXPECT_EQ(Ws->FormKeys().LeftPanelWidth, 335);
    TIniFile frm = TIniFile::Load(Dir / "Quadrix_4d10.frm");
    EXPECT_EQ(frm.ReadString("TFormMain", "PrefetchsInit", ""), "1");
    EXPECT_EQ(frm.ReadString("TFormMain", "PrefetchsEnabled", ""), "0");
    EXPECT_TRUE(std::filesystem::exists(Dir / "Quadrix_4d10.lsk"));
    EXPECT_FALSE(std::filesystem::exists(Dir / "Quadrix_4d10.ini"));  // written only by dialogs
}

TEST_F(Startup, ClosingKeysAreWrittenAtShutdownAndSwitchesAtOnce) {
    Start();
    Ws->FormKeys().LeftPanelWidth = 410;
    Ws->SetFormKey("ColorDraws", false);
    EXPECT_EQ(TIniFile::Load(Dir / "Quadrix_4d10.frm").ReadString("TFormMain", "ColorDraws", ""), "0");
    EXPECT_FALSE(TIniFile::Load(Dir / "Quadrix_4d10.frm").HasKey("TFormMain", "LeftPanelWidth"));
    Restart();
    EXPECT_EQ(Ws->FormKeys().LeftPanelWidth, 410);
    EXPECT_FALSE(Ws->FormKeys().ColorDraws);
}

TEST_F(Startup, ConfigurationIsWrittenOwnerOnlyAndKeepsOtherSections) {
    WriteBytes(Dir / "Quadrix_4d10.ini", "[EXPORT_EXCEL_TFormMain.lvDraws]\r\nFont=Arial\r\n[PROXY]\r\nProxyServer=p\r\n");
    Start();
    EXPECT_EQ(Ws->Proxy().ProxyMode, 2);
    TConfigData c = Ws->Config();
    c.ChannelSize = 3;
    c.Cost = 15000;
    Ws->SaveConfig(c);
    struct stat st {};
    ASSERT_EQ(stat((Dir / "Quadrix_4d10.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("EXPORT_EXCEL_TFormMain.lvDraws", "Font", ""), "Arial");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "p");
    EXPECT_EQ(ini.ReadString("STAKES", "Cost", ""), "1.5");
    Restart();
    EXPECT_EQ(Ws->Config().ChannelSize, 3);
    EXPECT_EQ(Ws->Config().Cost, 15000);
}

TEST_F(Startup, UnreadableConfigurationShowsTheMessageAndKeepsDefaults) {
    std::filesystem::create_directory(Dir / "Quadrix_4d10.ini");  // a directory cannot be read as a file
    Start();
    ASSERT_FALSE(Shell.Errors().empty());
    EXPECT_EQ(Shell.Errors()[0].rfind("Ошибка чтения файла конфигурации!\r\r", 0), 0u);
    EXPECT_EQ(Ws->Config(), TConfigData{});
}

TEST_F(Startup, SecondProcessOnTheSameDirectoryGetsTheExclusiveAccessMessage) {
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TRecordingShell shell;
        TWorkspaceOptions o;
        o.ProgramDir = Dir.Path();
        TWorkspace first(shell, o);
        first.StartFirstStage();
        char c = first.StartSecondStage() ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    TWorkspaceOptions o;
    o.ProgramDir = Dir.Path();
    TWorkspace second(Shell, o);
    second.StartFirstStage();
    EXPECT_FALSE(second.StartSecondStage());
    EXPECT_TRUE(second.QuitRequested());
    ASSERT_EQ(Shell.Errors().size(), 1u);
    // The fixed text, then the system's reason.
    EXPECT_EQ(Shell.Errors()[0].rfind(std::string(kExclusiveAccessMessage) + "\r\r", 0), 0u);

    (void)!write(release[1], &c, 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    // Once the first process is gone, the lock is free again.
    TRecordingShell shell2;
    TWorkspace third(shell2, o);
    third.StartFirstStage();
    EXPECT_TRUE(third.StartSecondStage());
}
