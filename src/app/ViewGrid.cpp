#include "app/ViewGrid.h"

#include <algorithm>
#include <ostream>

#include "core/Text.h"

namespace qx {

void TTextGrid::Resize(int columns, int rows) {
    FColumns = std::max(0, columns);
    FRows = std::max(0, rows);
    FCells.assign(size_t(FColumns) * size_t(FRows), std::string());
}

void TViewFilterValues::Add(int32_t value) {
    if (std::find(FValues.begin(), FValues.end(), value) == FValues.end()) FValues.push_back(value);
}

void TViewFilterValues::AddCells(const TGridRect& rect, const std::function<std::string(int, int)>& text) {
    for (int column = rect.Left; column <= rect.Right; ++column)
        for (int row = rect.Top; row <= rect.Bottom; ++row) {
            const std::string cell = text(column, row);
            if (cell.empty()) continue;
            std::string_view rest = cell;
            for (size_t comma; (comma = rest.find(',')) != std::string_view::npos;
                 rest.remove_prefix(comma + 1))
                Add(CellValue(rest.substr(0, comma)));
            Add(CellValue(rest));
        }
}

std::string TViewFilterValues::Text() const {
    std::string text;
    for (int32_t v : FValues) {
        if (!text.empty()) text += "; ";
        text += IntToStr(v);
    }
    return text;
}

int32_t CellValue(std::string_view text) {
    std::string bare;
    for (char c : text)
        if (c != '[' && c != ']') bare += c;
    return TryStrToInt(Trim(bare)).value_or(0);
}

void PrintGrid(std::ostream& out, int columns, int rows, const std::function<std::string(int, int)>& text) {
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) out << (column ? "\t" : "") << text(column, row);
        out << "\n";
    }
}

} // namespace qx
