#include "core/ProgramPaths.h"

#include "core/Game.h"

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

} // namespace qx
