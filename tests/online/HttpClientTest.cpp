#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "Deflate.h"
#include "FakeHttpServer.h"
#include "RawResponder.h"
#include "core/Error.h"
#include "online/HttpClient.h"
#include "online/OnlineTestSupport.h"

using namespace qx;
using namespace qx::fake;
using namespace qx::test;

namespace {

std::string RawAnswer(const std::string& headers, const std::string& body) {
    return "HTTP/1.1 200 OK\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

const std::string kText = std::string(3000, 'a') + " the page text " + std::string(3000, 'z');

} // namespace

TEST(HttpClient, DefaultsAreTheProgramsTimeOutsAndLimits) {
    const THttpOptions o;
    EXPECT_EQ(o.ConnectTimeoutMs, 5000);
    EXPECT_EQ(o.ReadTimeoutMs, 10000);
    EXPECT_EQ(o.MaxRedirects, 10);
    EXPECT_EQ(o.MaxBodyBytes, 32u << 20);
}

TEST(HttpClient, SendsTheCommonHeadersKeepsCookiesAndPostsForms) {
    TFakeHttpServer server;
    server.Server().Get("/first", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Set-Cookie", "session=abc; Path=/");
        res.set_content(kText, "text/html");
    });
    server.Server().Get("/second", [](const httplib::Request&, httplib::Response& res) { res.set_content("ok", "text/plain"); });
    server.Server().Post("/form", [](const httplib::Request& req, httplib::Response& res) { res.set_content(req.body, "text/plain"); });
    server.Start();

    THttpClient client(QuickHttp());
    EXPECT_EQ(client.Get(server.BaseUrl() + "/first"), kText);  // gzipped by the server, inflated here
    EXPECT_EQ(client.Get(server.BaseUrl() + "/second"), "ok");
    EXPECT_EQ(client.PostForm(server.BaseUrl() + "/form", {{"a b", "х&y"}, {"n", "1"}}), "a%20b=%D1%85%26y&n=1");

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].Header("Accept"), kHttpAccept);
    EXPECT_EQ(requests[0].Header("Accept-Encoding"), "gzip, deflate, sdch");
    EXPECT_EQ(requests[0].Header("User-Agent"), kHttpUserAgent);
    EXPECT_EQ(requests[1].Header("Cookie"), "session=abc");
    EXPECT_EQ(requests[2].Method, "POST");
    EXPECT_EQ(requests[2].Header("Content-Type"), "application/x-www-form-urlencoded");
    // A second client has cookies of its own.
    THttpClient other(QuickHttp());
    other.Get(server.BaseUrl() + "/second");
    EXPECT_FALSE(server.Requests().back().HasHeader("Cookie"));
}

TEST(HttpClient, InflatesBothDeflateFormsAndFollowsRedirects) {
    for (int windowBits : {15, -15}) {
        TRawResponder raw(TRawResponder::Reply(RawAnswer("Content-Encoding: deflate\r\n", Deflated(kText, windowBits))));
        THttpClient client(QuickHttp());
        EXPECT_EQ(client.Get(raw.BaseUrl() + "/"), kText) << "window bits " << windowBits;
    }
    TFakeHttpServer server;
    server.Server().Get(R"(/hop/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
        const int n = std::stoi(req.matches[1]);
        if (n > 0)
            res.set_redirect("/hop/" + std::to_string(n - 1));
        else
            res.set_content("arrived", "text/plain");
    });
    server.Server().Get("/loop", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/loop"); });
    server.Start();
    THttpClient client(QuickHttp());
    EXPECT_EQ(client.Get(server.BaseUrl() + "/hop/10"), "arrived");
    EXPECT_NE(FailureOf(client, server.BaseUrl() + "/hop/11"), "");
    EXPECT_NE(FailureOf(client, server.BaseUrl() + "/loop"), "");
}

TEST(HttpClient, EveryBrokenAnswerFailsWithAReason) {
    const std::string chunkedHead = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Type: text/html\r\n\r\n";
    struct TCase {
        const char* Name;
        TRawResponder::TScript Script;
    } cases[] = {
        {"short body", TRawResponder::Reply("HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\nonly this")},
        {"cut chunk", TRawResponder::Reply(chunkedHead + "100\r\nnot a hundred bytes")},
        {"chunked body without its end", TRawResponder::Reply(chunkedHead + "5\r\nhello\r\n")},
        {"garbage status line", TRawResponder::Reply("HELLO THERE\r\n\r\nbody")},
        {"silence", TRawResponder::Silent()},
        {"endless body", TRawResponder::Endless(chunkedHead)},
        {"status 500", TRawResponder::Reply("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n")},
    };
    for (auto& c : cases) {
        TRawResponder raw(c.Script);
        THttpClient client(QuickHttp());
        client.Options().MaxBodyBytes = 1 << 20;
        const auto start = std::chrono::steady_clock::now();
        const std::string reason = FailureOf(client, raw.BaseUrl() + "/");
        EXPECT_NE(reason, "") << c.Name;
        // Bounded by the read time-out, not by the peer.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.Name;
        if (std::string(c.Name) == "status 500") {
            EXPECT_EQ(reason, "HTTP/1.1 500 Internal Server Error");
        }
    }
    THttpClient client(QuickHttp());
    EXPECT_NE(FailureOf(client, "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/"), "");
}

TEST(HttpClient, AnAnswerOverTheCapIsRefusedWithOrWithoutItsLength) {
    TFakeHttpServer server;
    server.Server().Get("/big", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(5000, 'x'), "application/octet-stream");
    });
    server.Server().Get("/fits", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(1000, 'x'), "application/octet-stream");
    });
    server.Start();
    THttpClient client(QuickHttp());
    client.Options().MaxBodyBytes = 1000;
    EXPECT_EQ(client.Get(server.BaseUrl() + "/fits").size(), 1000u);
    EXPECT_EQ(FailureOf(client, server.BaseUrl() + "/big"), "Answer larger than 1000 bytes");
    TRawResponder endless(TRawResponder::Endless("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"));
    EXPECT_EQ(FailureOf(client, endless.BaseUrl() + "/"), "Answer larger than 1000 bytes");
}

TEST(HttpClient, TheEnvironmentsProxyIsNeverUsed) {
    TFakeHttpServer server;
    server.Server().Get("/", [](const httplib::Request&, httplib::Response& res) { res.set_content("direct", "text/plain"); });
    server.Start();
    const std::string dead = "http://127.0.0.1:" + std::to_string(ClosedPort());
    setenv("http_proxy", dead.c_str(), 1);
    setenv("HTTP_PROXY", dead.c_str(), 1);
    THttpClient client(QuickHttp());
    std::string body = client.Get(server.BaseUrl() + "/");
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    EXPECT_EQ(body, "direct");
}
