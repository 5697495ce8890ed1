#include "app/WebLinks.h"

#include <algorithm>

#include "core/Text.h"

namespace qx {

const std::vector<std::string>& TWebLinks::Commands() {
    static const std::vector<std::string> names = {"OpenLotoSite", "urlMainSite", "urlBlog",
                                                   "urlYT",        "urlAuthText", "urlVK",
                                                   "urlOK",        "urlAuthSite", "urlTG"};
    return names;
}

TWebLinks::TWebLinks() {
    for (const auto& c : Commands()) FAddresses.emplace_back(c, "");
    // The operator's page of the game; the maker's pages have no default.
    FAddresses.front().second = "https://www.valottery.com/";
}

TWebLinks TWebLinks::Read(const TIniFile& ini) {
    TWebLinks links;
    for (auto& [command, address] : links.FAddresses)
        address = std::string(Trim(ini.ReadString(kLinksSection, command, address)));
    links.FMail = std::string(Trim(ini.ReadString(kLinksSection, "Mail", "")));
    return links;
}

std::string TWebLinks::Address(std::string_view command) const {
    auto it =
        std::find_if(FAddresses.begin(), FAddresses.end(), [&](const auto& a) { return a.first == command; });
    return it == FAddresses.end() ? std::string() : it->second;
}

std::string UrlWithScheme(std::string_view address) {
    std::string a(Trim(address));
    if (a.empty()) return a;
    auto colon = a.find(':');
    bool hasScheme = colon != std::string::npos && colon > 0 &&
                     std::all_of(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(colon), [](char ch) {
                         return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                                (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.';
                     });
    // "host:8080/path" is a host with a port, not a scheme.
    if (hasScheme && a.compare(colon, 3, "://") != 0 && !SameText(a.substr(0, colon), "mailto"))
        hasScheme = false;
    return hasScheme ? a : "http://" + a;
}

} // namespace qx
