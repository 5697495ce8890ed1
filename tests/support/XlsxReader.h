#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qx::test {

// A cell format of the workbook as styles.xml describes it.
struct TXlsxStyle {
    std::string NumberFormat;  // "General" for the built-in general format
    double FontSize = 0;
    bool Bold = false;
    bool Italic = false;
    std::string Horizontal;  // "", "left", "center", "right"
    std::string Vertical;
    bool Wrap = false;
    // Border line styles of left, right, top and bottom ("" none, "thin", "medium", ...).
    std::string Left, Right, Top, Bottom;
    bool AllBorders(const std::string& style) const {
        return Left == style && Right == style && Top == style && Bottom == style;
    }
};

struct TXlsxCell {
    std::string Text;   // the string, or the number as stored
    bool Number = false;
    double Value = 0;
    int Style = 0;
};

struct TXlsxColumn {
    double Width = 0;
    int Style = 0;
};

// An .xlsx file read back with libzip: the workbook's sheet names, the first sheet's cells,
// columns and page setup, and the formats. Enough to check what an export wrote, without a
// spreadsheet program.
class TXlsxBook {
public:
    // Raises std::runtime_error when the file is not a readable workbook.
    static TXlsxBook Read(const std::filesystem::path& file);

    std::vector<std::string> SheetNames;
    std::string Orientation;  // of the first sheet's page setup; empty when not set
    bool HasMergedCells = false;
    std::map<int, TXlsxColumn> Columns;                // by column, from 0
    std::map<std::pair<int, int>, TXlsxCell> Cells;  // by (row, column), from 0
    std::vector<TXlsxStyle> Styles;                  // cellXfs by index

    const TXlsxCell* Cell(int row, int column) const;
    // The cell's text ("" for a cell not written).
    std::string Text(int row, int column) const;
    const TXlsxStyle& StyleOf(const TXlsxCell& cell) const { return Styles.at(size_t(cell.Style)); }
    // One past the last row holding a cell.
    int RowCount() const;
};

} // namespace qx::test
