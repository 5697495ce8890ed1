#pragma once
#include <string>
#include <vector>

#include "export/ExportField.h"

namespace qx {

// How a view is read: a list view (items with sub-items), a string grid or an owner-drawn grid
// (both with their captions in row 0).
enum class TExportVariant { List, StringGrid, DrawnGrid };

struct TSourceColumn {
    std::string Caption;  // lists only; a grid's caption is the text of its row 0
    int32_t Alignment = kAlignLeft;
    int PixelWidth = 0;
};

// A view as the export reads it. Windows adapt their lists and grids; the command-line tool and
// the tests hand the engine's own tables.
class TExportSource {
public:
    virtual ~TExportSource() = default;

    virtual TExportVariant Variant() const = 0;
    // The view's component name ("lvDraws"): it names the parameter section.
    virtual std::string Name() const = 0;
    // List: the number of items. Grid: the number of rows, row 0 being the captions.
    virtual int RowCount() const = 0;
    // List: whether several items may be selected.
    virtual bool MultiSelect() const { return false; }
    // List: the selected items ascending, or the one selected item of a single-selection list.
    // Grid: the rows of the selection, top to bottom.
    virtual std::vector<int> Selection() const = 0;
    virtual int ColumnCount() const = 0;
    virtual TSourceColumn Column(int column) const = 0;
    // List: column 0 is the item's caption, k the sub-item k - 1 (empty when missing).
    // Grid: the text at (column, row).
    virtual std::string CellText(int row, int column) const = 0;
};

// What the variant table makes of a source.
struct TSourceCounts {
    int All = 0;       // rows in mode 0
    int Selected = 0;  // rows in mode 1
    int Mode = 0;      // the mode the dialog opens in
};
TSourceCounts CountSourceRows(const TExportSource& source);

// One field per column, all checked; widths in pixels / 8 with the given decimal separator.
TExportFields SourceFields(const TExportSource& source, char separator);

// The source rows that go out in the mode, in source order.
std::vector<int> RowsToExport(const TExportSource& source, int mode);

} // namespace qx
