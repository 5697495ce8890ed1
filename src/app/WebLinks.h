#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/IniFile.h"

namespace qx {

inline constexpr const char* kLinksSection = "LINKS";

// Web addresses behind the link commands (key = command name) and the contact shown by the
// about dialog. They are settings: section LINKS of the configuration file overrides the
// defaults, and the program never writes them. An empty address leaves its command disabled.
class TWebLinks {
public:
    TWebLinks();
    static TWebLinks Read(const TIniFile& ini);

    // The commands that open an address, in menu order.
    static const std::vector<std::string>& Commands();
    std::string Address(std::string_view command) const;
    const std::string& Mail() const { return FMail; }

private:
    std::vector<std::pair<std::string, std::string>> FAddresses;
    std::string FMail;
};

// An address without a scheme gets "http://" in front.
std::string UrlWithScheme(std::string_view address);

} // namespace qx
