// The nine catalogue requests against the fake catalogue: what goes out, what comes back, and
// every way an answer can fail.
#include <gtest/gtest.h>

#include "FakeCatalogue.h"
#include "OnlineTestSupport.h"
#include "TestCa.h"
#include "core/Base64.h"
#include "core/Error.h"
#include "core/Text.h"
#include "core/UrlEncode.h"
#include "online/CatalogueClient.h"
#include "online/CatalogueText.h"
#include "online/ScriptCatalogue.h"
#include "online/SystemCatalogue.h"

namespace qx {
namespace {

using fake::TCatalogueFault;
using fake::TFakeCatalogue;

const char* kAppId = "{5B7E2C94-31D8-4A6F-9E02-C4A18F6D3B70}";

TCatalogueIdentity Me() { return {kAppId, "2.1.0.7", "Пётр", "Petr@Example.org", 1049}; }

class CatalogueRequests : public ::testing::Test {
protected:
    TFakeCatalogue Fake;
    TCatalogueClient Client{Fake.BaseUrl(), Me(), test::QuickHttp()};

    std::string Failure(const std::function<void()>& request) {
        try {
            request();
        } catch (const TAppError& e) {
            return e.what();
        }
        return {};
    }
    void ExpectAccepted() {
        for (const auto& call : Fake.Calls()) EXPECT_EQ(call.Refused, "") << call.Path;
    }
    int SeedScript(const std::string& mail, bool universal, const std::string& guid) {
        fake::TFakeScript s;
        s.Author = "Автор";
        s.AuthorMail = mail;
        s.Universal = universal;
        s.AppGuid = guid;
        s.Title = "Заголовок";
        s.Script = "A\r\nB";
        return Fake.AddScript(s);
    }
};

TEST_F(CatalogueRequests, FreeTextIsEscapedThenRestoredByTheServer) {
    std::string title = "Сценарий \"1\" ?'\\ ";
    for (int b = 1; b <= 13; ++b) title += static_cast<char>(b);
    title += "\x1b\x0e\x1f";
    tScriptData d;
    d.Author = "Пётр";
    d.Language = 1049;
    d.Title = title;
    d.Description = "описание\r\nвторая";
    const int id = ScriptCatalogueStore(Client, d, "L1\r\nL2 \"q\"");
    ExpectAccepted();
    ASSERT_GT(id, 0);
    const auto stored = Fake.Scripts().back();
    EXPECT_EQ(stored.Title, title);
    EXPECT_EQ(stored.Descr, d.Description);
    EXPECT_EQ(stored.Script, "L1\r\nL2 \"q\"");
    EXPECT_EQ(stored.Author, "Пётр");
    EXPECT_EQ(stored.AuthorMail, "Petr@Example.org");
    EXPECT_EQ(stored.AppGuid, kAppId);
    // A double quote gets its backslash before form encoding; Cyrillic goes as Windows-1251 bytes.
    const std::string body = Fake.Calls().back().Body;
    EXPECT_NE(body.find("scr_title=%D1%F6%E5%ED%E0%F0%E8%E9%20%5C%221%5C%22%20%5C%3F%5C%27%5C%5C%20%5C1"),
              std::string::npos)
        << body.substr(0, 300);
    EXPECT_NE(body.find("%5Ct%5Cn%5Cv%5Cf%5Cr%5Ce%0E%1F"), std::string::npos);
    // An empty title answer list lists it back with the same texts.
    const auto list = ScriptCatalogueList(Client, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Title, title);
    EXPECT_TRUE(list[0].Mine);
    EXPECT_TRUE(list[0].Editable);
}

TEST_F(CatalogueRequests, SystemUrlGoesUnescapedAndTheContentAsBase64OfEscapedText) {
    tSystemData s;
    s.Nums = 7;
    s.Block = 2;
    s.CombinationsCount = 2;
    s.Title = "Семь";
    s.Description = "d";
    s.Author = "Автор системы";
    s.AuthorEmail = "a@b.c";
    s.Url = "http://x.org/?a=\"b\"";
    s.Content = "01 02 03 04\r\n02 03 04 07";
    const int id = SystemCatalogueStore(Client, s);
    ExpectAccepted();
    EXPECT_GT(id, 0);
    const std::string body = Fake.Calls().back().Body;
    EXPECT_NE(body.find("url=http%3A%2F%2Fx.org%2F%3Fa%3D%22b%22&"), std::string::npos) << body;
    EXPECT_NE(body.find("clist=" + UrlEncode(EncodeBase64("01 02 03 04\\r\\n02 03 04 07"))), std::string::npos);
    const auto sys = Fake.Systems().back();
    EXPECT_EQ(sys.Content, s.Content);
    EXPECT_EQ(sys.Author, "Автор системы");
    EXPECT_EQ(sys.Mail, "a@b.c");  // the system's author e-mail, not the user's
    EXPECT_EQ(sys.Url, s.Url);

    const TSystemCatalogueList list = SystemCatalogueList(Client);
    ASSERT_EQ(list.Entries.size(), 1u);
    EXPECT_FALSE(list.Unavailable);
    const tSystemInfo& e = list.Entries[0];
    EXPECT_EQ(e.Id, id);
    EXPECT_EQ(int(e.Nums), 7);
    EXPECT_EQ(int(e.Block), 2);
    EXPECT_EQ(e.CombinationsCount, 2);
    EXPECT_EQ(e.Title, "Семь");
    EXPECT_EQ(e.Url, s.Url);
    EXPECT_GT(e.Created, 0);
    EXPECT_EQ(SystemCatalogueContent(Client, id).value_or(""), s.Content);
    EXPECT_EQ(SystemCatalogueDelete(Client, e), 0);
    EXPECT_TRUE(SystemCatalogueList(Client).Unavailable);
    ExpectAccepted();
}

TEST_F(CatalogueRequests, ScriptPathsRoundTrip) {
    const int mine = SeedScript("petr@example.org", false, kAppId);
    const int foreign = SeedScript("x@y.z", false, "{other}");
    const int universal = SeedScript("x@y.z", true, "{other}");
    auto list = ScriptCatalogueList(Client, 1);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(list[0].Mine && list[0].Compatible && list[0].Editable);
    EXPECT_FALSE(list[1].Mine || list[1].Compatible);
    EXPECT_TRUE(list[2].Compatible && !list[2].Editable);
    EXPECT_EQ(Fake.Calls().back().Field("fltid"), "1");
    EXPECT_EQ(Fake.Calls().back().Field("cl_lcid"), "1049");

    EXPECT_EQ(ScriptCatalogueText(Client, mine).value_or("?"), "A\r\nB");
    ScriptCatalogueRate(Client, universal, 5, "Хорошо \"очень\"");
    ScriptCatalogueRate(Client, foreign, -1, "");
    list = ScriptCatalogueList(Client, -1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Id, foreign);
    EXPECT_EQ(list[0].YourRating, -1);
    list = ScriptCatalogueList(Client, 4);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_DOUBLE_EQ(list[0].Rating, 5.0);
    const auto rates = ScriptCatalogueRates(Client, universal);
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates[0].Name, "Пётр");
    EXPECT_EQ(rates[0].Notes, "Хорошо \"очень\"");
    EXPECT_EQ(rates[0].Rate, 5);

    EXPECT_FALSE(ScriptCatalogueTitleFree(Client, -1, "Заголовок"));
    EXPECT_TRUE(ScriptCatalogueTitleFree(Client, -1, "Другой"));
    EXPECT_EQ(Failure([&] { ScriptCatalogueDelete(Client, ScriptDataOf(list[0])); }), "Код возврата: -1");
    ExpectAccepted();
}

TEST_F(CatalogueRequests, ServerRefusalsAndCodesAreFailures) {
    const int foreign = SeedScript("x@y.z", true, "");
    tScriptData d;
    d.Id = foreign;
    EXPECT_EQ(Failure([&] { ScriptCatalogueDelete(Client, d); }), "Код возврата: -1");
    EXPECT_EQ(Failure([&] { ScriptCatalogueRate(Client, 999, 3, ""); }), "Код возврата: -2");
    EXPECT_EQ(Failure([&] { ScriptCatalogueStore(Client, d, "x"); }), "Код возврата: -1");
    tSystemInfo s;
    s.Id = 42;
    EXPECT_EQ(Failure([&] { SystemCatalogueDelete(Client, s); }), "Код возврата: -1");
    EXPECT_FALSE(ScriptCatalogueText(Client, 999).has_value());
    EXPECT_FALSE(SystemCatalogueContent(Client, 999).has_value());
}

TEST_F(CatalogueRequests, EveryFaultFailsWithAReason) {
    const int id = SeedScript("x@y.z", true, "");
    Client.Http().Options().ReadTimeoutMs = 300;
    for (TCatalogueFault f : {TCatalogueFault::ServerError, TCatalogueFault::Stall, TCatalogueFault::Truncated,
                              TCatalogueFault::UnclosedTag, TCatalogueFault::ErrorRow, TCatalogueFault::BadBase64}) {
        Fake.SetFault(f);
        EXPECT_NE(Failure([&] { ScriptCatalogueList(Client, 1); }), "") << int(f);
    }
    Fake.SetFault(TCatalogueFault::ErrorRow);
    EXPECT_EQ(Failure([&] { ScriptCatalogueText(Client, id); }), "Сервер сообщил об ошибке: Доступ запрещён");
    Fake.SetFault(TCatalogueFault::ServerError);
    EXPECT_NE(Failure([&] { ScriptCatalogueText(Client, id); }).find("500"), std::string::npos);
    Fake.SetFault(TCatalogueFault::EmptyResult);
    EXPECT_EQ(Failure([&] { ScriptCatalogueRate(Client, id, 1, ""); }), kCatalogueNoCode);
    EXPECT_EQ(Failure([&] { ScriptCatalogueTitleFree(Client, id, "t"); }), kCatalogueNoCode);
    EXPECT_TRUE(ScriptCatalogueList(Client, 1).empty());
    Fake.SetFault(TCatalogueFault::NoScriptRow);
    EXPECT_FALSE(ScriptCatalogueText(Client, id).has_value());
    // An answer above the cap is refused.
    Fake.SetFault(TCatalogueFault::None);
    Client.Http().Options().MaxBodyBytes = 100;
    EXPECT_NE(Failure([&] { ScriptCatalogueList(Client, 1); }), "");
}

TEST_F(CatalogueRequests, CompressionAndRedirectsAreFollowed) {
    SeedScript("x@y.z", true, "");
    for (TCatalogueFault f : {TCatalogueFault::Gzip, TCatalogueFault::Deflate, TCatalogueFault::Redirect}) {
        Fake.SetFault(f);
        EXPECT_EQ(ScriptCatalogueList(Client, 1).size(), 1u) << int(f);
    }
    ExpectAccepted();
    EXPECT_EQ(Fake.Http().Requests().back().Path, "/moved/scripts/scr_getlist.php");
    EXPECT_EQ(Fake.Http().Requests().back().Method, "POST");
}

TEST(CatalogueClientTest, EmptyAddressSendsNothing) {
    TFakeCatalogue fake;
    TCatalogueClient client("", Me(), test::QuickHttp());
    try {
        ScriptCatalogueList(client, 1);
        FAIL();
    } catch (const TAppError& e) {
        EXPECT_STREQ(e.what(), "Адрес сервера не задан");
    }
    EXPECT_TRUE(fake.Http().Requests().empty());
}

TEST(CatalogueClientTest, HttpsWithTheTestAuthority) {
    if (!fake::TTestCa::Available()) GTEST_SKIP() << "no openssl command";
    const auto& ca = fake::TTestCa::Get();
    TFakeCatalogue fake(&ca.Localhost());
    THttpOptions o = test::QuickHttp();
    TCatalogueClient untrusted(fake.BaseUrl(), Me(), o);
    EXPECT_THROW(SystemCatalogueList(untrusted), TAppError);
    o.CaFile = ca.CaFile().string();
    TCatalogueClient client(fake.BaseUrl(), Me(), o);
    EXPECT_TRUE(SystemCatalogueList(client).Unavailable);
}

TEST(CatalogueClientTest, RefusesWhatTheServerWouldRefuse) {
    // The fake's own checks must bite, or the tests above prove nothing.
    TFakeCatalogue fake;
    THttpClient http(test::QuickHttp());
    const std::string url = fake.BaseUrl() + "/scripts/scr_chktitle.php";
    auto refusal = [&](const TFormFields& f) {
        http.PostForm(url, f);
        return fake.Calls().back().Refused;
    };
    EXPECT_EQ(refusal({{"scr_id", "1"}, {"scr_title", "a"}}), "");
    EXPECT_NE(refusal({{"scr_title", "a"}, {"scr_id", "1"}}), "");
    EXPECT_NE(refusal({{"scr_id", "1"}}), "");
    EXPECT_NE(refusal({{"scr_id", "1"}, {"scr_title", "a\"b"}}), "");
    EXPECT_NE(refusal({{"scr_id", "1"}, {"scr_title", "a\\"}}), "");
}

} // namespace
} // namespace qx
