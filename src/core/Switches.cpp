#include "core/Switches.h"

#include "core/Text.h"

namespace qx {

bool MatchesSwitch(std::string_view param, std::string_view word) {
    for (std::string_view prefix : {"", "-", "--", "/", "\\"}) {
        if (param.size() == prefix.size() + word.size() && param.substr(0, prefix.size()) == prefix &&
            SameText(param.substr(prefix.size()), word))
            return true;
    }
    return false;
}

TSwitches TSwitches::Parse(const std::vector<std::string>& params) {
    TSwitches s;
    for (const auto& p : params) {
        s.Restart = s.Restart || MatchesSwitch(p, "restart");
        s.LoadOnly = s.LoadOnly || MatchesSwitch(p, "loadonly");
        s.FullRecreate = s.FullRecreate || MatchesSwitch(p, "fullrecreate");
        s.FullRefresh = s.FullRefresh || MatchesSwitch(p, "fullrefresh");
        s.NoLanguage = s.NoLanguage || MatchesSwitch(p, "no-language");
    }
    return s;
}

} // namespace qx
