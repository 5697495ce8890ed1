#pragma once
#include <filesystem>
#include <string_view>

namespace qx {

// The help file "Plexa_<abbr>.chm" is looked for in the program directory, in its "help"
// subdirectory and in the "help" directory beside it, then in lastDir when given (an installed
// program's shared help folder); the first that exists wins. When none exists the path is the
// last place looked at.
struct THelpLocation {
    std::filesystem::path Path;
    bool Exists = false;
};

THelpLocation LocateHelpFile(const std::filesystem::path& programDir, std::string_view languageAbbr,
                             const std::filesystem::path& lastDir = {});

} // namespace qx
