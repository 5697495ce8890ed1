#include "combs/FilterNames.h"

#include <vector>

#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Text.h"
#include "stats/StatList.h"

namespace qx {
namespace {
constexpr const char* kFilters = "FILTERS";
}

std::string NamesSection(int language) { return "STRINGS_" + IntToStr(language); }

void LoadNames(TStatList& list, const std::filesystem::path& file, bool withOptions, int language) {
    const TIniFile ini = WrapFailure(kLoadNamesFailure, [&] { return TIniFile::Load(file); });
    // Everything is read before anything is applied, so a failure leaves the registry as it was.
    const std::string section = NamesSection(language);
    std::vector<std::string> names;
    names.reserve(size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        names.emplace_back(Trim(ini.ReadString(section, list.Items(i).Code(), "")));
    if (withOptions) {
        const std::string favourites = ini.ReadString(kFilters, "Favorites", list.FavouritesText());
        const bool ordered = ini.ReadBool(kFilters, "Ordered", list.Ordered);
        const bool groupName = ini.ReadBool(kFilters, "ShowGroupName", list.ShowGroupName);
        const bool flags = ini.ReadBool(kFilters, "ShowMethodFlags", list.ShowMethodFlags);
        list.SetFavourites(favourites);
        list.Ordered = ordered;
        list.ShowGroupName = groupName;
        list.ShowMethodFlags = flags;
    }
    for (int i = 0; i < list.Count(); ++i) list.Items(i).CustomName = std::move(names[size_t(i)]);
}

void SaveNames(const TStatList& list, const std::filesystem::path& file, bool withOptions, bool allNames,
               int language) {
    WrapFailure(kSaveNamesFailure, [&] {
        UpdateIniFile(file, [&](TIniFile& ini) {
            if (withOptions) {
                ini.WriteString(kFilters, "Favorites", list.FavouritesText());
                ini.WriteBool(kFilters, "Ordered", list.Ordered);
                ini.WriteBool(kFilters, "ShowGroupName", list.ShowGroupName);
                ini.WriteBool(kFilters, "ShowMethodFlags", list.ShowMethodFlags);
            }
            const std::string section = NamesSection(language);
            ini.EraseSection(section);
            for (int i = 0; i < list.Count(); ++i) {
                const TStatMethod& m = list.Items(i);
                if (allNames)
                    ini.WriteString(section, m.Code(), m.BaseName());
                else if (!m.CustomName.empty())
                    ini.WriteString(section, m.Code(), m.CustomName);
            }
        });
    });
}

} // namespace qx
