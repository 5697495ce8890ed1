#include "app/FilterPreview.h"

#include <algorithm>
#include <exception>

#include "app/FilterForm.h"
#include "app/Workspace.h"
#include "combs/FilterVariants.h"
#include "core/Text.h"
#include "stats/StatList.h"

namespace qx {

TSelectionPreview TSelectionPreviewer::Counts(const TSelectionPreviewKey& key, std::span<const int> selection,
                                              std::span<const TCombCode> list, const TStatTable& table,
                                              const TStatList& stats) {
    const bool sameSelection =
        std::equal(selection.begin(), selection.end(), FSelection.begin(), FSelection.end());
    if (FValid && key == FKey && sameSelection) return FCounts;
    // The object follows the table: a recomputed table may come from other settings or methods.
    if (!FStat || key.TableRevision != FKey.TableRevision || key.ArchiveRevision != FKey.ArchiveRevision ||
        key.ConfigRevision != FKey.ConfigRevision || key.Method != FKey.Method)
        FStat = stats.CreateStat(key.Method);
    FValid = false;
    FKey = key;
    FSelection.assign(selection.begin(), selection.end());
    FRows.clear();
    for (int r : selection)
        if (r >= 0 && r < static_cast<int>(table.Rows.size())) FRows.push_back(table.Rows[size_t(r)].Row);
    const int size = static_cast<int>(list.size());
    const int keep = FRows.empty() ? 0 : CountMatches(*FStat, FRows, key.Sorted, key.Current, list, FScratch);
    int remove = size - keep;
    // A period method asks whether the draw a gap points back to holds the value, or when removing
    // whether it lacks it: the two are not each other's rest.
    if (!FRows.empty() && (FStat->Class().Flags() & kFlagP))
        remove = size - CountMatches(*FStat, FRows, key.Sorted, key.Current, list, FScratch, true);
    FCounts = {keep, remove};
    FValid = true;
    return FCounts;
}

TListCopyWalk::TListCopyWalk(std::span<const TCombCode> list, const TStatTable& table, bool sorted,
                             int current)
    : FTable(table), FSorted(sorted), FCurrent(current), FList(list.begin(), list.end()) {}

void TListCopyWalk::Filter(TCustomStat& stat, bool exclude) {
    // As the workspace's step: nothing without selected rows, an empty list from an empty undo copy.
    if (FSelected.empty()) return;
    if (FUndo.empty()) {
        FList.clear();
        return;
    }
    std::vector<TStatDraw> rows;
    rows.reserve(FSelected.size());
    for (int r : FSelected) rows.push_back(FTable.Rows[size_t(r)].Row);
    FilterCombinations(stat, rows, exclude, FSorted, FCurrent, FUndo, FList);
}

void TListCopyWalk::RollBack() {
    FList = FUndo;
    FUndo.clear();
}

std::string FilterFormPreviewLine(TWorkspace& ws, const TFilterItem& original, const TFilterForm& shown,
                                  const TFilterForm& edited) {
    const TMethodChooser& chooser = ws.StatTab().Chooser();
    const TStatMethod* method = FilterFormMethod(edited, chooser, ws.Stats());
    try {
        if (auto refusal = CheckFilterForm(edited, method, chooser))
            return FormatText("Ошибка: %s", {refusal->Message});
        TFilterVariants variants({FilterItemOfForm(original, shown, edited, method)});
        TFilterRec first;
        if (!variants.Next(first)) return FormatText("Ошибка: %s", {kBadRangeMessage});
        return FormatText("Останется комбинаций: %d", {std::to_string(ws.PreviewFilterPart(first.Parts[0]))});
    } catch (const std::exception& e) {
        return FormatText("Ошибка: %s", {e.what()});
    }
}

} // namespace qx
