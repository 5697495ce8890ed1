#include <gtest/gtest.h>

#include "FakeHttpServer.h"
#include "RawResponder.h"
#include "TestCa.h"
#include "TinyProxy.h"
#include "core/Error.h"
#include "online/HttpClient.h"
#include "online/OnlineTestSupport.h"

using namespace qx;
using namespace qx::fake;
using namespace qx::test;

namespace {

void ServeHello(TFakeHttpServer& server) {
    server.Server().Get("/hello", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("hello", "text/plain");
    });
    server.Start();
}

} // namespace

TEST(Tls, CertificatesAreCheckedAgainstTheSystemAndTheExtraCaFile) {
    if (!TTestCa::Available()) GTEST_SKIP() << "the openssl command is not installed";
    const TTestCa& ca = TTestCa::Get();
    TFakeHttpServer good(&ca.Localhost());
    ServeHello(good);
    TFakeHttpServer otherName(&ca.OtherName());
    ServeHello(otherName);

    THttpClient plain(QuickHttp(2000));
    EXPECT_NE(FailureOf(plain, good.BaseUrl() + "/hello"), "");  // unknown authority

    THttpOptions withCa = QuickHttp(2000);
    withCa.CaFile = ca.CaFile().string();
    THttpClient trusting(withCa);
    EXPECT_EQ(trusting.Get(good.BaseUrl() + "/hello"), "hello");
    EXPECT_NE(FailureOf(trusting, otherName.BaseUrl() + "/hello"), "");  // a certificate for another name
}

TEST(Proxy, ManualProxyWithCredentialsCarriesHttpAndHttpsAndHidesThePassword) {
    QX_REQUIRE_TINYPROXY();
    TFakeHttpServer site;
    ServeHello(site);
    TTinyProxy proxy({"quadrix", "s3cret", ""});

    THttpOptions options = QuickHttp(2000);
    THttpClient client(options);
    client.SetProxy({"127.0.0.1", proxy.Port(), "quadrix", "s3cret"});
    EXPECT_EQ(client.Get(site.BaseUrl() + "/hello"), "hello");
    const auto seen = site.Requests().back();
    EXPECT_NE(seen.Header("Via").find("tinyproxy"), std::string::npos) << seen.Header("Via");
    EXPECT_FALSE(seen.HasHeader("Proxy-Authorization"));

    client.SetProxy({"127.0.0.1", proxy.Port(), "quadrix", "wrong-pass"});
    std::string reason = FailureOf(client, site.BaseUrl() + "/hello");
    EXPECT_NE(reason.find("401"), std::string::npos) << reason;
    EXPECT_EQ(reason.find("wrong-pass"), std::string::npos);
    client.SetProxy({"127.0.0.1", proxy.Port(), "", ""});
    reason = FailureOf(client, site.BaseUrl() + "/hello");
    EXPECT_NE(reason.find("407"), std::string::npos) << reason;

    if (!TTestCa::Available()) GTEST_SKIP() << "the openssl command is not installed";
    TFakeHttpServer secure(&TTestCa::Get().Localhost());
    ServeHello(secure);
    options.CaFile = TTestCa::Get().CaFile().string();
    THttpClient tunnel(options);
    tunnel.SetProxy({"127.0.0.1", proxy.Port(), "quadrix", "s3cret"});
    EXPECT_EQ(tunnel.Get(secure.BaseUrl() + "/hello"), "hello");  // through CONNECT
    tunnel.SetProxy({"127.0.0.1", proxy.Port(), "quadrix", "wrong-pass"});
    reason = FailureOf(tunnel, secure.BaseUrl() + "/hello");
    EXPECT_NE(reason, "");
    EXPECT_EQ(reason.find("wrong-pass"), std::string::npos);
}

TEST(Proxy, AProxyWithAClosedUpstreamAnswers502) {
    QX_REQUIRE_TINYPROXY();
    TFakeHttpServer site;
    ServeHello(site);
    TTinyProxy proxy({"", "", "127.0.0.1:" + std::to_string(ClosedPort())});
    THttpClient client(QuickHttp(2000));
    client.SetProxy({"127.0.0.1", proxy.Port(), "", ""});
    EXPECT_NE(FailureOf(client, site.BaseUrl() + "/hello").find("502"), std::string::npos);
    EXPECT_TRUE(site.Requests().empty());
}
