#include "online/UpdateVersion.h"

#include "core/Text.h"

namespace qx {

std::string ProgramVersion() { return QUADRIX_VERSION; }

int BuildNumber(std::string_view version) {
    const auto words = SplitWords(version, ",-._");
    if (words.size() < 4) return 0;
    return StrToIntDef(words[3], 0);
}

bool SafeVersionId(std::string_view id) {
    if (id.empty() || id.front() == '.') return false;
    for (unsigned char c : id) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
                        c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

} // namespace qx
