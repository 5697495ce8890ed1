#pragma once
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "FakeHttpServer.h"

namespace qx::fake {

// How the fake serves one package, fetch by fetch.
struct TFakePackage {
    enum class TFault {
        None,
        CutShort,   // the full length announced, half of it sent, the connection closed
        Oversized,  // the package and more, without a length
        NotFound,   // 404
        ServerError,  // 500
        Stall,      // half of it, then silence
    };
    std::string Bytes;
    int CorruptFirst = 0;  // the first fetches arrive with one byte changed
    TFault Fault = TFault::None;
    int FaultFetches = 1000;  // the fault applies to this many first fetches
    bool Gzip = false;         // sent gzip-encoded (the sums cover the inflated bytes)
};

// The update server on https://127.0.0.1 with the test authority: the configuration from the
// test's INI text (sent as Windows-1251 with CR LF), descriptions under UpdDescr/ (404 for the
// names it does not hold) and packages under /files/packages/, each also reachable through a
// redirect at /files/moved/.
class TFakeUpdateServer {
public:
    explicit TFakeUpdateServer(int port = 0);
    ~TFakeUpdateServer();

    // The UpdateUrl setting and the CaFile that trusts it.
    std::string BaseUrl() const { return FHttp.BaseUrl(); }
    std::string CaFile() const;

    void SetConfig(const std::string& utf8Ini);
    void SetConfigStatus(int status);
    void SetDescription(const std::string& fileName, const std::string& utf8Text);
    // The package's address ("/files/packages/NAME"); PackageRedirect gives the redirecting one.
    // Adding a name again replaces the package and counts its fetches from zero.
    std::string AddPackage(const std::string& name, TFakePackage package);
    std::string PackageRedirect(const std::string& name) const;
    int Fetches(const std::string& name) const;
    // Paths asked for, in order.
    std::vector<std::string> Paths() const;
    TFakeHttpServer& Http() { return FHttp; }

private:
    void ServePackage(const std::string& name, httplib::Response& res);

    mutable std::mutex FLock;
    std::string FConfig;
    int FConfigStatus = 200;
    std::map<std::string, std::string> FDescriptions;
    std::map<std::string, TFakePackage> FPackages;
    std::map<std::string, int> FFetches;
    std::atomic<bool> FStopping{false};
    TFakeHttpServer FHttp;
};

// What the configuration says about a package: size and both sums of its bytes.
std::string Sha256Hex(const std::string& bytes);  // lower case
std::string Crc32Hex(const std::string& bytes);   // upper case
// "VerId=...", "DownloadUrl=...", "OriginalFileName=...", "DownloadSize=...", "ChecksumSHA256=...",
// "ChecksumCRC32=..." lines (CR LF) for the package bytes.
std::string PackageKeys(const std::string& verId, const std::string& url, const std::string& bytes,
                        const std::string& originalName = "setup.sh");

// Packages are shell scripts that unpack by writing into their working directory.
struct TPackageFile {
    std::string Name;  // relative; folders are made
    std::string Content;
    int Mode = 0644;
};
// "#!/bin/sh" writing the files, then the extra lines.
std::string PackageScript(const std::vector<TPackageFile>& files, const std::string& extra = "");
// A helper that appends its name to the journal, with " probe" when the probe path (relative to
// the unpack folder) exists at the time it runs.
TPackageFile JournalHelper(const std::string& name, const std::filesystem::path& journal,
                           const std::string& probe = "");
// Text in single quotes for the shell.
std::string ShellQuote(const std::string& text);

} // namespace qx::fake
