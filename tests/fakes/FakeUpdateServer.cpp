#include "FakeUpdateServer.h"

#include <iconv.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "Deflate.h"
#include "TestCa.h"

namespace qx::fake {
namespace {

std::string ToCp1251CrLf(const std::string& utf8) {
    std::string crlf;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) crlf += '\r';
        crlf += utf8[i];
    }
    iconv_t cd = iconv_open("CP1251//TRANSLIT", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: no CP1251");
    std::string out(crlf.size() + 16, '\0');
    char* in = crlf.data();
    size_t inLeft = crlf.size();
    char* o = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) throw std::runtime_error("iconv: text not convertible");
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

TFakeUpdateServer::TFakeUpdateServer(int port) : FHttp(&TTestCa::Get().Localhost()) {
    auto& s = FHttp.Server();
    s.Get("/files/autoupdates/Plexa_AU.cfg", [this](const httplib::Request&, httplib::Response& res) {
        std::lock_guard<std::mutex> lock(FLock);
        res.status = FConfigStatus;
        if (FConfigStatus == 200) res.set_content(FConfig, "text/plain");
    });
    s.Get(R"(/files/autoupdates/UpdDescr/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
        std::lock_guard<std::mutex> lock(FLock);
        auto it = FDescriptions.find(req.matches[1]);
        if (it == FDescriptions.end()) {
            res.status = 404;
            return;
        }
        res.set_content(it->second, "text/plain");
    });
    s.Get(R"(/files/packages/([^/]+))",
          [this](const httplib::Request& req, httplib::Response& res) { ServePackage(req.matches[1], res); });
    s.Get(R"(/files/moved/([^/]+))", [](const httplib::Request& req, httplib::Response& res) {
        res.set_redirect("/files/packages/" + std::string(req.matches[1]), 302);
    });
    FHttp.Start(port);
}

TFakeUpdateServer::~TFakeUpdateServer() {
    FStopping = true;
    FHttp.Stop();
}

std::string TFakeUpdateServer::CaFile() const { return TTestCa::Get().CaFile().string(); }

void TFakeUpdateServer::SetConfig(const std::string& utf8Ini) {
    std::lock_guard<std::mutex> lock(FLock);
    FConfig = ToCp1251CrLf(utf8Ini);
}

void TFakeUpdateServer::SetConfigStatus(int status) {
    std::lock_guard<std::mutex> lock(FLock);
    FConfigStatus = status;
}

void TFakeUpdateServer::SetDescription(const std::string& fileName, const std::string& utf8Text) {
    std::lock_guard<std::mutex> lock(FLock);
    FDescriptions[fileName] = ToCp1251CrLf(utf8Text);
}

std::string TFakeUpdateServer::AddPackage(const std::string& name, TFakePackage package) {
    std::lock_guard<std::mutex> lock(FLock);
    FPackages[name] = std::move(package);
    FFetches[name] = 0;  // a package added again starts its faults afresh
    return BaseUrl() + "/files/packages/" + name;
}

std::string TFakeUpdateServer::PackageRedirect(const std::string& name) const {
    return BaseUrl() + "/files/moved/" + name;
}

int TFakeUpdateServer::Fetches(const std::string& name) const {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FFetches.find(name);
    return it == FFetches.end() ? 0 : it->second;
}

std::vector<std::string> TFakeUpdateServer::Paths() const {
    std::vector<std::string> paths;
    for (const TRecordedRequest& r : FHttp.Requests()) paths.push_back(r.Path);
    return paths;
}

void TFakeUpdateServer::ServePackage(const std::string& name, httplib::Response& res) {
    TFakePackage p;
    int fetch = 0;
    {
        std::lock_guard<std::mutex> lock(FLock);
        auto it = FPackages.find(name);
        if (it == FPackages.end()) {
            res.status = 404;
            return;
        }
        p = it->second;
        fetch = FFetches[name]++;
    }
    std::string body = p.Bytes;
    if (fetch < p.CorruptFirst && !body.empty()) body[body.size() / 2] ^= 0x5A;
    const auto fault = fetch < p.FaultFetches ? p.Fault : TFakePackage::TFault::None;
    using F = TFakePackage::TFault;
    if (fault == F::NotFound || fault == F::ServerError) {
        res.status = fault == F::NotFound ? 404 : 500;
        return;
    }
    if (p.Gzip) {
        body = Deflated(body, 31);
        res.set_header("Content-Encoding", "gzip");
    }
    const std::string type = "application/octet-stream";
    if (fault == F::None) {
        res.set_content(body, type);
    } else if (fault == F::Oversized) {
        body += std::string(4096, 'x');
        res.set_chunked_content_provider(type, [body](size_t, httplib::DataSink& sink) {
            sink.write(body.data(), body.size());
            sink.done();
            return true;
        });
    } else {
        const bool stall = fault == F::Stall;
        res.set_content_provider(body.size(), type, [this, body, stall](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset == 0) return sink.write(body.data(), body.size() / 2);
            if (!stall) return false;  // closes the connection short of the announced length
            for (int i = 0; i < 100 && !FStopping && sink.is_writable(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return false;
        });
    }
}

std::string Sha256Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &n, EVP_sha256(), nullptr);
    std::string out;
    char hex[3];
    for (unsigned int i = 0; i < n; ++i) {
        std::snprintf(hex, sizeof hex, "%02x", digest[i]);
        out += hex;
    }
    return out;
}

std::string Crc32Hex(const std::string& bytes) {
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()),
                            static_cast<uInt>(bytes.size()));
    char text[9];
    std::snprintf(text, sizeof text, "%08lX", crc & 0xFFFFFFFFul);
    return text;
}

std::string PackageKeys(const std::string& verId, const std::string& url, const std::string& bytes,
                        const std::string& originalName) {
    return "VerId=" + verId + "\r\nDownloadUrl=" + url + "\r\nOriginalFileName=" + originalName +
           "\r\nDownloadSize=" + std::to_string(bytes.size()) + "\r\nChecksumSHA256=" + Sha256Hex(bytes) +
           "\r\nChecksumCRC32=" + Crc32Hex(bytes) + "\r\n";
}

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string PackageScript(const std::vector<TPackageFile>& files, const std::string& extra) {
    std::string s = "#!/bin/sh\nset -e\n";
    for (const TPackageFile& f : files) {
        const std::string name = ShellQuote(f.Name);
        s += "mkdir -p \"$(dirname " + name + ")\"\n";
        s += "printf '%s' " + ShellQuote(f.Content) + " > " + name + "\n";
        char mode[8];
        std::snprintf(mode, sizeof mode, "%o", f.Mode);
        s += "chmod " + std::string(mode) + " " + name + "\n";
    }
    return s + extra;
}

TPackageFile JournalHelper(const std::string& name, const std::filesystem::path& journal, const std::string& probe) {
    std::string s = "#!/bin/sh\nline=" + ShellQuote(name) + "\n";
    if (!probe.empty()) s += "[ -e " + ShellQuote(probe) + " ] && line=\"$line probe\"\n";
    s += "echo \"$line\" >> " + ShellQuote(journal.string()) + "\n";
    return {name, s, 0644};
}

} // namespace qx::fake
