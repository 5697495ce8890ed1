#include "core/HelpFile.h"

#include <string>
#include <vector>

namespace qx {

THelpLocation LocateHelpFile(const std::filesystem::path& programDir, std::string_view languageAbbr,
                             const std::filesystem::path& lastDir) {
    const std::string name = "Plexa_" + std::string(languageAbbr) + ".chm";
    std::vector<std::filesystem::path> candidates = {
        programDir / name,
        programDir / "help" / name,
        programDir.parent_path() / "help" / name,
    };
    if (!lastDir.empty()) candidates.push_back(lastDir / name);
    THelpLocation found;
    for (const auto& c : candidates) {
        found.Path = c;
        std::error_code ec;
        if (std::filesystem::is_regular_file(c, ec)) {
            found.Exists = true;
            break;
        }
    }
    return found;
}

} // namespace qx
