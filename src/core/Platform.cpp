#include "core/Platform.h"

#include <cerrno>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/FileIO.h"

namespace qx {

TExclusiveFile::~TExclusiveFile() { Close(); }

void TExclusiveFile::Open(const std::filesystem::path& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw TAppError(SystemErrorText(path, errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int e = errno;
        ::close(fd);
        throw TAppError(SystemErrorText(path, e));
    }
    FHandle = fd;
}

void TExclusiveFile::Adopt(int lockedHandle) {
    const int old = FHandle;
    FHandle = lockedHandle;
    if (old >= 0 && old != lockedHandle) ::close(old);
}

void TExclusiveFile::Close() {
    if (FHandle >= 0) {
        ::close(FHandle);  // closing releases the lock
        FHandle = -1;
    }
}

char UserDecimalSeparator() {
    // A private locale object: the process-wide locale (and with it number parsing) stays "C".
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    const char separator = (radix && (radix[0] == ',' || radix[0] == '.')) ? radix[0] : '.';
    freelocale(user);
    return separator;
}

std::filesystem::path ExecutableOfLink(const std::filesystem::path& linkTarget) {
    constexpr std::string_view kDeleted = " (deleted)";
    std::string text = linkTarget.string();
    if (text.size() > kDeleted.size() && text.ends_with(kDeleted)) text.resize(text.size() - kDeleted.size());
    return text;
}

std::filesystem::path OwnExecutable() {
    std::error_code ec;
    auto target = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : ExecutableOfLink(target);
}

namespace {
// Weakly: the file of a replaced executable may be gone while its directory still resolves.
std::filesystem::path CanonicalExecutable(const std::filesystem::path& path) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(path, ec);
    return ec ? path.lexically_normal() : canonical;
}
} // namespace

bool OtherInstanceRunning(const std::filesystem::path& exePath) {
    if (exePath.empty()) return false;
    const std::filesystem::path own = CanonicalExecutable(exePath);
    const pid_t self = ::getpid();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        if (std::stol(name) == self) continue;
        std::error_code linkError;
        auto exe = std::filesystem::read_symlink(entry.path() / "exe", linkError);
        if (linkError) continue;  // gone meanwhile, a kernel thread, or another user's process
        if (CanonicalExecutable(ExecutableOfLink(exe)) == own) return true;
    }
    return false;
}

} // namespace qx
