#include "export/ExportToSpreadsheet.h"

#include <algorithm>
#include <exception>
#include <map>

#include "core/Error.h"
#include "core/Shell.h"
#include "core/Text.h"
#include "export/CellNumber.h"
#include "export/ExportTexts.h"
#include "export/UserDateTime.h"

namespace qx {
namespace {

// The progress bar moves about a hundred times over the rows: every step repaints the window.
constexpr int kRowProgressChunks = 100;

std::time_t Now(const TExportEnvironment& env) { return env.Clock ? env.Clock() : std::time(nullptr); }

// Runs one of the operations that reach the workbook; a failure is shown with its text.
template <class Fn>
bool Reach(TShell& shell, const std::string& failure, Fn&& fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        shell.ShowError(WithReason(failure, e.what()));
        return false;
    }
}

// Writes the sheet: everything from the column formats to the last row. Rows go in ascending
// order, as the workbook takes them.
class TSheetWriter {
public:
    TSheetWriter(const TExportEnvironment& env, const TExportSource& source, const TExportSettings& s,
                 TSpreadsheet& sheet)
        : FEnv(env), FShell(env.Shell), FSource(source), FSettings(s), FSheet(sheet) {
        for (const TExportField& f : s.Fields)
            if (f.Checked) FColumns.push_back(&f);
    }

    void FormatColumns() {
        int k = 0;
        for (const TExportField& f : FSettings.Fields) {
            if (f.Checked) {
                TCellStyle style = BaseStyle();
                style.Align = ExportAlignment(f.Alignment);
                FSheet.FormatColumn(k++, SheetColumnWidth(f.Width), style);
            }
            FShell.StepProgress(1);
        }
    }

    // Title, notes and date line; returns the row of the captions.
    int WriteTitleBlock() {
        int row = 0;
        TCellStyle title = BaseStyle();
        title.FontSize += 4;
        title.Bold = true;
        FSheet.WriteText(row++, 0, FSettings.Title, title);
        if (!Trim(FSettings.Notes).empty()) {
            TCellStyle notes = BaseStyle();
            notes.Bold = true;
            FSheet.WriteText(row++, 0, FSettings.Notes, notes);
        }
        if (FSettings.ShowCreateTime) {
            TCellStyle date = BaseStyle();
            date.Italic = true;
            FSheet.WriteText(row++, 0, FormatText(kReportDateLine, {UserDateTimeText(Now(FEnv))}), date);
        }
        FShell.StepProgress(1);
        return row + 1;  // one empty row between
    }

    void WriteCaptions(int row) {
        TCellStyle style = BaseStyle();
        style.Align = kAlignCenter;
        style.Wrap = true;
        style.Border = TCellBorder::Medium;
        for (size_t k = 0; k < FColumns.size(); ++k) FSheet.WriteText(row, int(k), FColumns[k]->Caption, style);
        FShell.StepProgress(int(FSettings.Fields.size()));
    }

    // m rows from firstRow: the source rows that go out, then empty bordered rows when the mode
    // promised more rows than the source has selected.
    void WriteRows(int firstRow, int m) {
        FShell.SetProgressText(kProgressPreparing);
        const std::vector<int> rows = RowsToExport(FSource, FSettings.SendMode);
        std::vector<TCellStyle> styles;
        for (const TExportField* f : FColumns) {
            TCellStyle style = BaseStyle();
            style.Align = ExportAlignment(f->Alignment);
            style.Border = TCellBorder::Thin;
            styles.push_back(style);
        }
        std::vector<std::map<std::string, TCellStyle>> numberStyles(FColumns.size());
        const int chunk = std::max(1, m / kRowProgressChunks);
        int pending = 0;
        for (int r = 0; r < m; ++r) {
            const bool filled = size_t(r) < rows.size();
            for (size_t k = 0; k < FColumns.size(); ++k) {
                const int row = firstRow + r;
                const std::string text = filled ? FSource.CellText(rows[size_t(r)], FColumns[k]->SourceIndex) : "";
                if (auto number = CellNumber(text, FEnv.DecimalSeparator)) {
                    auto [it, added] = numberStyles[k].try_emplace(number->Format, styles[k]);
                    if (added) it->second.NumberFormat = number->Format;
                    FSheet.WriteNumber(row, int(k), number->Value, it->second);
                } else {
                    FSheet.WriteText(row, int(k), text, styles[k]);
                }
            }
            if (++pending == chunk) {
                FShell.StepProgress(pending);
                pending = 0;
            }
        }
        if (pending > 0) FShell.StepProgress(pending);
    }

    bool HasColumns() const { return !FColumns.empty(); }

private:
    TCellStyle BaseStyle() const {
        TCellStyle style;
        style.FontSize = FSettings.FontSize;
        return style;
    }

    const TExportEnvironment& FEnv;
    TShell& FShell;
    const TExportSource& FSource;
    const TExportSettings& FSettings;
    TSpreadsheet& FSheet;
    std::vector<const TExportField*> FColumns;
};

} // namespace

TExportSettings OpeningSettings(const TExportEnvironment& env, const TExportSource& source,
                                const TExportRequest& request) {
    const TSourceCounts counts = CountSourceRows(source);
    TExportSettings settings =
        DefaultExportSettings(request, SourceFields(source, env.DecimalSeparator), counts.Mode);
    if (request.KeepParameters)
        LoadExportSettings(env.SettingsFile, ExportSectionName(request.FormName, source.Name()), true, settings,
                           env.Shell);
    OrderCheckedFirst(settings.Fields, 0);
    return settings;
}

bool ExportToSpreadsheet(const TExportEnvironment& env, const TExportSource& source, const TExportRequest& request,
                         const TExportDialog& dialog, TSpreadsheet& sheet) {
    TExportSettings settings;
    TExportDialogInfo info;
    {
        TBusyScope busy(env.Shell, "");
        settings = OpeningSettings(env, source, request);
        info.Counts = CountSourceRows(source);
        info.Section = ExportSectionName(request.FormName, source.Name());
        info.KeepParameters = request.KeepParameters;
    }
    if (!dialog(settings, info)) return false;
    TBusyScope busy(env.Shell, "");
    // Written at every export start; RestoreParameters decides whether they return next time.
    if (request.KeepParameters)
        SaveExportSettings(env.SettingsFile, info.Section, settings, true, env.Shell, env.SettingsMode);
    return WriteSpreadsheet(env, source, settings, sheet);
}

bool WriteSpreadsheet(const TExportEnvironment& env, const TExportSource& source, const TExportSettings& s,
                      TSpreadsheet& sheet) {
    TShell& shell = env.Shell;
    TBusyScope busy(shell, "");
    const TSourceCounts counts = CountSourceRows(source);
    const int m = s.SendMode == 1 ? counts.Selected : counts.All;
    const int f = static_cast<int>(s.Fields.size());
    shell.ShowProgress(kProgressCalling, 2 * f + m + 5, false);
    struct TProgressCloser {
        TShell& Shell;
        ~TProgressCloser() { Shell.HideProgress(); }
    } closer{shell};

    if (!Reach(shell, kSpreadsheetConnectFailed, [&] { sheet.Connect(); })) return false;
    bool reached = false;
    std::string error;
    try {
        shell.SetProgressText(kProgressWorkbook);
        shell.StepProgress(1);
        if (Reach(shell, kWorkbookFailed, [&] { sheet.AddWorkbook(); })) {
            shell.SetProgressText(kProgressSheet);
            shell.StepProgress(1);
            reached = Reach(shell, FormatText(kSheetFailed, {"1"}),
                            [&] { sheet.OpenSheet(1, CleanSheetName(s.SheetName)); });
        }
        if (reached) {
            shell.SetProgressText(kProgressFormatting);
            if (s.Orientation == 1 || s.Orientation == 2)
                Reach(shell, kOrientationFailed, [&] { sheet.SetOrientation(s.Orientation); });
            shell.StepProgress(1);
            TSheetWriter writer(env, source, s, sheet);
            writer.FormatColumns();
            const int captionRow = writer.WriteTitleBlock();
            if (writer.HasColumns()) {
                writer.WriteCaptions(captionRow);
                writer.WriteRows(captionRow + 1, m);
            }
            shell.SetProgressText(kProgressTransfer);
            shell.StepProgress(1);
        }
    } catch (const std::exception& e) {
        error = e.what();
    }
    // The workbook is finished and handed over only when it is whole.
    try {
        sheet.Release(reached && error.empty());
    } catch (const std::exception& e) {
        if (error.empty()) error = e.what();
    }
    if (!error.empty()) shell.ShowError(FormatText(kExportFailed, {error}));
    return reached && error.empty();
}

} // namespace qx
