#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Horizontal alignment of an exported column as the field list keeps it.
enum TFieldAlignment : int32_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

// One column of the source view in the export dialog's field list.
struct TExportField {
    int32_t SourceIndex = 0;   // list: 0 the item's caption, k the sub-item k - 1; grid: the column
    int32_t Alignment = kAlignLeft;
    std::string Caption;       // written above the column on the sheet
    bool Checked = true;       // the column goes out
    std::string Width;         // spreadsheet column width as text, two decimals
    std::string PhysicalName;  // the source column's caption: recognises the field in saved settings
};
using TExportFields = std::vector<TExportField>;

// "по левому краю", "по правому краю", "по центру"; empty for any other value.
const char* AlignmentName(int32_t alignment);
// The alignment a stored value exports with: right and centre as they are, anything else left.
TFieldAlignment ExportAlignment(int32_t alignment);
// The spreadsheet's alignment codes: left -4131, right -4152, centre -4108.
int AlignmentCode(int32_t alignment);

// A width as the field list shows it: fixed point with two decimals and the given separator.
std::string WidthText(double width, char separator);
// The initial width of a column: its pixel width divided by 8.
std::string PixelWidthText(int pixels, char separator);
// Reads a width leniently: digits and "-" are kept, "." and "," are the decimal separator,
// everything else is dropped; def when what is left is not a number.
double ParseWidth(std::string_view text, double def = 10);
// The width a sheet column takes from the field's text: at most 255, never negative.
double SheetColumnWidth(std::string_view text);

// A sheet name the spreadsheet accepts: quotes and asterisks dropped, slashes made "-",
// brackets made round, "?" and ":" dropped, cut to 31 characters and trimmed.
std::string CleanSheetName(std::string_view name);

// Puts the checked fields ahead of the unchecked ones, each group in its order, moving one field
// at a time as the dialog does. Returns where the field at position selected ended up (-1 stays).
int OrderCheckedFirst(TExportFields& fields, int selected);

} // namespace qx
