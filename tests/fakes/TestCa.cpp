#include "TestCa.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace qx::fake {
namespace {

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("test CA: command failed: " + command);
}

std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

constexpr const char* kKeyOptions = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";

} // namespace

bool TTestCa::Available() { return std::system("command -v openssl >/dev/null 2>&1") == 0; }

const TTestCa& TTestCa::Get() {
    static const TTestCa ca;
    return ca;
}

TTestCa::TTestCa() {
    FDir = std::filesystem::temp_directory_path() / ("quadrix-ca-" + std::to_string(getpid()));
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
    FCaFile = FDir / "ca.pem";
    FCaKey = FDir / "ca.key";
    Run("openssl req -x509 " + std::string(kKeyOptions) + " -keyout " + Quoted(FCaKey) + " -out " +
        Quoted(FCaFile) + " -days 2 -subj '/CN=Quadrix test CA'");
    FLocalhost = Issue("localhost", "IP:127.0.0.1");
    FOtherName = Issue("other", "DNS:other.invalid");
}

TTestCa::~TTestCa() {
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
}

TTlsFiles TTestCa::Issue(const std::string& name, const std::string& altName) const {
    const auto key = FDir / (name + ".key"), csr = FDir / (name + ".csr"), pem = FDir / (name + ".pem"),
               ext = FDir / (name + ".ext");
    std::ofstream(ext) << "subjectAltName=" << altName << "\n";
    Run("openssl req " + std::string(kKeyOptions) + " -keyout " + Quoted(key) + " -out " + Quoted(csr) +
        " -subj '/CN=" + name + "'");
    Run("openssl x509 -req -in " + Quoted(csr) + " -CA " + Quoted(FCaFile) + " -CAkey " + Quoted(FCaKey) +
        " -CAcreateserial -out " + Quoted(pem) + " -days 2 -extfile " + Quoted(ext));
    return {pem.string(), key.string()};
}

} // namespace qx::fake
