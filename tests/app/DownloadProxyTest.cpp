#include "app/DownloadFixture.h"

#include "FakeProxyList.h"
#include "RawResponder.h"
#include "TestCa.h"
#include "TinyProxy.h"

using namespace qx;
using namespace qx::test;
using namespace qx::fake;

namespace {

TProxy Manual(int port, const std::string& user, const std::string& password) {
    TProxy p;
    p.ProxyMode = 2;
    p.ProxyServer = "127.0.0.1";
    p.ProxyPort = port;
    p.ProxyUsername = user;
    p.ProxyPassword = password;
    return p;
}

} // namespace

using DownloadProxy = DownloadFixture;

TEST_F(DownloadProxy, ManualProxyWithCredentialsCarriesTheDownloadAndAWrongPasswordEndsInTheQuestion) {
    QX_REQUIRE_TINYPROXY();
    const auto days = SyntheticDays(20150101, 20150110);
    TFakeResultsSite site(days);
    TTinyProxy proxy({"quadrix", "pa55word", ""});
    StartAt(20150110, DrawsOfDays({days[0]}));
    Configure(site.BaseUrl());
    Ws->ChangeProxy(Manual(proxy.Port(), "quadrix", "pa55word"));
    Shell.Waits.clear();
    EXPECT_EQ(Ws->DrawsDownload(), 18);
    const auto seen = site.Http().Requests().back();
    EXPECT_NE(seen.Header("Via").find("tinyproxy"), std::string::npos);
    EXPECT_FALSE(seen.HasHeader("Proxy-Authorization"));
    EXPECT_EQ(Shell.Waits[1], "Загрузка архива тиражей...\r\rПопытка 1, proxy 127.0.0.1 : " + std::to_string(proxy.Port()));

    Ws->ChangeProxy(Manual(proxy.Port(), "quadrix", "not-the-password"));
    Ws->SetClock([] { return 20150111; });
    Shell.Answers = {true, false};
    Shell.Waits.clear();
    EXPECT_EQ(Ws->DrawsDownload(), 0);
    ASSERT_EQ(Questions().size(), 2u);
    EXPECT_NE(Questions()[0].find("401"), std::string::npos) << Questions()[0];
    EXPECT_EQ(Questions()[0].find("not-the-password"), std::string::npos);
    EXPECT_EQ(Shell.Waits[2], "Загрузка архива тиражей...\r\rПопытка 2, proxy 127.0.0.1 : " + std::to_string(proxy.Port()));
}

TEST_F(DownloadProxy, HttpsPageThroughTheProxyTunnelWithTheConfiguredCa) {
    QX_REQUIRE_TINYPROXY();
    if (!TTestCa::Available()) GTEST_SKIP() << "the openssl command is not installed";
    const auto days = SyntheticDays(20150101, 20150105);
    TFakeResultsSite site(days, &TTestCa::Get().Localhost());
    TTinyProxy proxy({"quadrix", "pa55word", ""});
    StartAt(20150105, DrawsOfDays({days[0]}));
    Configure(site.BaseUrl());
    Ws->ChangeProxy(Manual(proxy.Port(), "quadrix", "pa55word"));
    Shell.Answers = {false};
    EXPECT_EQ(Ws->DrawsDownload(), 0);  // the fake's authority is not trusted yet
    EXPECT_EQ(Questions().size(), 1u);
    Configure(site.BaseUrl(), "CaFile=" + TTestCa::Get().CaFile().string());
    EXPECT_EQ(Ws->DrawsDownload(), 8);
}

TEST_F(DownloadProxy, AutomaticModeTriesCandidatesSilentlyAndKeepsTheOneThatWorked) {
    QX_REQUIRE_TINYPROXY();
    const auto days = SyntheticDays(20150101, 20150110);
    TFakeResultsSite site(days);
    TRawResponder silent(TRawResponder::Silent());
    TTinyProxy deadEnd({"", "", "127.0.0.1:" + std::to_string(ClosedPort())});
    TTinyProxy working;
    TFakeProxyList list({{"127.0.0.1", ClosedPort()},
                         {"127.0.0.1", silent.Port()},
                         {"127.0.0.1", deadEnd.Port()},
                         {"127.0.0.1", working.Port()}});
    StartAt(20150105, DrawsOfDays({days[0]}));
    Configure(site.BaseUrl(), "ProxyListUrl=" + list.ListUrl());
    TProxy automatic;
    automatic.ProxyMode = 1;
    automatic.ProxyServer = "ignored";
    automatic.ProxyPassword = "ignored";
    Ws->ChangeProxy(automatic);
    TIniFile ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", "?"), "");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPassword", "?"), "");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPort", "?"), "0");

    Shell.Waits.clear();
    EXPECT_EQ(Ws->DrawsDownload(), 8);
    EXPECT_TRUE(Shell.Messages.empty());
    EXPECT_EQ(list.Queries().size(), 1u);
    EXPECT_EQ(list.Queries()[0], "protocol=http&protocol=https&min_uptime=75&max_response_time=0");
    EXPECT_EQ(Shell.Waits[1], "Загрузка архива тиражей...\r\rПоиск proxy-серверов");
    EXPECT_EQ(Shell.Waits.end()[-2],
              "Загрузка архива тиражей...\r\rПопытка 4, proxy 127.0.0.1 : " + std::to_string(working.Port()));
    ini = TIniFile::Load(Dir / "Quadrix_4d10.ini");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyMode", ""), "1");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "127.0.0.1");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyPort", ""), std::to_string(working.Port()));
    EXPECT_TRUE(Ws->Proxy().Candidates.empty());

    // The next run keeps the proxy and asks no list.
    Restart();
    Ws->SetClock([] { return 20150110; });
    EXPECT_EQ(Ws->DrawsDownload(), 10);
    EXPECT_EQ(list.Queries().size(), 1u);
    EXPECT_NE(site.Http().Requests().back().Header("Via").find("tinyproxy"), std::string::npos);
}

TEST_F(DownloadProxy, AutomaticModeWithNothingFoundSaysSoAndAsksNoQuestion) {
    TFakeResultsSite site(SyntheticDays(20150101, 20150110));
    TFakeProxyList list({});
    StartAt(20150110);
    Configure(site.BaseUrl(), "ProxyListUrl=" + list.ListUrl());
    TProxy automatic;
    automatic.ProxyMode = 1;
    Ws->ChangeProxy(automatic);
    const std::string ldr = FileBytes("Quadrix_4d10.ldr");
    EXPECT_EQ(Ws->DrawsDownload(), 0);
    EXPECT_EQ(Shell.Errors(), std::vector<std::string>{"Ошибка получения списка proxy-серверов!\r\rНе найдено ни "
                                                       "одного proxy-сервера с заданными параметрами"});
    EXPECT_TRUE(Questions().empty());
    EXPECT_TRUE(site.Http().Requests().empty());
    EXPECT_EQ(FileBytes("Quadrix_4d10.ldr"), ldr);
    // No list address: the same message with its reason.
    Configure(site.BaseUrl(), "ProxyListUrl=");
    Shell.Messages.clear();
    Ws->DrawsDownload();
    EXPECT_EQ(Shell.Errors(), std::vector<std::string>{"Ошибка получения списка proxy-серверов!\r\rАдрес сервера не задан"});
}

TEST_F(DownloadProxy, StartUpDownloadsAsTheStoredModeSays) {
    const auto days = SyntheticDays(20150101, 20150110);
    TFakeResultsSite site(days);
    const std::string ask = "Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее подключение к сети Интернет.";
    auto Questions = [&] { return Shell.Texts(TMessageKind::AskYes); };
    // Not configured: no question whatever the mode.
    Start(DrawsOfDays({days[0]}));
    EXPECT_TRUE(Questions().empty());
    Configure(site.BaseUrl());
    Shell.Answers = {false};
    Restart();  // mode 0 asks; No leaves everything
    EXPECT_EQ(Questions(), std::vector<std::string>{ask});
    EXPECT_TRUE(site.Ranges().empty());
    Ws->SetFormKey("DownloadDrawsOnStart", 2);
    Shell.Messages.clear();
    Restart();
    EXPECT_TRUE(Questions().empty());
    EXPECT_TRUE(site.Ranges().empty());
    Ws->SetFormKey("DownloadDrawsOnStart", 1);  // downloads without asking (today is after the site's days)
    Restart();
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(Ws->Draws().size(), 20u);

    // loadonly downloads and asks to quit.
    TTempDir other;
    TRecordingShell shell;
    TWorkspaceOptions o;
    o.ProgramDir = other.Path();
    o.Switches.LoadOnly = true;
    WriteDrawsFile(other / "Quadrix_4d10.ldr", DrawsOfDays({days[0]}));
    UpdateIniFile(other / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "ResultsPageUrl", site.BaseUrl()); });
    TWorkspace ws(shell, o);
    ws.StartFirstStage();
    EXPECT_FALSE(ws.StartSecondStage());
    EXPECT_TRUE(ws.QuitRequested());
    EXPECT_EQ(ws.Draws().size(), 20u);
}
