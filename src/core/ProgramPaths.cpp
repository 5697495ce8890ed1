#include "core/ProgramPaths.h"

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
    return {DrawsFile(), ConfigFile(), FormStateFile(), StakesFile(), RatingsFile(),
            TablesFile(), ScriptFile(), FilterNamesFile()};
}

namespace {
std::filesystem::path Canonical(const std::filesystem::path& path) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(path, ec);
    return ec ? std::filesystem::absolute(path, ec).lexically_normal() : canonical;
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
