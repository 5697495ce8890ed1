#pragma once
#include <filesystem>
#include <string>

namespace qx {

class TStatList;

inline constexpr const char* kLoadNamesFailure = "Ошибка загрузки списка фильтров!\r\r%s";
inline constexpr const char* kSaveNamesFailure = "Ошибка сохранения списка фильтров!\r\r%s";

// The section of the custom names of an interface language: "STRINGS_1049".
std::string NamesSection(int language);

// Reads the filter-name file into the registry: with options the favourites and the three display
// options of section FILTERS, then every method's custom name from the language's section (a
// method not listed gets none; unknown codes and foreign lines are passed over). A missing file
// reads as an empty one. Raises the load failure text; the registry is then as it was.
void LoadNames(TStatList& list, const std::filesystem::path& file, bool withOptions, int language);

// Writes the filter-name file atomically, keeping its other sections and lines: with options the
// four FILTERS keys; the language's section holds every method's display name (allNames, an
// export) or only the custom names. Raises the save failure text; the old file is then untouched.
void SaveNames(const TStatList& list, const std::filesystem::path& file, bool withOptions, bool allNames,
               int language);

} // namespace qx
