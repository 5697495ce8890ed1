#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Interface languages are identified by Windows-style locale ids (1049 Russian, 1033 English...).
// A language other than the built-in Russian comes from a module file beside the executable:
// "<executable path without extension>_<three-letter abbreviation>.lng".
struct TLanguageInfo {
    int Lcid = 0;
    const char* Abbr = "";       // three-letter abbreviation, as in module and help file names
    const char* LocaleName = ""; // the same locale in POSIX form, for names and number formats
};

inline constexpr int kBuiltInLanguage = 1049;

const std::vector<TLanguageInfo>& KnownLanguages();
// Nothing for an id the program does not know.
const TLanguageInfo* FindLanguage(int lcid);
// The primary language of a locale id (its low ten bits): 1033 and 2057 are both English.
inline constexpr int PrimaryLanguageId(int lcid) {
    return lcid & 0x3FF;
}
bool SamePrimaryLanguage(int a, int b);

// The module file of a language: beside the executable, else the first of moreDirs holding a file
// of that name; when none exists, the path beside the executable.
std::filesystem::path LanguageModulePath(const std::filesystem::path& exePath, std::string_view abbr,
                                         const std::vector<std::filesystem::path>& moreDirs = {});
// The built-in language first, then every known language whose module file exists.
std::vector<int> AvailableLanguages(const std::filesystem::path& exePath,
                                    const std::vector<std::filesystem::path>& moreDirs = {});
// The language start-up asks for: the stored one, or the built-in one with "no-language".
int RequestedLanguage(int stored, bool noLanguageSwitch);

} // namespace qx
