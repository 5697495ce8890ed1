#include "support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>

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

namespace {
// A file of many megabytes (a planted oversized archive) is told by its inode, size and change
// time rather than read in full for every snapshot: replacing or writing it changes them.
std::optional<std::string> LargeFileMark(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || st.st_size < (4 << 20)) return std::nullopt;
    return "large:" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
           std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}
} // namespace

std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    namespace fs = std::filesystem;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().lexically_relative(dir).string();  // links not followed
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status))
            files[name] = "link:" + fs::read_symlink(entry.path()).string();
        else if (fs::is_regular_file(status))
            files[name] = LargeFileMark(entry.path()).value_or(ReadBytes(entry.path()));
        else
            files[name] = fs::is_directory(status) ? "dir" : "special";
    }
    return files;
}

std::vector<std::string> TempFilesUnder(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : Snapshot(dir))
        if (name.ends_with(".tmp")) names.push_back(name);
    return names;
}

TFileSizeLimit::TFileSizeLimit(uint64_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    FOldSoft = limit.rlim_cur;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

TFileSizeLimit::~TFileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = FOldSoft;
    setrlimit(RLIMIT_FSIZE, &limit);
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
