#pragma once
#include <filesystem>
#include <string>

#include "FakeHttpServer.h"

namespace qx::fake {

// A throwaway certificate authority made with the openssl command, once per test run, and the
// certificates it signs for the fake HTTPS servers.
class TTestCa {
public:
    // The run's authority (made on first use); raises when openssl fails.
    static const TTestCa& Get();
    static bool Available();  // the openssl command exists

    const std::filesystem::path& CaFile() const { return FCaFile; }
    // A certificate and key for 127.0.0.1 (subjectAltName IP:127.0.0.1).
    const TTlsFiles& Localhost() const { return FLocalhost; }
    // A certificate for another host name only.
    const TTlsFiles& OtherName() const { return FOtherName; }

    ~TTestCa();
    TTestCa(const TTestCa&) = delete;
    TTestCa& operator=(const TTestCa&) = delete;

private:
    TTestCa();
    TTlsFiles Issue(const std::string& name, const std::string& altName) const;

    std::filesystem::path FDir;
    std::filesystem::path FCaFile;
    std::filesystem::path FCaKey;
    TTlsFiles FLocalhost;
    TTlsFiles FOtherName;
};

} // namespace qx::fake
