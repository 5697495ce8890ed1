#include "support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qx::test {

void TRecordingShell::ShowStatus(const std::string& text) {
    Status = text;
    Statuses.push_back(text);
}

bool TRecordingShell::Message(TMessageKind kind, const std::string& text) {
    Messages.push_back({kind, text});
    if (OnMessage) OnMessage(kind, text);
    if (!IsQuestion(kind)) return false;
    if (Answers.empty()) return DefaultAnswer;
    bool a = Answers.front();
    Answers.pop_front();
    return a;
}

bool TRecordingShell::TryOpenDocument(const std::string& pathOrUrl) {
    Opened.push_back(pathOrUrl);
    return !RefuseOpen;
}

std::vector<std::string> TRecordingShell::Texts(TMessageKind kind) const {
    std::vector<std::string> out;
    for (const auto& m : Messages)
        if (m.Kind == kind) out.push_back(m.Text);
    return out;
}

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quadrix-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ec;
    // A test may have made parts read-only.
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(FPath, ec);
}

TEnvOverride::TEnvOverride(const char* name, const std::string& value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    setenv(name, value.c_str(), 1);
}

TEnvOverride::~TEnvOverride() {
    if (FOld)
        setenv(FName.c_str(), FOld->c_str(), 1);
    else
        unsetenv(FName.c_str());
}

std::filesystem::path RealArchiveCsv() {
    std::filesystem::path p = std::filesystem::path(QUADRIX_SHARED_DATA) / "va_pick4.csv";
    return std::filesystem::exists(p) ? p : std::filesystem::path();
}

std::filesystem::path TestDataDir() { return QUADRIX_TEST_DATA; }

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path file = TestDataDir() / name;
    const char* update = std::getenv("QUADRIX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(file.parent_path());
        WriteBytes(file, actual);
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(file)) return ::testing::AssertionFailure() << "no golden file " << file;
    const std::string expected = ReadBytes(file);
    if (expected == actual) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    return ::testing::AssertionFailure() << file << " differs at byte " << at << ": expected \""
                                         << expected.substr(at, 80) << "\", got \"" << actual.substr(at, 80) << "\"";
}

} // namespace qx::test
