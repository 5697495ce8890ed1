#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// A rectangle of grid cells, both ends included, in grid coordinates: column 0 and row 0 are the
// grids' header column and row where a grid has them.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
    bool Empty() const { return Right < Left || Bottom < Top; }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// The texts of a small grid, header row and column included.
class TTextGrid {
public:
    TTextGrid() = default;
    TTextGrid(int columns, int rows) { Resize(columns, rows); }
    // Every cell becomes empty.
    void Resize(int columns, int rows);
    int Columns() const { return FColumns; }
    int Rows() const { return FRows; }
    const std::string& At(int column, int row) const { return FCells[Index(column, row)]; }
    std::string& At(int column, int row) { return FCells[Index(column, row)]; }
    bool Contains(int column, int row) const {
        return column >= 0 && row >= 0 && column < FColumns && row < FRows;
    }
    friend bool operator==(const TTextGrid&, const TTextGrid&) = default;

private:
    size_t Index(int column, int row) const { return size_t(row) * size_t(FColumns) + size_t(column); }
    int FColumns = 0;
    int FRows = 0;
    std::vector<std::string> FCells;
};

// The values a view filter collects from selected cells: each value once, in the order found.
class TViewFilterValues {
public:
    void Add(int32_t value);
    // Every non-empty text of the rectangle, column by column from the left and top to bottom in
    // each column; a text is split at "," and each part read by CellValue.
    void AddCells(const TGridRect& rect, const std::function<std::string(int column, int row)>& text);
    bool Empty() const { return FValues.empty(); }
    const std::vector<int32_t>& Values() const { return FValues; }
    // "3; 5; 0"
    std::string Text() const;

private:
    std::vector<int32_t> FValues;
};

// A number shown in a cell: square brackets removed, blanks trimmed, 0 when it is not a number.
int32_t CellValue(std::string_view text);

// The texts of a grid as lines of tab-separated cells, row 0 first.
void PrintGrid(std::ostream& out, int columns, int rows,
               const std::function<std::string(int column, int row)>& text);

} // namespace qx
