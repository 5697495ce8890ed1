#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "core/FileIO.h"

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

    // The files the program keeps in its directory (full-set files aside).
    std::vector<std::filesystem::path> DataFiles() const;
    // Whether path is one of them or a full-set file, also when reached through a link, another
    // spelling of the path or a hard link.
    bool IsOwnDataFile(const std::filesystem::path& path) const;
};

// A file the user chose to write to (an export, a saved list), resolved as ResolveUserTarget does;
// the program's own data files are refused, so an export can never overwrite the archive.
TUserTarget ResolveOutputFile(const TProgramPaths& paths, const std::filesystem::path& file);

} // namespace qx
