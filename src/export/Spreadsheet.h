#pragma once
#include <string>

#include "export/ExportField.h"

namespace qx {

enum class TCellBorder { None, Thin, Medium };

// How a cell or a whole column looks. A cell's look replaces its column's in the workbook, so
// each cell carries its column's font and alignment too.
struct TCellStyle {
    double FontSize = 8;
    bool Bold = false;
    bool Italic = false;
    TFieldAlignment Align = kAlignLeft;
    bool VCenter = true;
    bool Wrap = false;
    TCellBorder Border = TCellBorder::None;
    std::string NumberFormat;  // empty: the general format
    friend bool operator==(const TCellStyle&, const TCellStyle&) = default;
};

// The spreadsheet side of the export. Rows are written in ascending order (a workbook in
// constant-memory mode cannot go back to a row it has left); rows and columns count from 0.
// Every operation raises TAppError with the reason when it fails.
class TSpreadsheet {
public:
    virtual ~TSpreadsheet() = default;

    // Makes the place the workbook goes ready.
    virtual void Connect() = 0;
    virtual void AddWorkbook() = 0;
    // The sheet at index (from 1) under the name; an empty name or one the workbook refuses
    // keeps the default name.
    virtual void OpenSheet(int index, const std::string& name) = 0;
    // 1 portrait, 2 landscape.
    virtual void SetOrientation(int orientation) = 0;
    virtual void FormatColumn(int column, double width, const TCellStyle& style) = 0;
    virtual void WriteText(int row, int column, const std::string& text, const TCellStyle& style) = 0;
    virtual void WriteNumber(int row, int column, double value, const TCellStyle& style) = 0;
    // Finishes the workbook and hands it to the user when complete is true; otherwise drops what
    // was made. Safe to call whatever was done before.
    virtual void Release(bool complete) = 0;
};

} // namespace qx
