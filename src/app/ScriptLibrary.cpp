#include "app/ScriptLibrary.h"

#include <cmath>
#include <cstdio>

#include "core/Languages.h"
#include "core/Text.h"
#include "online/CatalogueText.h"

namespace qx {

std::string FormatGrouped(double value, int decimals) {
    std::string fixed = FormatReal(std::fabs(value), TRealFormat::Fixed, decimals);
    const size_t point = fixed.find('.');
    std::string whole = fixed.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : fixed.substr(point);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3) whole.insert(size_t(at), " ");
    const bool negative = value < 0 && fixed.find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + whole + fraction;
}

std::string LanguageAbbreviation(int32_t lcid) {
    const TLanguageInfo* info = FindLanguage(lcid);
    return info ? info->Abbr : IntToStr(lcid);
}

std::vector<std::string> ScriptLibraryCells(const tScriptInfo& e) {
    std::string yours;
    if (e.YourRating == -1) yours = "Скрытый";
    else if (e.YourRating != 0) yours = IntToStr(e.YourRating);
    return {e.Mine ? "Мой" : "Общий",
            e.Title,
            e.Author,
            e.Universal ? "Универсальный" : e.AppName,
            e.AppVersion,
            LanguageAbbreviation(e.Language),
            FormatCatalogueDate(e.Created),
            FormatGrouped(e.Rating, 3),
            IntToStr(e.Ratings),
            yours,
            IntToStr(e.Downloads),
            FormatCatalogueDate(e.LastDownload),
            e.Description};
}

std::vector<std::string> ScriptTextLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (end < text.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

TScriptLibraryEnabling ScriptLibraryEnabling(const tScriptInfo* e, bool scriptEmpty) {
    TScriptLibraryEnabling en;
    if (!e) return en;
    en.Selected = true;
    en.Download = e->Compatible;
    en.Replace = e->Editable && !scriptEmpty;
    en.Delete = e->Editable;
    en.Rate0 = e->YourRating != 0;
    en.CheckedRate = e->YourRating;
    return en;
}

int TScriptLibrary::IndexOf(int32_t id) const {
    for (size_t i = 0; i < FEntries.size(); ++i)
        if (FEntries[i].Id == id) return static_cast<int>(i);
    return -1;
}

void TScriptLibrary::Assign(std::vector<tScriptInfo> entries, int32_t keepId) {
    FEntries = std::move(entries);
    FSelected = keepId != 0 ? IndexOf(keepId) : -1;
}

int TScriptLibrary::Add(tScriptInfo entry) {
    FEntries.push_back(std::move(entry));
    FSelected = Count() - 1;
    return FSelected;
}

void TScriptLibrary::Update(int index, tScriptInfo entry) {
    if (index >= 0 && index < Count()) FEntries[size_t(index)] = std::move(entry);
}

void TScriptLibrary::Remove(int index) {
    if (index < 0 || index >= Count()) return;
    FEntries.erase(FEntries.begin() + index);
    if (FSelected == index) FSelected = -1;
    else if (FSelected > index) --FSelected;
}

} // namespace qx
