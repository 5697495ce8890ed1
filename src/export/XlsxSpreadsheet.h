#pragma once
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "export/Spreadsheet.h"

typedef struct lxw_workbook lxw_workbook;
typedef struct lxw_worksheet lxw_worksheet;
typedef struct lxw_format lxw_format;

namespace qx {

// Where a workbook goes and what happens to it when it is finished.
struct TXlsxTarget {
    // Exactly this file, replaced when it exists (an output the user named). Empty: a new file
    // "<sheet name> yyyy-mm-dd hh-mm-ss.xlsx" in the user's private temporary folder.
    std::filesystem::path File;
    // Opens the finished file with the desktop's default application; false when refused.
    // Empty: the file is only written.
    std::function<bool(const std::string&)> Open;
    // The moment that names the file; empty: now.
    std::function<std::time_t()> Clock;
};

// The spreadsheet as an .xlsx file written with libxlsxwriter in constant-memory mode: every row
// goes to disk as the next one starts, so a long table costs no more memory than a short one.
// The file is written under a temporary name beside its final place and gets its name only
// when it is complete: a failure leaves no partial file.
class TXlsxSpreadsheet : public TSpreadsheet {
public:
    explicit TXlsxSpreadsheet(TXlsxTarget target);
    ~TXlsxSpreadsheet() override;
    TXlsxSpreadsheet(const TXlsxSpreadsheet&) = delete;
    TXlsxSpreadsheet& operator=(const TXlsxSpreadsheet&) = delete;

    void Connect() override;
    void AddWorkbook() override;
    void OpenSheet(int index, const std::string& name) override;
    void SetOrientation(int orientation) override;
    void FormatColumn(int column, double width, const TCellStyle& style) override;
    void WriteText(int row, int column, const std::string& text, const TCellStyle& style) override;
    void WriteNumber(int row, int column, double value, const TCellStyle& style) override;
    void Release(bool complete) override;

    // The file the last complete workbook was written to.
    const std::filesystem::path& Written() const { return FWritten; }

private:
    lxw_format* Format(const TCellStyle& style);
    void Check(int error, const char* what) const;
    void Drop();

    TXlsxTarget FTarget;
    std::filesystem::path FFolder;
    std::filesystem::path FTemp;
    std::filesystem::path FWritten;
    lxw_workbook* FBook = nullptr;
    lxw_worksheet* FSheet = nullptr;
    std::string FSheetName;
    std::vector<std::pair<TCellStyle, lxw_format*>> FFormats;
};

} // namespace qx
