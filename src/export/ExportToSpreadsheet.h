#pragma once
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>

#include "export/ExportSettings.h"
#include "export/ExportSource.h"
#include "export/Spreadsheet.h"

namespace qx {

class TShell;

// What an export works with besides its source.
struct TExportEnvironment {
    TShell& Shell;
    std::filesystem::path SettingsFile;  // the configuration file holding the export sections
    mode_t SettingsMode = 0600;
    char DecimalSeparator = '.';         // of the width texts and of the numbers in cells
    std::function<std::time_t()> Clock;  // the report's date line; empty: now
};

struct TExportDialogInfo {
    TSourceCounts Counts;
    std::string Section;
    bool KeepParameters = true;
};
// Shows the export dialog over the settings; false when it is cancelled.
using TExportDialog = std::function<bool(TExportSettings&, const TExportDialogInfo&)>;

// The settings the dialog opens with: the request's values, the source's fields, the mode of
// its selection, the view's saved section when kept, the checked fields first.
TExportSettings OpeningSettings(const TExportEnvironment& env, const TExportSource& source,
                                const TExportRequest& request);

// The command: the dialog, then (confirmed) the settings saved when kept and the export.
// True when the workbook was reached and nothing failed afterwards.
bool ExportToSpreadsheet(const TExportEnvironment& env, const TExportSource& source, const TExportRequest& request,
                         const TExportDialog& dialog, TSpreadsheet& sheet);

// The export itself, under the progress window: workbook, sheet, column formats, title block,
// captions, the rows. Failures are shown; true when nothing failed.
bool WriteSpreadsheet(const TExportEnvironment& env, const TExportSource& source, const TExportSettings& settings,
                      TSpreadsheet& sheet);

} // namespace qx
