#include "core/ProgramPaths.h"

#include <algorithm>
#include <string_view>
#include <sys/stat.h>

#include "core/Error.h"
#include "core/Game.h"
#include "core/Text.h"

namespace qx {

std::filesystem::path TProgramPaths::Base(const std::string& extension) const {
    return Dir / (std::string(kProgramBaseName) + extension);
}

std::filesystem::path TProgramPaths::DrawsFile() const { return Base(".ldr"); }
std::filesystem::path TProgramPaths::ConfigFile() const { return Base(".ini"); }
std::filesystem::path TProgramPaths::FormStateFile() const { return Dir / (ExeName + ".frm"); }
std::filesystem::path TProgramPaths::StakesFile() const { return Base(".lsk"); }
std::filesystem::path TProgramPaths::RatingsFile() const { return Base(".lrt"); }
std::filesystem::path TProgramPaths::TablesFile() const { return Base(".ltb"); }
std::filesystem::path TProgramPaths::ScriptFile() const { return Base(".lss"); }
std::filesystem::path TProgramPaths::FilterNamesFile() const { return Dir / (ExeName + ".flt"); }
std::filesystem::path TProgramPaths::PrefetchsDir() const { return Dir / "Prefetchs"; }

std::vector<std::filesystem::path> TProgramPaths::DataFiles() const {
    // The stakes file's backup holds the only copy of stakes an outdated file had.
    return {DrawsFile(), ConfigFile(), FormStateFile(), StakesFile(), Base(".lsk.bak"), RatingsFile(),
            TablesFile(), ScriptFile(), FilterNamesFile()};
}

namespace {
std::filesystem::path Canonical(const std::filesystem::path& path) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(path, ec);
    return ec ? std::filesystem::absolute(path, ec).lexically_normal() : canonical;
}

// The stake logs "Quadrix_4d10-<matches>.log".
bool IsStakeLog(const std::filesystem::path& name) {
    const std::string text = name.string();
    const std::string prefix = std::string(kProgramBaseName) + "-";
    if (!text.starts_with(prefix) || !text.ends_with(".log") || text.size() <= prefix.size() + 4) return false;
    const std::string_view digits(text.data() + prefix.size(), text.size() - prefix.size() - 4);
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool SameInode(const struct stat& a, const std::filesystem::path& b) {
    struct stat st {};
    return ::stat(b.c_str(), &st) == 0 && st.st_dev == a.st_dev && st.st_ino == a.st_ino;
}
} // namespace

bool TProgramPaths::IsOwnDataFile(const std::filesystem::path& path) const {
    const std::filesystem::path target = Canonical(path);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (target.parent_path() == Canonical(PrefetchsDir()) && target.extension() == ".dfc") return true;
    if (target.parent_path() == Canonical(Dir) && IsStakeLog(target.filename())) return true;
    for (const auto& file : DataFiles())
        if (target == Canonical(file) || (exists && SameInode(st, file))) return true;
    return false;
}

TUserTarget ResolveOutputFile(const TProgramPaths& paths, const std::filesystem::path& file) {
    if (paths.IsOwnDataFile(file))
        throw TAppError(FormatText("Файл \"%s\" является файлом данных программы: выберите другое имя файла",
                                   {file.string()}));
    return ResolveUserTarget(file);
}

} // namespace qx
