#include <gtest/gtest.h>

#include "FakeProxyList.h"
#include "core/Error.h"
#include "online/HttpClient.h"
#include "online/ProxyList.h"

using namespace qx;
using namespace qx::fake;

namespace {

std::vector<TFakeProxyRow> Rows(int n, int firstPort = 3000) {
    std::vector<TFakeProxyRow> rows;
    for (int i = 0; i < n; ++i) rows.push_back({"10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1), firstPort + i});
    return rows;
}

std::vector<std::string> Texts(const std::vector<TFakeProxyRow>& rows) {
    std::vector<std::string> t;
    for (const auto& r : rows) t.push_back(r.Host + ":" + std::to_string(r.Port));
    return t;
}

} // namespace

TEST(ProxyList, QueriesAskForTheTargetsProtocolsAndPageOffsets) {
    const TProxyListQuery http = ProxyQueryFor("http://results.example/");
    const TProxyListQuery https = ProxyQueryFor("https://results.example/");
    EXPECT_EQ(ProxyListQueryText(http, 1), "protocol=http&protocol=https&min_uptime=75&max_response_time=0");
    EXPECT_EQ(ProxyListQueryText(https, 1), "protocol=https&min_uptime=75&max_response_time=0");
    EXPECT_EQ(ProxyListQueryText(https, 3), "protocol=https&min_uptime=75&max_response_time=0&offset=30");
    TProxyListQuery all;
    all.Protocols = 15;
    all.Anonymity = 5;
    all.Countries = {"DE", "RU"};
    all.MinUptime = 0;
    all.MaxResponseMs = 2500;
    EXPECT_EQ(ProxyListQueryText(all, 1),
              "protocol=http&protocol=https&protocol=socks4&protocol=socks5&anonlvl=1&anonlvl=3&country=DE&country=RU&"
              "max_response_time=2");
    TProxyListQuery none;
    none.Protocols = 0;
    none.MinUptime = 0;
    none.MaxResponseMs = 0;
    EXPECT_EQ(ProxyListPageAddress("http://list.example/p", none, 1), "http://list.example/p");
    EXPECT_EQ(ProxyListPageAddress("http://list.example/p", https, 2),
              "http://list.example/p?protocol=https&min_uptime=75&max_response_time=0&offset=15");
}

TEST(ProxyList, RowsGiveHostAndPortAndUnreadableRowsArePassedOver) {
    const auto rows = Rows(5);
    TProxyListPage page = ParseProxyListPage(ProxyListHtml(rows, 1234));
    EXPECT_EQ(page.Rows, 5);
    EXPECT_EQ(page.Candidates, Texts(rows));
    EXPECT_EQ(ParseProxyListPage(ProxyListHtml(rows, 1234), 3002).Candidates, std::vector<std::string>{"10.0.0.3:3002"});

    std::string html = ProxyListHtml(Rows(6), 0);
    auto spoil = [&](const std::string& from, const std::string& to, int occurrence) {
        size_t at = std::string::npos;
        for (int i = 0; i <= occurrence; ++i) at = html.find(from, at == std::string::npos ? 0 : at + 1);
        ASSERT_NE(at, std::string::npos);
        html.replace(at, from.size(), to);
    };
    spoil("\\x", "\\q", 0);                     // row 1: not a hex escape
    spoil("pp = (3001", "pp = (70000", 0);      // row 2: port beyond 65535
    spoil("pp = (3002", "pp = (-3002", 0);      // row 3: port below 1
    spoil("'.split", "/x'.split", 3);           // row 4: a host with a slash
    spoil("atob('", "atob('\\x3d\\x3d", 4);    // row 5: "==" in front is no Base64
    page = ParseProxyListPage(html);
    EXPECT_EQ(page.Rows, 6);
    EXPECT_EQ(page.Candidates, std::vector<std::string>{"10.0.0.6:3005"});

    EXPECT_EQ(ParseProxyListPage("<html>no table</html>").Rows, 0);
    EXPECT_EQ(ParseProxyListPage("<tbody><tr><td>x</td></tr><tr></tr>").Rows, 0);  // a body that never ends
}

TEST(ProxyList, DiscoveryPagesUntilThirtyOrAShortPageOrNothingNew) {
    THttpClient client;
    {
        TFakeProxyList list(Rows(29));  // pages of 15 and 14 rows
        EXPECT_EQ(DiscoverProxies(client, list.ListUrl(), "http://x/"), Texts(Rows(29)));
        const auto q = list.Queries();
        ASSERT_EQ(q.size(), 2u);
        EXPECT_EQ(q[0], "protocol=http&protocol=https&min_uptime=75&max_response_time=0");
        EXPECT_EQ(q[1], q[0] + "&offset=15");
    }
    {
        TFakeProxyList list(Rows(100));
        auto found = DiscoverProxies(client, list.ListUrl(), "https://x/");
        EXPECT_EQ(found.size(), 30u);
        EXPECT_EQ(list.Queries().size(), 2u);
        EXPECT_EQ(list.Queries()[0], "protocol=https&min_uptime=75&max_response_time=0");
    }
    {
        TFakeProxyList list(Rows(14));
        EXPECT_EQ(DiscoverProxies(client, list.ListUrl(), "http://x/").size(), 14u);
        EXPECT_EQ(list.Queries().size(), 1u);
    }
    {
        TFakeProxyList list(Rows(40));
        list.Options().IgnoreOffset = true;  // the same 15 rows on every page
        EXPECT_EQ(DiscoverProxies(client, list.ListUrl(), "http://x/"), Texts(std::vector(Rows(15))));
        EXPECT_EQ(list.Queries().size(), 2u);
    }
    {
        TFakeProxyList list(Rows(40));
        list.Options().BrokenRows = true;
        EXPECT_TRUE(DiscoverProxies(client, list.ListUrl(), "http://x/").empty());
        EXPECT_EQ(list.Queries().size(), 1u);
        list.Options().BrokenRows = false;
        list.Options().NoBody = true;
        EXPECT_TRUE(DiscoverProxies(client, list.ListUrl(), "http://x/").empty());
    }
    EXPECT_THROW(DiscoverProxies(client, "", "http://x/"), TAppError);
}
