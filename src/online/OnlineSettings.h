#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "core/IniFile.h"

namespace qx {

inline constexpr const char* kOnlineSection = "ONLINE";

// Addresses of the servers the program talks to, and the extra certificates it trusts. They are
// settings: section ONLINE of the configuration file overrides the defaults, and the program
// never writes them. An empty address means the service is not configured.
struct TOnlineSettings {
    // Scheme, host and port of the operator's results page ("http://host:port").
    std::string ResultsPageUrl;
    // The operator's name of the four-digit game in the results query.
    std::string ResultsGameName;
    // The public proxy-list page searched in automatic proxy mode.
    std::string ProxyListUrl;
    // The update server ("https://host[:port][/folder]"); the configuration's path is appended.
    std::string UpdateUrl;
    // "1": update addresses may also be local paths or http on this machine (tests, offline
    // mirrors); anything else: https only.
    std::string UpdateLocal;
    // The catalogue server of shared scripts and systems ("https://host[:port]"); the request
    // paths ("/scripts/...php") are appended.
    std::string CatalogueUrl;
    // This program's identifier in the catalogue, and the name and e-mail the user is known by
    // there (empty until the user sets them).
    std::string AppId;
    std::string UserName;
    std::string UserMail;
    // PEM file trusted by every https request besides the system's certificates; a relative
    // name is taken from the program directory.
    std::string CaFile;

    TOnlineSettings();
    bool UpdateLocalAllowed() const;
    static TOnlineSettings Read(const TIniFile& ini, const std::filesystem::path& programDir);

    struct TKey {
        const char* Name;
        std::string TOnlineSettings::*Field;
        const char* Default;
    };
    // Every key of the section with its default, in the order the README lists them.
    static const std::vector<TKey>& Keys();
};

// The reason a command gives when its server address is empty.
// The identifier the catalogue knows this program by unless the settings give another.
inline constexpr const char* kDefaultAppId = "{5B7E2C94-31D8-4A6F-9E02-C4A18F6D3B70}";

inline constexpr const char* kNoServerAddress = "Адрес сервера не задан";

} // namespace qx
