#include <gtest/gtest.h>

#include <sstream>

#include "FakeProxyList.h"
#include "FakeResultsSite.h"
#include "TinyProxy.h"
#include "cli/Commands.h"
#include "core/IniFile.h"
#include "support/TestSupport.h"

using namespace qx;
using namespace qx::fake;
using qx::test::TTempDir;

namespace {

struct CliRun {
    int Code;
    std::string Out, Err;
};

CliRun Cli(const TTempDir& dir, std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), {"--dir", dir.Path().string()});
    std::ostringstream out, err;
    std::istringstream in(input);
    int code = RunCli(args, out, err, &in);
    return {code, out.str(), err.str()};
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A program directory holding the first days and pointing at the site.
void Prepare(const TTempDir& dir, const std::vector<TFakeDay>& stored, const std::string& url) {
    qx::test::WriteBytes(dir / "first.csv", CsvOfDays(stored));
    ASSERT_EQ(Cli(dir, {"draws", "import", (dir / "first.csv").string()}).Code, 0);
    UpdateIniFile(dir / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "ResultsPageUrl", url); });
}

} // namespace

TEST(CliDownload, DownloadsThenFailsWithABoundedNumberOfRetries) {
    const auto days = SyntheticDays(20150101, 20150110);
    TFakeResultsSite site(days);
    TTempDir dir;
    Prepare(dir, {days[0]}, site.BaseUrl());
    CliRun r = Cli(dir, {"draws", "download", "--today", "20150110"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "Тиражи 01/01/2015 - 01/10/2015: новых 18\nДобавлено тиражей: 18\n");
    EXPECT_NE(Cli(dir, {"info"}).Out.find("Архив тиражей: 20"), std::string::npos);

    site.Options().Status = 500;
    r = Cli(dir, {"draws", "download", "--today", "20150111", "--retries", "2"});
    EXPECT_NE(r.Code, 0);
    EXPECT_EQ(Count(r.Err, "Повторить попытку? Да"), 2u) << r.Err;
    EXPECT_EQ(Count(r.Err, "Повторить попытку? Нет"), 1u);
    EXPECT_EQ(site.Ranges().size(), 4u);
    EXPECT_NE(r.Err.find("500"), std::string::npos);
    EXPECT_NE(Cli(dir, {"draws", "download", "--today", "2015-01-11"}).Code, 0);
}

TEST(CliProxy, SetShowAndDiscoverWithoutEverPrintingThePassword) {
    TTempDir dir;
    CliRun r = Cli(dir, {"proxy", "set", "manual", "--server", "proxy.local", "--port", "3128", "--user", "me",
                         "--password-stdin"},
                   "top-secret\n");
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "Режим: manual\nСервер: proxy.local\nПорт: 3128\nПользователь: me\nПароль: задан\n");
    EXPECT_EQ(TIniFile::Load(dir / "Quadrix_4d10.ini").ReadString("PROXY", "ProxyPassword", ""), "top-secret");
    EXPECT_EQ(Cli(dir, {"proxy", "show"}).Out.find("top-secret"), std::string::npos);
    EXPECT_NE(Cli(dir, {"proxy", "set", "manual", "--port", "70000"}).Code, 0);
    EXPECT_NE(Cli(dir, {"proxy", "set", "sometimes"}).Code, 0);
    r = Cli(dir, {"proxy", "set", "auto"});
    EXPECT_EQ(r.Out, "Режим: auto\nСервер: \nПорт: 0\nПользователь: \nПароль: не задан\n");

    TFakeProxyList list({{"10.1.2.3", 8080}, {"proxy.example", 3128}});
    UpdateIniFile(dir / "Quadrix_4d10.ini", [&](TIniFile& ini) { ini.WriteString("ONLINE", "ProxyListUrl", list.ListUrl()); });
    r = Cli(dir, {"proxy", "discover", "--target", "https://results.example/"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "10.1.2.3:8080\nproxy.example:3128\nНайдено proxy-серверов: 2\n");
    EXPECT_EQ(list.Queries().back(), "protocol=https&min_uptime=75&max_response_time=0");
    list.Options().NoBody = true;
    r = Cli(dir, {"proxy", "discover"});
    EXPECT_NE(r.Code, 0);
    EXPECT_NE(r.Err.find("Не найдено ни одного proxy-сервера с заданными параметрами"), std::string::npos);
}

TEST(CliDownload, ThroughARealProxyWithCredentials) {
    QX_REQUIRE_TINYPROXY();
    const auto days = SyntheticDays(20150101, 20150110);
    TFakeResultsSite site(days);
    TTinyProxy proxy({"quadrix", "pa55", ""});
    TTempDir dir;
    Prepare(dir, {days[0]}, site.BaseUrl());
    ASSERT_EQ(Cli(dir, {"proxy", "set", "manual", "--server", "127.0.0.1", "--port", std::to_string(proxy.Port()),
                        "--user", "quadrix", "--password-stdin"},
                  "pa55\n")
                  .Code,
              0);
    CliRun r = Cli(dir, {"draws", "download", "--today", "20150110"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_NE(r.Out.find("Добавлено тиражей: 18"), std::string::npos);
    EXPECT_NE(site.Http().Requests().back().Header("Via").find("tinyproxy"), std::string::npos);
}
