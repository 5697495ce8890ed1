#include "core/ProgramDir.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/Error.h"
#include "core/Game.h"
#include "core/Platform.h"
#include "core/Text.h"

namespace qx {
namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

bool WritableFolder(const std::filesystem::path& dir) {
    return ::access(dir.c_str(), W_OK) == 0;
}

} // namespace

TUserEnvironment TUserEnvironment::Current() {
    TUserEnvironment env;
    env.XdgDataHome = Variable("XDG_DATA_HOME");
    env.Home = Variable("HOME");
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) env.AccountHome = account->pw_dir;
    return env;
}

std::vector<std::filesystem::path> TProgramLocation::LanguageDirs() const {
    std::vector<std::filesystem::path> dirs;
    if (!ShareDir.empty()) dirs.push_back(ShareDir);
    if (Dir != ExePath.parent_path()) dirs.push_back(Dir);
    return dirs;
}

std::filesystem::path TProgramLocation::HelpShareDir() const {
    return ShareDir.empty() ? std::filesystem::path() : ShareDir / "help";
}

bool IsInstalledLayout(const std::filesystem::path& exeDir) {
    std::error_code ec;
    return exeDir.filename() == "bin" && std::filesystem::is_directory(exeDir.parent_path() / "share" / "quadrix", ec);
}

std::filesystem::path UserDataDir(const TUserEnvironment& env) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    if (env.XdgDataHome && std::filesystem::path(*env.XdgDataHome).is_absolute())
        return std::filesystem::path(*env.XdgDataHome) / kProgramBaseName;
    // An empty or relative HOME would put the folder wherever the user happens to stand.
    const bool homeUsable = env.Home && std::filesystem::path(*env.Home).is_absolute();
    const std::string home = homeUsable ? *env.Home : env.AccountHome;
    return std::filesystem::path(home) / ".local" / "share" / kProgramBaseName;
}

TProgramLocation LocateProgram(const std::filesystem::path& exePath, const TUserEnvironment& env) {
    TProgramLocation location;
    location.ExePath = exePath;
    const std::filesystem::path exeDir = exePath.parent_path();
    if (IsInstalledLayout(exeDir)) location.ShareDir = exeDir.parent_path() / "share" / "quadrix";
    location.Installed = !location.ShareDir.empty() || !WritableFolder(exeDir);
    location.Dir = location.Installed ? UserDataDir(env) : exeDir;
    return location;
}

void PrepareProgramDir(const TProgramLocation& location) {
    if (!location.Installed) return;
    // Missing parents are made private too: ~/.local/share may not exist on a fresh account.
    auto fail = [&](const std::string& reason) {
        throw TAppError(FormatText("Не удалось создать каталог программы \"%s\"!\r\r%s", {location.Dir.string(), reason}));
    };
    if (!location.Dir.is_absolute()) fail("Не задан домашний каталог пользователя.");
    std::filesystem::path path;
    for (const auto& part : location.Dir) {
        path /= part;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) fail(std::strerror(errno));
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(location.Dir, ec)) fail(std::strerror(ENOTDIR));
}

TProgramLocation ThisProgram() {
    TProgramLocation location = LocateProgram(OwnExecutable(), TUserEnvironment::Current());
    PrepareProgramDir(location);
    return location;
}

bool RunsInstalled() {
    return LocateProgram(OwnExecutable(), TUserEnvironment::Current()).Installed;
}

} // namespace qx
