#include "online/OnlineSettings.h"

#include "core/Text.h"

namespace qx {

const std::vector<TOnlineSettings::TKey>& TOnlineSettings::Keys() {
    static const std::vector<TKey> keys = {
        {"ResultsPageUrl", &TOnlineSettings::ResultsPageUrl, ""},
        {"ResultsGameName", &TOnlineSettings::ResultsGameName, "pick4"},
        {"ProxyListUrl", &TOnlineSettings::ProxyListUrl, ""},
        {"UpdateUrl", &TOnlineSettings::UpdateUrl, ""},
        {"UpdateLocal", &TOnlineSettings::UpdateLocal, "0"},
        {"CatalogueUrl", &TOnlineSettings::CatalogueUrl, ""},
        {"AppId", &TOnlineSettings::AppId, kDefaultAppId},
        {"UserName", &TOnlineSettings::UserName, ""},
        {"UserMail", &TOnlineSettings::UserMail, ""},
        {"CaFile", &TOnlineSettings::CaFile, ""},
    };
    return keys;
}

TOnlineSettings::TOnlineSettings() {
    for (const TKey& k : Keys()) this->*k.Field = k.Default;
}

bool TOnlineSettings::UpdateLocalAllowed() const {
    return StrToIntDef(UpdateLocal, 0) != 0;
}

TOnlineSettings TOnlineSettings::Read(const TIniFile& ini, const std::filesystem::path& programDir) {
    TOnlineSettings s;
    for (const TKey& k : Keys()) s.*k.Field = std::string(Trim(ini.ReadString(kOnlineSection, k.Name, k.Default)));
    if (!s.CaFile.empty() && std::filesystem::path(s.CaFile).is_relative())
        s.CaFile = (programDir / s.CaFile).string();
    return s;
}

} // namespace qx
