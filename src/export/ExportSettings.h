#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "core/IniFile.h"
#include "export/ExportField.h"

namespace qx {

class TShell;

// What a command asks of an export: the report's title, sheet name and notes, the page
// orientation, and whether the dialog keeps its settings in the configuration file.
struct TExportRequest {
    std::string FormName = "FormMain";  // the form owning the view: names the parameter section
    std::string Title;
    std::string SheetName;
    std::string Notes;
    int Orientation = 0;
    bool KeepParameters = true;
};

inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 100;
inline constexpr int kDefaultFontSize = 8;
inline constexpr size_t kMaxSheetNameChars = 128;

// The export dialog's state: what is remembered per view, and the row mode.
struct TExportSettings {
    std::string Title;
    std::string Notes;
    bool ShowCreateTime = true;
    std::string SheetName;
    int Orientation = 0;  // 0 untouched, 1 portrait, 2 landscape
    int FontSize = kDefaultFontSize;
    int SendMode = 0;     // 0 all rows shown, 1 the selected rows
    bool RestoreParameters = true;
    TExportFields Fields;
};

// The dialog's settings before anything is loaded.
TExportSettings DefaultExportSettings(const TExportRequest& request, TExportFields fields, int mode);

// "EXPORT_EXCEL_<FORM>.<VIEW>", both names upper-cased.
std::string ExportSectionName(std::string_view formName, std::string_view viewName);

// A field as an "Item_%d" value: "index;physical name;caption;-1 or 0;alignment;width".
std::string FieldEntryText(const TExportField& field);

// Applies a view's section. Restoring (the configuration file when the dialog opens) takes
// RestoreParameters first and stops when it is off, and takes the title only when the current
// one is blank; explicit loading (a file the user chose) always takes it. Entries that cannot be
// used are ignored; an entry whose application fails is reported with its number. Values out of
// range are clamped. Returns whether the section was there.
bool ApplyExportSection(const TIniFile& ini, std::string_view section, bool restoring, TExportSettings& settings,
                        TShell& shell);
// The same from a file; a file that cannot be read is reported. Nothing is written.
void LoadExportSettings(const std::filesystem::path& file, std::string_view section, bool restoring,
                        TExportSettings& settings, TShell& shell);

// Replaces the view's section in ini; RestoreParameters only for the configuration file.
void WriteExportSection(TIniFile& ini, std::string_view section, const TExportSettings& settings,
                        bool withRestore);
// Rewrites the file with the view's section replaced and every other section kept. The file is
// replaced whole or not at all: on failure the old file stays as it was and the message is
// shown. Returns whether the settings were written.
bool SaveExportSettings(const std::filesystem::path& file, std::string_view section, const TExportSettings& settings,
                        bool withRestore, TShell& shell, mode_t mode = 0644);

} // namespace qx
