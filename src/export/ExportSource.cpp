#include "export/ExportSource.h"

#include <algorithm>

namespace qx {

namespace {
bool IsList(const TExportSource& source) { return source.Variant() == TExportVariant::List; }
} // namespace

TSourceCounts CountSourceRows(const TExportSource& source) {
    TSourceCounts counts;
    const std::vector<int> selection = source.Selection();
    if (IsList(source)) {
        counts.All = source.RowCount();
        const int selected = static_cast<int>(selection.size());
        if (source.MultiSelect() && selected > 1) {
            counts.Selected = selected;
            counts.Mode = 1;
        } else {
            counts.Selected = 1;
        }
        return counts;
    }
    counts.All = std::max(0, source.RowCount() - 1);
    if (selection.empty()) {
        counts.Selected = 1;
        return counts;
    }
    const int top = selection.front();
    counts.Selected = selection.back() - top + 1;
    counts.Mode = counts.Selected > 1 && top > 1 ? 1 : 0;
    return counts;
}

TExportFields SourceFields(const TExportSource& source, char separator) {
    TExportFields fields;
    const bool list = IsList(source);
    for (int c = 0; c < source.ColumnCount(); ++c) {
        const TSourceColumn column = source.Column(c);
        TExportField f;
        f.SourceIndex = c;
        f.Caption = list ? column.Caption : source.CellText(0, c);
        f.PhysicalName = f.Caption;
        f.Alignment = list ? column.Alignment : kAlignLeft;
        f.Width = PixelWidthText(column.PixelWidth, separator);
        fields.push_back(std::move(f));
    }
    return fields;
}

std::vector<int> RowsToExport(const TExportSource& source, int mode) {
    std::vector<int> rows;
    if (mode == 0) {
        const int first = IsList(source) ? 0 : 1;
        for (int r = first; r < source.RowCount(); ++r) rows.push_back(r);
        return rows;
    }
    const std::vector<int> selection = source.Selection();
    if (selection.empty()) return rows;
    if (IsList(source)) {
        if (source.MultiSelect()) return selection;
        return {selection.front()};
    }
    for (int r = selection.front(); r <= selection.back(); ++r) rows.push_back(r);
    return rows;
}

} // namespace qx
