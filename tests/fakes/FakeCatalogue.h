#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "FakeHttpServer.h"

namespace qx::fake {

// A script as the fake catalogue keeps it (texts in UTF-8, times as Unix seconds).
struct TFakeScript {
    int Id = 0;
    std::string Author, AuthorMail;
    int Lcid = 1049;
    std::string AppName = "Quadrix_4d10", AppVer = "1.0.0.1", AppGuid;
    bool Universal = false, Public = true;
    long long Created = 0;
    int Downloads = 0;
    long long LastDownload = 0;
    std::string Title, Descr, Script;
};

struct TFakeRating {
    int ScriptId = 0;
    std::string Name, Mail;
    int Rate = 0;  // -1 hidden, 1..5
    long long Created = 0;
    std::string AppName = "Quadrix_4d10", AppVer = "1.0.0.1", Notes;
};

struct TFakeSystem {
    int Id = 0;
    int Nums = 0, Olap = 0, CSize = 0;
    std::string Title, Descr, Author, Mail, Url;
    long long Created = 0;
    int Downloads = 0;
    long long LastDownload = 0;
    std::string Content;  // lines joined by CR LF
};

// What the fake does instead of answering well.
enum class TCatalogueFault {
    None,
    Gzip,          // the answer gzip-compressed
    Deflate,       // the answer zlib-deflated
    Redirect,      // a 307 to the same path under /moved (the POST must follow)
    ServerError,   // 500
    Stall,         // half the answer, then silence
    Truncated,     // half the announced length, then the connection closed
    UnclosedTag,   // an answer whose row and result never close
    ErrorRow,      // a row with an error element
    BadBase64,     // titles, texts and contents that are no Base64
    EmptyResult,   // <result></result>
    NoScriptRow,   // scr_getdata without a script row
    ExtraLine,     // a system content with one line more than its csize
};

// One request as the fake read it: the path, the fields decoded (escapes undone, Windows-1251
// turned into UTF-8) and, when the fake refused it, why.
struct TCatalogueCall {
    std::string Path;
    std::string Body;  // as sent
    std::vector<std::pair<std::string, std::string>> Fields;
    std::string Refused;
    std::string Field(const std::string& name) const;
};

// The catalogue server on 127.0.0.1 over an in-memory store each test seeds. It refuses (with an
// error row) a wrong content type, missing common headers, fields out of order or missing, and
// an unescaped '"' or '\' in a free-text field.
class TFakeCatalogue {
public:
    explicit TFakeCatalogue(const TTlsFiles* tls = nullptr, int port = 0);
    ~TFakeCatalogue();

    std::string BaseUrl() const { return FHttp.BaseUrl(); }
    TFakeHttpServer& Http() { return FHttp; }

    int AddScript(TFakeScript script);  // id 0 takes the next free one
    int AddSystem(TFakeSystem system);
    void AddRating(TFakeRating rating);
    std::vector<TFakeScript> Scripts() const;
    std::vector<TFakeSystem> Systems() const;
    std::vector<TFakeRating> Ratings() const;

    // The fault applies to requests of the path (every path when empty) until changed.
    void SetFault(TCatalogueFault fault, std::string path = {});
    // The fake's clock ("new" scripts, dates it stamps); the real time when 0.
    void SetNow(long long unixSeconds) { FNow = unixSeconds; }
    long long Now() const;
    std::vector<TCatalogueCall> Calls() const;
    void ClearCalls();

private:
    void Serve(const httplib::Request& req, httplib::Response& res, const std::string& path);
    std::string Answer(const std::string& path, TCatalogueCall& call);
    std::string ScriptRows(const TCatalogueCall& call, bool badBase64);
    std::string SystemRows(bool badBase64);
    void Send(httplib::Response& res, const std::string& body, TCatalogueFault fault);

    TFakeHttpServer FHttp;
    mutable std::mutex FLock;
    std::map<int, TFakeScript> FScripts;
    std::map<int, TFakeSystem> FSystems;
    std::vector<TFakeRating> FRatings;
    std::vector<TCatalogueCall> FCalls;
    TCatalogueFault FFault = TCatalogueFault::None;
    std::string FFaultPath;
    std::atomic<long long> FNow{0};
    std::atomic<bool> FStopping{false};
    int FNextScript = 1, FNextSystem = 1;
};

} // namespace qx::fake
