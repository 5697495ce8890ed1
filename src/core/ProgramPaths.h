#pragma once
#include <filesystem>
#include <string>

namespace qx {

// Where the program keeps its files: everything lies in the program directory under the base
// name Quadrix_4d10; the window-state and filter-name files carry the executable's own name.
struct TProgramPaths {
    std::filesystem::path Dir;
    std::string ExeName = "Quadrix_4d10";

    std::filesystem::path DrawsFile() const;    // .ldr
    std::filesystem::path ConfigFile() const;   // .ini
    std::filesystem::path FormStateFile() const;  // <exe>.frm
    std::filesystem::path StakesFile() const;   // .lsk
    std::filesystem::path RatingsFile() const;  // .lrt
    std::filesystem::path TablesFile() const;   // .ltb
    std::filesystem::path ScriptFile() const;   // .lss
    std::filesystem::path FilterNamesFile() const;  // <exe>.flt
    std::filesystem::path PrefetchsDir() const;

    std::filesystem::path Base(const std::string& extension) const;
};

} // namespace qx
