#include "core/Languages.h"

#include <algorithm>

namespace qx {

const std::vector<TLanguageInfo>& KnownLanguages() {
    static const std::vector<TLanguageInfo> table = {
        {1049, "RUS", "ru_RU"}, {1033, "ENU", "en_US"}, {2057, "ENG", "en_GB"}, {1058, "UKR", "uk_UA"},
        {1059, "BEL", "be_BY"}, {1087, "KKZ", "kk_KZ"}, {1091, "UZB", "uz_UZ"}, {1068, "AZE", "az_AZ"},
        {1079, "KAT", "ka_GE"}, {1067, "HYE", "hy_AM"}, {1088, "KYR", "ky_KG"}, {1064, "TAJ", "tg_TJ"},
        {1090, "TUK", "tk_TM"}, {1104, "MON", "mn_MN"}, {1062, "LVI", "lv_LV"}, {1063, "LTH", "lt_LT"},
        {1061, "ETI", "et_EE"}, {1031, "DEU", "de_DE"}, {1036, "FRA", "fr_FR"}, {1040, "ITA", "it_IT"},
        {3082, "ESN", "es_ES"}, {1045, "PLK", "pl_PL"}, {1029, "CSY", "cs_CZ"}, {1051, "SKY", "sk_SK"},
        {1038, "HUN", "hu_HU"}, {1048, "ROM", "ro_RO"}, {1026, "BGR", "bg_BG"}, {3098, "SRB", "sr_RS"},
        {1050, "HRV", "hr_HR"}, {1060, "SLV", "sl_SI"}, {1032, "ELL", "el_GR"}, {1055, "TRK", "tr_TR"},
        {1043, "NLD", "nl_NL"}, {1053, "SVE", "sv_SE"}, {1030, "DAN", "da_DK"}, {1044, "NOR", "nb_NO"},
        {1035, "FIN", "fi_FI"}, {1046, "PTB", "pt_BR"}, {2070, "PTG", "pt_PT"}, {1037, "HEB", "he_IL"},
        {1025, "ARA", "ar_SA"}, {2052, "CHS", "zh_CN"}, {1028, "CHT", "zh_TW"}, {1041, "JPN", "ja_JP"},
        {1042, "KOR", "ko_KR"},
    };
    return table;
}

const TLanguageInfo* FindLanguage(int lcid) {
    const auto& table = KnownLanguages();
    auto it =
        std::find_if(table.begin(), table.end(), [&](const TLanguageInfo& l) { return l.Lcid == lcid; });
    return it == table.end() ? nullptr : &*it;
}

bool SamePrimaryLanguage(int a, int b) {
    return PrimaryLanguageId(a) == PrimaryLanguageId(b);
}

std::filesystem::path LanguageModulePath(const std::filesystem::path& exePath, std::string_view abbr,
                                         const std::vector<std::filesystem::path>& moreDirs) {
    std::filesystem::path beside = exePath;
    beside.replace_extension();
    beside += "_" + std::string(abbr) + ".lng";
    std::error_code ec;
    if (std::filesystem::is_regular_file(beside, ec)) return beside;
    for (const auto& dir : moreDirs)
        if (std::filesystem::is_regular_file(dir / beside.filename(), ec)) return dir / beside.filename();
    return beside;
}

std::vector<int> AvailableLanguages(const std::filesystem::path& exePath,
                                    const std::vector<std::filesystem::path>& moreDirs) {
    std::vector<int> ids = {kBuiltInLanguage};
    for (const auto& l : KnownLanguages()) {
        if (l.Lcid == kBuiltInLanguage) continue;
        std::error_code ec;
        if (std::filesystem::is_regular_file(LanguageModulePath(exePath, l.Abbr, moreDirs), ec)) ids.push_back(l.Lcid);
    }
    return ids;
}

int RequestedLanguage(int stored, bool noLanguageSwitch) {
    return noLanguageSwitch ? kBuiltInLanguage : stored;
}

} // namespace qx
