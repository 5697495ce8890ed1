#include "export/XlsxSpreadsheet.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "export/ExportFolder.h"
#include "export/ExportTexts.h"

namespace qx {
namespace {

uint8_t Horizontal(TFieldAlignment align) {
    switch (align) {
    case kAlignRight: return LXW_ALIGN_RIGHT;
    case kAlignCenter: return LXW_ALIGN_CENTER;
    default: return LXW_ALIGN_LEFT;
    }
}

} // namespace

TXlsxSpreadsheet::TXlsxSpreadsheet(TXlsxTarget target) : FTarget(std::move(target)) {}

TXlsxSpreadsheet::~TXlsxSpreadsheet() { Drop(); }

void TXlsxSpreadsheet::Connect() {
    if (FTarget.File.empty()) {
        FFolder = PrivateExportFolder();
        return;
    }
    std::filesystem::path folder = FTarget.File.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) throw TAppError(SystemErrorText(folder, ENOENT));
    if (::access(folder.c_str(), W_OK | X_OK) != 0) throw TAppError(SystemErrorText(folder, errno));
    FFolder = folder;
}

void TXlsxSpreadsheet::AddWorkbook() {
    if (FFolder.empty()) Connect();
    Drop();
    // The name is reserved at once; the workbook is written there when it is closed.
    std::string pattern = (FFolder / ".quadrix-export-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw TAppError(SystemErrorText(FFolder, errno));
    ::close(fd);
    FTemp = pattern;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    FBook = workbook_new_opt(FTemp.c_str(), &options);
    if (!FBook) {
        ::unlink(FTemp.c_str());
        FTemp.clear();
        throw TAppError(SystemErrorText(FFolder, ENOMEM));
    }
}

void TXlsxSpreadsheet::OpenSheet(int index, const std::string& name) {
    (void)index;  // a new workbook has its first sheet only
    if (!FBook) throw TAppError(kNoActiveWorkbook);
    if (FSheet) return;
    const bool usable = !name.empty() && workbook_validate_sheet_name(FBook, name.c_str()) == LXW_NO_ERROR;
    FSheet = workbook_add_worksheet(FBook, usable ? name.c_str() : nullptr);
    if (!FSheet) throw TAppError(kSheetNotCreated);
    FSheetName = FSheet->name ? FSheet->name : "";
}

void TXlsxSpreadsheet::SetOrientation(int orientation) {
    if (!FSheet) throw TAppError(kNoActiveWorkbook);
    if (orientation == 1) worksheet_set_portrait(FSheet);
    if (orientation == 2) worksheet_set_landscape(FSheet);
}

void TXlsxSpreadsheet::Check(int error, const char* what) const {
    if (error != LXW_NO_ERROR) throw TAppError(std::string(what) + ": " + lxw_strerror(static_cast<lxw_error>(error)));
}

lxw_format* TXlsxSpreadsheet::Format(const TCellStyle& style) {
    // A sheet has a few dozen looks at most: a linear search beats building a key per cell.
    for (const auto& [known, format] : FFormats)
        if (known == style) return format;
    lxw_format* f = workbook_add_format(FBook);
    if (!f) throw TAppError(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    format_set_font_size(f, style.FontSize);
    if (style.Bold) format_set_bold(f);
    if (style.Italic) format_set_italic(f);
    format_set_align(f, Horizontal(style.Align));
    if (style.VCenter) format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    if (style.Wrap) format_set_text_wrap(f);
    if (style.Border != TCellBorder::None)
        format_set_border(f, style.Border == TCellBorder::Medium ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN);
    if (!style.NumberFormat.empty()) format_set_num_format(f, style.NumberFormat.c_str());
    FFormats.emplace_back(style, f);
    return f;
}

void TXlsxSpreadsheet::FormatColumn(int column, double width, const TCellStyle& style) {
    if (!FSheet) throw TAppError(kNoActiveWorkbook);
    Check(worksheet_set_column(FSheet, lxw_col_t(column), lxw_col_t(column), width, Format(style)), "worksheet_set_column");
}

void TXlsxSpreadsheet::WriteText(int row, int column, const std::string& text, const TCellStyle& style) {
    if (!FSheet) throw TAppError(kNoActiveWorkbook);
    Check(worksheet_write_string(FSheet, lxw_row_t(row), lxw_col_t(column), text.c_str(), Format(style)),
          "worksheet_write_string");
}

void TXlsxSpreadsheet::WriteNumber(int row, int column, double value, const TCellStyle& style) {
    if (!FSheet) throw TAppError(kNoActiveWorkbook);
    Check(worksheet_write_number(FSheet, lxw_row_t(row), lxw_col_t(column), value, Format(style)),
          "worksheet_write_number");
}

void TXlsxSpreadsheet::Drop() {
    if (FBook) lxw_workbook_free(FBook);
    if (!FTemp.empty()) ::unlink(FTemp.c_str());
    FBook = nullptr;
    FSheet = nullptr;
    FTemp.clear();
    FFormats.clear();
}

void TXlsxSpreadsheet::Release(bool complete) {
    if (!FBook || !complete) {
        Drop();
        return;
    }
    const std::filesystem::path temp = FTemp;
    const lxw_error error = workbook_close(FBook);  // writes the file and frees the workbook
    FBook = nullptr;
    FSheet = nullptr;
    FTemp.clear();
    FFormats.clear();
    const std::filesystem::path shown = FTarget.File.empty() ? FFolder : FTarget.File;
    if (error != LXW_NO_ERROR) {
        ::unlink(temp.c_str());
        throw TAppError(shown.string() + ": " + lxw_strerror(error));
    }
    if (FTarget.File.empty()) {
        const std::time_t now = FTarget.Clock ? FTarget.Clock() : std::time(nullptr);
        FWritten = PlaceWithoutReplacing(temp, FFolder, WorkbookFileName(FSheetName, now));
    } else {
        // The temporary name was made for the owner only; a named output gets the usual access.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temp.c_str(), 0666 & ~mask);
        if (std::rename(temp.c_str(), FTarget.File.c_str()) != 0) {
            const int e = errno;
            ::unlink(temp.c_str());
            throw TAppError(SystemErrorText(FTarget.File, e));
        }
        FWritten = FTarget.File;
    }
    if (FTarget.Open && !FTarget.Open(FWritten.string()))
        throw TAppError(FormatText("Не удалось открыть \"%s\"!", {FWritten.string()}));
}

} // namespace qx
