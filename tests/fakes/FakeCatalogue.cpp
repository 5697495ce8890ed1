#include "FakeCatalogue.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <set>
#include <thread>

#include "Deflate.h"
#include "FakeCatalogueCodec.h"
#include "HttpHeaders.h"

namespace qx::fake {
namespace {

using TFields = std::vector<std::pair<std::string, std::string>>;

const std::vector<std::string> kIdent = {"appid", "appver", "cl_name", "cl_mail", "cl_lcid"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The fields each path expects, in order.
std::vector<std::string> ExpectedFields(const std::string& path, const TFields& got) {
    auto has = [&](const char* name) {
        return std::any_of(got.begin(), got.end(), [&](auto& f) { return f.first == name; });
    };
    if (path == "/scripts/scr_getlist.php") return With({"fltid"}, kIdent);
    if (path == "/scripts/scr_getdata.php" || path == "/scripts/scr_getrates.php") return {"scr_id"};
    if (path == "/scripts/scr_setrate.php") return With({"scr_id", "rate_value", "rate_notes"}, kIdent);
    if (path == "/scripts/scr_chktitle.php") return {"scr_id", "scr_title"};
    if (path == "/scripts/scr_putscript.php") {
        std::vector<std::string> f = {"del_mode", "scr_id", "scr_uniapps", "scr_publics", "scr_title", "scr_descr"};
        if (has("scr_script")) f.push_back("scr_script");
        return With(f, kIdent);
    }
    if (path == "/scripts/sys_getlist.php") return With({"comblen", "maxnums"}, kIdent);
    if (path == "/scripts/sys_getdata.php") return {"sys_id"};
    if (path == "/scripts/sys_putdata.php")
        return With({"del_mode", "sys_id", "nums", "clen", "olap", "title", "descr", "csize", "clist", "url"}, kIdent);
    return {};
}

const std::set<std::string> kEscaped = {"cl_name",   "cl_mail",   "rate_notes", "scr_title",
                                        "scr_descr", "scr_script", "title",      "descr"};

std::string Row(const std::string& inner) { return "<row>" + inner + "</row>"; }
std::string El(const std::string& name, const std::string& text) { return "<" + name + ">" + text + "</" + name + ">"; }
std::string Num(long long v) { return std::to_string(v); }
std::string Date(long long t) { return t ? UtcText(t) : std::string(); }

bool SameMail(const std::string& a, const std::string& b) {
    return !a.empty() && a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

int ToInt(const std::string& text) {
    try {
        size_t used = 0;
        const int v = std::stoi(text, &used);
        return used == text.size() ? v : -9999;
    } catch (...) {
        return -9999;
    }
}

} // namespace

std::string TCatalogueCall::Field(const std::string& name) const {
    for (const auto& [k, v] : Fields)
        if (k == name) return v;
    return {};
}

TFakeCatalogue::TFakeCatalogue(const TTlsFiles* tls, int port) : FHttp(tls) {
    auto handler = [this](const httplib::Request& req, httplib::Response& res) {
        std::string path = req.path;
        if (path.rfind("/moved", 0) == 0) path = path.substr(6);
        Serve(req, res, path);
    };
    FHttp.Server().Post(R"(/.*)", handler);
    FHttp.Start(port);
}

TFakeCatalogue::~TFakeCatalogue() {
    FStopping = true;
    FHttp.Stop();
}

long long TFakeCatalogue::Now() const {
    return FNow ? FNow.load() : static_cast<long long>(std::time(nullptr));
}

int TFakeCatalogue::AddScript(TFakeScript script) {
    std::lock_guard<std::mutex> lock(FLock);
    if (script.Id == 0) script.Id = FNextScript;
    FNextScript = std::max(FNextScript, script.Id + 1);
    if (!script.Created) script.Created = Now();
    const int id = script.Id;
    FScripts[id] = std::move(script);
    return id;
}

int TFakeCatalogue::AddSystem(TFakeSystem system) {
    std::lock_guard<std::mutex> lock(FLock);
    if (system.Id == 0) system.Id = FNextSystem;
    FNextSystem = std::max(FNextSystem, system.Id + 1);
    if (!system.Created) system.Created = Now();
    const int id = system.Id;
    FSystems[id] = std::move(system);
    return id;
}

void TFakeCatalogue::AddRating(TFakeRating rating) {
    std::lock_guard<std::mutex> lock(FLock);
    if (!rating.Created) rating.Created = Now();
    FRatings.push_back(std::move(rating));
}

std::vector<TFakeScript> TFakeCatalogue::Scripts() const {
    std::lock_guard<std::mutex> lock(FLock);
    std::vector<TFakeScript> out;
    for (auto& [id, s] : FScripts) out.push_back(s);
    return out;
}

std::vector<TFakeSystem> TFakeCatalogue::Systems() const {
    std::lock_guard<std::mutex> lock(FLock);
    std::vector<TFakeSystem> out;
    for (auto& [id, s] : FSystems) out.push_back(s);
    return out;
}

std::vector<TFakeRating> TFakeCatalogue::Ratings() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FRatings;
}

void TFakeCatalogue::SetFault(TCatalogueFault fault, std::string path) {
    std::lock_guard<std::mutex> lock(FLock);
    FFault = fault;
    FFaultPath = std::move(path);
}

std::vector<TCatalogueCall> TFakeCatalogue::Calls() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FCalls;
}

void TFakeCatalogue::ClearCalls() {
    std::lock_guard<std::mutex> lock(FLock);
    FCalls.clear();
}

void TFakeCatalogue::Serve(const httplib::Request& req, httplib::Response& res, const std::string& path) {
    TCatalogueFault fault;
    {
        std::lock_guard<std::mutex> lock(FLock);
        fault = FFaultPath.empty() || FFaultPath == path ? FFault : TCatalogueFault::None;
    }
    using F = TCatalogueFault;
    if (fault == F::Redirect && req.path == path) {
        res.status = 307;
        res.set_header("Location", "/moved" + path);
        return;
    }
    if (fault == F::ServerError) {
        res.status = 500;
        res.set_content("<result></result>", "text/html");
        return;
    }

    TCatalogueCall call;
    call.Path = path;
    call.Body = req.body;
    auto fields = DecodeForm(req.body);
    const std::string headers = CommonHeadersProblem(req.headers);
    const std::string type = req.get_header_value("Content-Type");
    if (type != "application/x-www-form-urlencoded") call.Refused = "content type " + type;
    else if (!headers.empty()) call.Refused = headers;
    else if (!fields) call.Refused = "bad form encoding";
    if (call.Refused.empty()) {
        const auto expected = ExpectedFields(path, *fields);
        if (expected.empty()) call.Refused = "unknown path";
        for (size_t i = 0; call.Refused.empty() && i < expected.size(); ++i)
            if (i >= fields->size() || (*fields)[i].first != expected[i])
                call.Refused = "field " + std::to_string(i + 1) + " should be " + expected[i];
        if (call.Refused.empty() && fields->size() != expected.size()) call.Refused = "extra fields";
    }
    if (call.Refused.empty()) {
        for (auto& [name, value] : *fields) {
            std::string bytes = value;
            if (name == "clist" && !bytes.empty()) {
                auto raw = UnBase64Fake(bytes);
                if (!raw) {
                    call.Refused = "clist is no Base64";
                    break;
                }
                bytes = *raw;
            }
            if (kEscaped.count(name) || name == "clist") {
                auto plain = CUnescape(bytes);
                if (!plain) {
                    call.Refused = "bad escapes in " + name;
                    break;
                }
                bytes = *plain;
            }
            call.Fields.emplace_back(name, Cp1251ToUtf8Fake(bytes));
        }
    }

    std::string body;
    if (!call.Refused.empty()) {
        body = "<result>" + Row(El("error", call.Refused)) + "</result>";
    } else if (fault == F::ErrorRow) {
        body = "<result>" + Row(El("error", "Доступ запрещён")) + "</result>";
    } else if (fault == F::EmptyResult) {
        body = "<result></result>";
    } else if (fault == F::UnclosedTag) {
        body = "<result><row><id>1</id>";  // neither the row nor the result closes
    } else {
        body = Answer(path, call);  // reads the faults that change the stored data's form itself
    }
    {
        std::lock_guard<std::mutex> lock(FLock);
        FCalls.push_back(call);
    }
    Send(res, body, fault);
}

void TFakeCatalogue::Send(httplib::Response& res, const std::string& body, TCatalogueFault fault) {
    using F = TCatalogueFault;
    const std::string type = "text/html; charset=utf-8";
    if (fault == F::Gzip || fault == F::Deflate) {
        res.set_header("Content-Encoding", fault == F::Gzip ? "gzip" : "deflate");
        const std::string packed = Deflated(body, fault == F::Gzip ? 31 : 15);
        // A content provider keeps the server from compressing it once more.
        res.set_content_provider(packed.size(), "application/octet-stream",
                                 [packed](size_t offset, size_t, httplib::DataSink& sink) {
                                     return sink.write(packed.data() + offset, packed.size() - offset);
                                 });
        return;
    }
    if (fault == F::Stall || fault == F::Truncated) {
        const bool stall = fault == F::Stall;
        res.set_content_provider(body.size(), type, [this, body, stall](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset == 0) return sink.write(body.data(), body.size() / 2);
            if (!stall) return false;
            for (int i = 0; i < 100 && !FStopping && sink.is_writable(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return false;
        });
        return;
    }
    res.set_content(body, type);
}

std::string TFakeCatalogue::ScriptRows(const TCatalogueCall& call, bool badBase64) {
    const std::string mail = call.Field("cl_mail");
    const int fltid = ToInt(call.Field("fltid"));
    const long long now = Now();
    auto b64 = [&](const std::string& s) { return badBase64 ? std::string("@@@=") : Base64Fake(s); };
    std::string rows;
    for (auto& [id, s] : FScripts) {
        int mine = 0, count = 0, sum = 0;
        for (auto& r : FRatings) {
            if (r.ScriptId != id) continue;
            if (SameMail(r.Mail, mail)) mine = r.Rate;
            if (r.Rate > 0) ++count, sum += r.Rate;
        }
        const bool own = SameMail(s.AuthorMail, mail);
        if (!s.Public && !own) continue;
        bool show = true;
        switch (fltid) {
        case -1: show = mine == -1; break;
        case 0: break;
        case 1: show = mine != -1; break;
        case 2: show = own; break;
        case 3: show = s.Public; break;
        case 4: show = mine > 0; break;
        case 5: show = mine == 0; break;
        case 6: show = now - s.Created < 24 * 3600; break;
        default: show = false;
        }
        if (!show) continue;
        char avg[32];
        std::snprintf(avg, sizeof avg, "%.3f", count ? double(sum) / count : 0.0);
        rows += Row(El("id", Num(id)) + El("key_cl_name", s.Author) + El("key_cl_mail", s.AuthorMail) +
                    El("key_cl_lcid", Num(s.Lcid)) + El("app_name", s.AppName) + El("app_ver", s.AppVer) +
                    El("app_guid", s.AppGuid) + El("uniapps", s.Universal ? "1" : "0") +
                    El("publics", s.Public ? "1" : "0") + El("created", Date(s.Created)) + El("rating_avg", avg) +
                    El("rating_cnt", Num(count)) + El("rating_you", Num(mine)) + El("downloads", Num(s.Downloads)) +
                    El("last_download", Date(s.LastDownload)) + El("title", b64(s.Title)) +
                    El("descr", b64(s.Descr)));
    }
    return rows;
}

std::string TFakeCatalogue::SystemRows(bool badBase64) {
    auto b64 = [&](const std::string& s) { return badBase64 ? std::string("@@@=") : Base64Fake(s); };
    std::string rows;
    for (auto& [id, s] : FSystems)
        rows += Row(El("id", Num(id)) + El("nums", Num(s.Nums)) + El("olap", Num(s.Olap)) + El("csize", Num(s.CSize)) +
                    El("title", b64(s.Title)) + El("descr", b64(s.Descr)) + El("author", s.Author) +
                    El("cl_mail", s.Mail) + El("url", s.Url) + El("created", Date(s.Created)) +
                    El("downloads", Num(s.Downloads)) + El("last_download", Date(s.LastDownload)));
    return rows;
}

std::string TFakeCatalogue::Answer(const std::string& path, TCatalogueCall& call) {
    std::lock_guard<std::mutex> lock(FLock);
    using F = TCatalogueFault;
    const bool bad64 = (FFaultPath.empty() || FFaultPath == path) && FFault == F::BadBase64;
    const bool noScript = (FFaultPath.empty() || FFaultPath == path) && FFault == F::NoScriptRow;
    const bool extraLine = (FFaultPath.empty() || FFaultPath == path) && FFault == F::ExtraLine;
    const long long now = Now();
    const std::string mail = call.Field("cl_mail");
    auto result = [](const std::string& rows) { return "<result>" + rows + "</result>"; };

    if (path == "/scripts/scr_getlist.php") return result(ScriptRows(call, bad64));
    if (path == "/scripts/scr_getdata.php") {
        auto it = FScripts.find(ToInt(call.Field("scr_id")));
        if (it == FScripts.end() || noScript) return result(Row(El("none", "1")));
        ++it->second.Downloads;
        it->second.LastDownload = now;
        return result(Row(El("script", bad64 ? "@@@=" : Base64Fake(it->second.Script))));
    }
    if (path == "/scripts/scr_setrate.php") {
        const int id = ToInt(call.Field("scr_id")), value = ToInt(call.Field("rate_value"));
        if (!FScripts.count(id) || value < -1 || value > 5) return result(Row(El("res_code", "-2")));
        std::erase_if(FRatings, [&](auto& r) { return r.ScriptId == id && SameMail(r.Mail, mail); });
        if (value != 0) {
            TFakeRating r;
            r.ScriptId = id;
            r.Name = call.Field("cl_name");
            r.Mail = mail;
            r.Rate = value;
            r.Created = now;
            r.AppVer = call.Field("appver");
            r.Notes = call.Field("rate_notes");
            FRatings.push_back(r);
        }
        return result(Row(El("res_code", "0")));
    }
    if (path == "/scripts/scr_chktitle.php") {
        const int id = ToInt(call.Field("scr_id"));
        const std::string title = call.Field("scr_title");
        const bool taken = std::any_of(FScripts.begin(), FScripts.end(),
                                       [&](auto& p) { return p.first != id && p.second.Title == title; });
        return result(Row(El("ret_code", taken ? "1" : "0")));
    }
    if (path == "/scripts/scr_putscript.php") {
        const int id = ToInt(call.Field("scr_id"));
        auto it = FScripts.find(id);
        const bool ownsIt = it != FScripts.end() && SameMail(it->second.AuthorMail, mail);
        if (call.Field("del_mode") == "1") {
            if (!ownsIt) return result(Row(El("id_scripts", "-1")));
            FScripts.erase(it);
            return result(Row(El("id_scripts", "0")));
        }
        if (id != -1 && !ownsIt) return result(Row(El("id_scripts", "-1")));
        TFakeScript s = id == -1 ? TFakeScript{} : it->second;
        if (id == -1) s.Id = FNextScript++;
        s.Author = call.Field("cl_name");
        s.AuthorMail = mail;
        s.Lcid = ToInt(call.Field("cl_lcid"));
        s.AppGuid = call.Field("appid");
        s.AppVer = call.Field("appver");
        s.Universal = call.Field("scr_uniapps") == "1";
        s.Public = call.Field("scr_publics") == "1";
        s.Created = now;
        s.Title = call.Field("scr_title");
        s.Descr = call.Field("scr_descr");
        s.Script = call.Field("scr_script");
        FScripts[s.Id] = s;
        return result(Row(El("id_scripts", Num(s.Id))));
    }
    if (path == "/scripts/scr_getrates.php") {
        const int id = ToInt(call.Field("scr_id"));
        std::string rows;
        for (auto& r : FRatings)
            if (r.ScriptId == id && r.Rate > 0)
                rows += Row(El("key_cl_name", r.Name) + El("rate", Num(r.Rate)) + El("created", Date(r.Created)) +
                            El("app_name", r.AppName) + El("app_ver", r.AppVer) +
                            El("notes", bad64 ? "@@@=" : Base64Fake(r.Notes)));
        return result(rows);
    }
    if (path == "/scripts/sys_getlist.php") return FSystems.empty() ? result("") : result(SystemRows(bad64));
    if (path == "/scripts/sys_getdata.php") {
        auto it = FSystems.find(ToInt(call.Field("sys_id")));
        if (it == FSystems.end()) return result(Row(El("clist", "")));
        ++it->second.Downloads;
        it->second.LastDownload = now;
        std::string content = it->second.Content;
        if (extraLine) content += "\r\n01 02 03 04";
        return result(Row(El("sys_id", Num(it->first)) + El("clist", bad64 ? "@@@=" : Base64Fake(content))));
    }
    if (path == "/scripts/sys_putdata.php") {
        const int id = ToInt(call.Field("sys_id"));
        auto it = FSystems.find(id);
        const bool ownsIt = it != FSystems.end() && SameMail(it->second.Mail, call.Field("cl_mail"));
        if (call.Field("del_mode") == "1") {
            if (!ownsIt) return result(Row(El("id_systems", "-1")));
            FSystems.erase(it);
            return result(Row(El("id_systems", "0")));
        }
        if (id != 0 && !ownsIt) return result(Row(El("id_systems", "-1")));
        TFakeSystem s = id == 0 ? TFakeSystem{} : it->second;
        if (id == 0) s.Id = FNextSystem++;
        s.Nums = ToInt(call.Field("nums"));
        s.Olap = ToInt(call.Field("olap"));
        s.CSize = ToInt(call.Field("csize"));
        s.Title = call.Field("title");
        s.Descr = call.Field("descr");
        s.Author = call.Field("cl_name");
        s.Mail = call.Field("cl_mail");
        s.Url = call.Field("url");
        s.Content = call.Field("clist");
        s.Created = now;
        FSystems[s.Id] = s;
        return result(Row(El("id_systems", Num(s.Id))));
    }
    return result(Row(El("error", "unknown path")));
}

} // namespace qx::fake
