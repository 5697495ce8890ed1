#include "export/ExportSettings.h"

#include <algorithm>
#include <exception>

#include "core/Error.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "export/ExportTexts.h"

namespace qx {
namespace {

// Words between ";" as saved entries have them: a run of separators is one, empty words do not
// count, and the words keep their blanks (a caption may begin or end with one).
std::vector<std::string_view> EntryWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ';') continue;
        if (i > start) words.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    return words;
}

// "-1" and "0", any other number, or the words true and false.
std::optional<bool> TryReadBool(std::string_view text) {
    if (auto number = TryStrToInt(text)) return *number != 0;
    if (SameText(text, "true")) return true;
    if (SameText(text, "false")) return false;
    return std::nullopt;
}

std::string ItemKey(size_t i) { return FormatText("Item_%d", {IntToStr(int64_t(i))}); }

void ApplyEntry(std::string_view entry, size_t position, TExportFields& fields) {
    const auto words = EntryWords(entry);
    if (words.size() != 6) return;
    const int32_t index = TryStrToInt(Trim(words[0])).value_or(-1);
    const std::string_view physical = Trim(words[1]);
    auto it = std::find_if(fields.begin(), fields.end(), [&](const TExportField& f) {
        return f.SourceIndex == index && SameText(Trim(f.PhysicalName), physical);
    });
    if (it == fields.end()) return;
    const size_t from = size_t(it - fields.begin());
    if (from != position) {
        TExportField moved = std::move(*it);
        fields.erase(it);
        fields.insert(fields.begin() + std::ptrdiff_t(std::min(position, fields.size())), std::move(moved));
    }
    TExportField& f = fields[std::min(position, fields.size() - 1)];
    f.Caption = std::string(words[2]);
    if (auto checked = TryReadBool(Trim(words[3]))) f.Checked = *checked;
    if (auto alignment = TryStrToInt(Trim(words[4]))) f.Alignment = *alignment;
    f.Width = std::string(Trim(words[5]));
}

} // namespace

TExportSettings DefaultExportSettings(const TExportRequest& request, TExportFields fields, int mode) {
    TExportSettings s;
    s.Title = request.Title;
    s.Notes = request.Notes;
    s.SheetName = std::string(LeftChars(request.SheetName, kMaxSheetNameChars));
    s.Orientation = request.Orientation >= 0 && request.Orientation <= 2 ? request.Orientation : 0;
    s.RestoreParameters = request.KeepParameters;
    s.SendMode = mode;
    s.Fields = std::move(fields);
    return s;
}

std::string ExportSectionName(std::string_view formName, std::string_view viewName) {
    auto upper = [](std::string_view text) {
        std::string s(text);
        for (char& c : s)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return s;
    };
    return "EXPORT_EXCEL_" + upper(formName) + "." + upper(viewName);
}

std::string FieldEntryText(const TExportField& field) {
    return FormatText("%d;%s;%s;%s;%d;%s",
                      {IntToStr(field.SourceIndex), std::string(Trim(field.PhysicalName)), field.Caption,
                       field.Checked ? "-1" : "0", IntToStr(field.Alignment), field.Width});
}

bool ApplyExportSection(const TIniFile& ini, std::string_view section, bool restoring, TExportSettings& s,
                        TShell& shell) {
    if (!ini.HasSection(section)) return false;
    if (restoring) {
        s.RestoreParameters = ini.ReadBool(section, "RestoreParameters", s.RestoreParameters);
        if (!s.RestoreParameters) return true;
    }
    if (!restoring || Trim(s.Title).empty()) s.Title = ini.ReadString(section, "Title", s.Title);
    if (Trim(s.Notes).empty()) s.Notes = ini.ReadString(section, "Notes", s.Notes);
    s.ShowCreateTime = ini.ReadBool(section, "ShowCreateTime", s.ShowCreateTime);
    s.SheetName = std::string(LeftChars(ini.ReadString(section, "SheetName", s.SheetName), kMaxSheetNameChars));
    const int orientation = ini.ReadInteger(section, "PageOrientation", s.Orientation);
    s.Orientation = orientation >= 0 && orientation <= 2 ? orientation : 0;
    s.FontSize = std::clamp(ini.ReadInteger(section, "BaseFontSize", s.FontSize), kMinFontSize, kMaxFontSize);
    for (size_t i = 0; i < s.Fields.size(); ++i) {
        try {
            const std::string entry = ini.ReadString(section, ItemKey(i), "");
            if (!entry.empty()) ApplyEntry(entry, i, s.Fields);
        } catch (const std::exception& e) {
            shell.ShowError(WithReason(
                FormatText("Ошибка загрузки параметров экспортируемого поля ID=\"%d\"!", {IntToStr(int64_t(i))}),
                e.what()));
        }
    }
    return true;
}

void LoadExportSettings(const std::filesystem::path& file, std::string_view section, bool restoring,
                        TExportSettings& settings, TShell& shell) {
    try {
        ApplyExportSection(TIniFile::Load(file), section, restoring, settings, shell);
    } catch (const std::exception& e) {
        shell.ShowError(
            WithReason(FormatText("Ошибка загрузки параметров экспорта из файла \"%s\"!", {file.string()}), e.what()));
    }
}

void WriteExportSection(TIniFile& ini, std::string_view section, const TExportSettings& s, bool withRestore) {
    ini.EraseSection(section);
    if (withRestore) ini.WriteBool(section, "RestoreParameters", s.RestoreParameters);
    ini.WriteString(section, "Title", s.Title);
    ini.WriteString(section, "Notes", s.Notes);
    ini.WriteBool(section, "ShowCreateTime", s.ShowCreateTime);
    ini.WriteString(section, "SheetName", s.SheetName);
    ini.WriteInteger(section, "PageOrientation", s.Orientation);
    ini.WriteInteger(section, "BaseFontSize", s.FontSize);
    for (size_t i = 0; i < s.Fields.size(); ++i) ini.WriteString(section, ItemKey(i), FieldEntryText(s.Fields[i]));
}

bool SaveExportSettings(const std::filesystem::path& file, std::string_view section, const TExportSettings& settings,
                        bool withRestore, TShell& shell, mode_t mode) {
    // The whole file is made in memory first: a failure anywhere leaves the old file untouched
    // instead of rewriting it without the section.
    try {
        UpdateIniFile(file, [&](TIniFile& ini) { WriteExportSection(ini, section, settings, withRestore); }, mode);
        return true;
    } catch (const std::exception& e) {
        shell.ShowError(
            WithReason(FormatText("Ошибка сохранения параметров экспорта в файле \"%s\"!", {file.string()}), e.what()));
        return false;
    }
}

} // namespace qx
