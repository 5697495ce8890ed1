#include "core/FileIO.h"
#include "core/FileStamped.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

// An open descriptor closed on every way out.
class TFd {
public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() { Close(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    int Close() {
        int r = 0;
        if (FFd >= 0) r = ::close(FFd);
        FFd = -1;
        return r;
    }

private:
    int FFd;
};

[[noreturn]] void Fail(const std::filesystem::path& path, int error) { throw TAppError(SystemErrorText(path, error)); }

std::string NotRegularText(const std::filesystem::path& path) {
    return path.string() + ": не является обычным файлом";
}

std::string TooLargeText(const std::filesystem::path& path, uint64_t maxBytes) {
    return path.string() + ": файл слишком велик (допустимо не более " + std::to_string(maxBytes) + " байт)";
}

void CheckStat(const std::filesystem::path& path, const struct stat& st, uint64_t maxBytes) {
    if (!S_ISREG(st.st_mode)) throw TAppError(NotRegularText(path));
    if (static_cast<uint64_t>(st.st_size) > maxBytes) throw TAppError(TooLargeText(path, maxBytes));
}

void WriteAll(int fd, const std::filesystem::path& path, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        done += static_cast<size_t>(n);
    }
}

// A write past RLIMIT_FSIZE raises SIGXFSZ, which ends the process by default; ignored, the write
// fails with EFBIG and the save reports it. A handler someone installed stays.
void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGXFSZ, SIG_IGN);
    });
}

constexpr std::string_view kTempSuffix = ".tmp";
constexpr size_t kTempRandomChars = 6;

// Creates "<path>.XXXXXX.tmp" exclusively: an existing name (or a link planted there) is never
// opened, another name is tried instead.
int CreateTempFile(const std::filesystem::path& path, mode_t mode, std::filesystem::path& tmp) {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}() ^ static_cast<uint64_t>(::getpid())};
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = path.filename().string() + ".";
        for (size_t i = 0; i < kTempRandomChars; ++i) name += kChars[pick(random)];
        name += kTempSuffix;
        tmp = path.parent_path() / name;
        int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) Fail(path, errno);
    }
    Fail(path, EEXIST);
}

void SyncFolder(const std::filesystem::path& path) {
    // The rename itself reaches the disk with the folder; a failure here loses nothing written.
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    TFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

bool IsTempChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

} // namespace

std::string SystemErrorText(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

void ReadFileBlocks(const std::filesystem::path& path, uint64_t maxBytes,
                    const std::function<void(std::string_view)>& sink) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the file is refused right after.
    TFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) Fail(path, errno);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) Fail(path, errno);
    CheckStat(path, st, maxBytes);
    uint64_t total = 0;
    std::string buf(65536, '\0');
    for (;;) {
        ssize_t n = ::read(fd.Get(), buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        if (n == 0) break;
        // A file growing while it is read still stops at the limit.
        total += static_cast<uint64_t>(n);
        if (total > maxBytes) throw TAppError(TooLargeText(path, maxBytes));
        sink(std::string_view(buf.data(), static_cast<size_t>(n)));
    }
}

std::string ReadFileLimited(const std::filesystem::path& path, uint64_t maxBytes) {
    std::string data;
    ReadFileBlocks(path, maxBytes, [&](std::string_view block) { data.append(block); });
    return data;
}

std::string ReadFileBytes(const std::filesystem::path& path) { return ReadFileLimited(path, UINT64_MAX); }

void CheckInputFile(const std::filesystem::path& path, uint64_t maxBytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) Fail(path, errno);
    CheckStat(path, st, maxBytes);
}

void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, mode_t mode) {
    WriteFileAtomicStamped(path, bytes, std::nullopt, mode);
}

void WriteFileAtomicStamped(const std::filesystem::path& path, std::string_view bytes,
                            std::optional<time_t> lastWrite, mode_t mode) {
    IgnoreFileSizeSignal();
    std::filesystem::path tmp;
    TFd fd(CreateTempFile(path, mode, tmp));
    try {
        WriteAll(fd.Get(), path, bytes);
        if (lastWrite) {
            // Stamped before the rename, so the final name never shows the file with another time.
            const timespec times[2] = {{*lastWrite, 0}, {*lastWrite, 0}};
            if (::futimens(fd.Get(), times) != 0) Fail(path, errno);
        }
        if (::fsync(fd.Get()) != 0) Fail(path, errno);
        if (fd.Close() != 0) Fail(path, errno);
        if (::rename(tmp.c_str(), path.c_str()) != 0) Fail(path, errno);
    } catch (...) {
        fd.Close();
        ::unlink(tmp.c_str());
        throw;
    }
    SyncFolder(path);
}

std::string ReadTextFile(const std::filesystem::path& path) { return Cp1251ToUtf8(ReadFileBytes(path)); }

void WriteTextFileAtomic(const std::filesystem::path& path, const std::string& utf8Text, mode_t mode) {
    WriteFileAtomic(path, Utf8ToCp1251(utf8Text), mode);
}

std::string ReadInputTextFile(const std::filesystem::path& path, uint64_t maxBytes) {
    const std::string bytes = ReadFileLimited(path, maxBytes);
    try {
        return DecodeTextFile(bytes);
    } catch (const std::exception& e) {
        throw TAppError(path.string() + ": " + e.what());
    }
}

bool IsTempFileOf(std::string_view name, std::string_view target) {
    if (target.empty() || !name.starts_with(target) || !name.ends_with(kTempSuffix)) return false;
    std::string_view middle = name.substr(target.size(), name.size() - target.size() - kTempSuffix.size());
    if (middle.empty()) return true;  // "<target>.tmp"
    if (middle.size() != kTempRandomChars + 1 || middle[0] != '.') return false;
    for (char c : middle.substr(1))
        if (!IsTempChar(c)) return false;
    return true;
}

void RemoveStaleTempFiles(const std::vector<std::filesystem::path>& files) {
    std::error_code ec;
    for (const auto& file : files) {
        const std::string target = file.filename().string();
        const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            if (!IsTempFileOf(entry.path().filename().string(), target)) continue;
            std::error_code removeError;
            if (!entry.is_directory(removeError)) std::filesystem::remove(entry.path(), removeError);
        }
    }
}

void RemoveStaleTempFilesIn(const std::filesystem::path& folder, std::string_view extension) {
    std::error_code ec;
    std::vector<std::filesystem::path> targets;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        // "X.dfc.ABCDEF.tmp" belongs to "X.dfc", which need not exist any more.
        std::string name = entry.path().filename().string();
        if (!name.ends_with(kTempSuffix)) continue;
        name.resize(name.size() - kTempSuffix.size());
        if (name.size() > kTempRandomChars + 1 && name[name.size() - kTempRandomChars - 1] == '.')
            name.resize(name.size() - kTempRandomChars - 1);
        if (name.ends_with(extension)) targets.push_back(folder / name);
    }
    RemoveStaleTempFiles(targets);
}

TUserTarget ResolveUserTarget(const std::filesystem::path& path) {
    TUserTarget target;
    target.Path = path;
    struct stat st {};
    // Followed through links first: /dev/stdout names the process's pipe or terminal this way.
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
            target.Kind = TUserTargetKind::Stream;
            return target;
        }
        if (S_ISDIR(st.st_mode)) Fail(path, EISDIR);
        if (!S_ISREG(st.st_mode)) throw TAppError(NotRegularText(path));
    } else if (errno != ENOENT) {
        Fail(path, errno);
    }
    // A link stays a link: the file it names (or will name, when it dangles) is the one replaced.
    for (int depth = 0; depth < 40; ++depth) {
        if (::lstat(target.Path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
        std::error_code ec;
        std::filesystem::path next = std::filesystem::read_symlink(target.Path, ec);
        if (ec) Fail(path, ec.value());
        target.Path = next.is_absolute() ? next : target.Path.parent_path() / next;
    }
    Fail(path, ELOOP);
}

void WriteUserTarget(const TUserTarget& target, std::string_view bytes, mode_t mode) {
    if (target.Kind == TUserTargetKind::File) return WriteFileAtomic(target.Path, bytes, mode);
    IgnoreFileSizeSignal();
    // No O_CREAT: a stream that vanished meanwhile is an error, never a new regular file.
    TFd fd(::open(target.Path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) Fail(target.Path, errno);
    WriteAll(fd.Get(), target.Path, bytes);
    if (fd.Close() != 0) Fail(target.Path, errno);
}

} // namespace qx
