#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "online/ScriptCatalogue.h"

namespace qx {

// The online script library as the script tab's panel shows it: the entries of the last load in
// answer order and the selected one. The window only mirrors it.

inline constexpr int kScriptLibraryFilterCount = 8;
inline constexpr int kScriptLibraryColumnCount = 13;
// The filter number sent for a filter list index ("Скрытые" is index 0 and sends -1).
inline constexpr int ScriptLibraryFilterId(int filterIndex) { return filterIndex - 1; }

// A number with the given decimals and its thousands grouped by blanks ("1 234.500").
std::string FormatGrouped(double value, int decimals);
// The list's cells in column order: Тип, Название, Автор, Программа, Версия, Язык, Создан,
// Рейтинг, Оценок, Ваша оценка, Загрузок, Последняя, Комментарии.
std::vector<std::string> ScriptLibraryCells(const tScriptInfo& entry);
// The three-letter abbreviation of a language; the number itself for a language the program
// does not know.
std::string LanguageAbbreviation(int32_t lcid);
// A received script text as lines: split at CR LF or LF; a last line break ends the last line.
std::vector<std::string> ScriptTextLines(std::string_view text);

// Whether the entry's commands may run (the panel shown is checked by the caller).
struct TScriptLibraryEnabling {
    bool Download = false, Replace = false, Delete = false, Selected = false, Rate0 = false;
    int CheckedRate = 0;  // the mark whose command is checked, -1 "Скрыть сценарий", 0 none
};
TScriptLibraryEnabling ScriptLibraryEnabling(const tScriptInfo* entry, bool scriptEmpty);

class TScriptLibrary {
public:
    const std::vector<tScriptInfo>& Entries() const { return FEntries; }
    int Count() const { return static_cast<int>(FEntries.size()); }
    // The selected entry's index, -1 without one.
    int Selected() const { return FSelected; }
    void Select(int index) { FSelected = index >= 0 && index < Count() ? index : -1; }
    const tScriptInfo* Current() const { return FSelected >= 0 ? &FEntries[size_t(FSelected)] : nullptr; }
    int IndexOf(int32_t id) const;

    // New entries; the entry with keepId, if still there, is selected again.
    void Assign(std::vector<tScriptInfo> entries, int32_t keepId);
    void Clear() { Assign({}, 0); }
    // Adds an entry and selects it; its index.
    int Add(tScriptInfo entry);
    void Update(int index, tScriptInfo entry);
    void Remove(int index);

private:
    std::vector<tScriptInfo> FEntries;
    int FSelected = -1;
};

} // namespace qx
