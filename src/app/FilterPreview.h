#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/FilterWalk.h"
#include "core/Game.h"
#include "stats/StatFilter.h"

namespace qx {

class TStatList;
class TWorkspace;
struct TFilterForm;

// What the two keep/remove commands would leave of the working list.
struct TSelectionPreview {
    int Keep = 0;   // "Оставить выделенные"
    int Remove = 0; // "Удалить выделенные"
    friend bool operator==(const TSelectionPreview&, const TSelectionPreview&) = default;
};

// Everything the counts depend on besides the selected rows.
struct TSelectionPreviewKey {
    uint64_t CombsRevision = 0;
    uint64_t TableRevision = 0; // the statistics tab's table, recomputed or re-sorted
    uint64_t ArchiveRevision = 0;
    uint64_t ConfigRevision = 0;
    int Method = -1;
    int Current = -1; // archive index of the current draw
    bool Sorted = false;
    friend bool operator==(const TSelectionPreviewKey&, const TSelectionPreviewKey&) = default;
};

// The counts of the selected rows, answered again from the last ones while nothing changed.
// The statistic object, the selected statistic rows and the test's working memory are kept, so
// a changed selection costs one pass over the list and no allocation once they have grown.
class TSelectionPreviewer {
public:
    TSelectionPreview Counts(const TSelectionPreviewKey& key, std::span<const int> selection,
                             std::span<const TCombCode> list, const TStatTable& table,
                             const TStatList& stats);

private:
    TSelectionPreviewKey FKey;
    std::vector<int> FSelection;
    bool FValid = false;
    TSelectionPreview FCounts;
    std::unique_ptr<TCustomStat> FStat;
    std::vector<TStatDraw> FRows;
    TFilterScratch FScratch;
};

// A filter part walked over a copy of a combination list: the copy narrows, the list it was
// made from stays as it is.
class TListCopyWalk : public TFilterWalkTarget {
public:
    TListCopyWalk(std::span<const TCombCode> list, const TStatTable& table, bool sorted, int current);
    int CombsCount() const override { return static_cast<int>(FList.size()); }
    const TCombsArray& List() const { return FList; }
    void Select(const std::vector<int>& rows) override { FSelected = rows; }
    void SaveUndo() override { FUndo = FList; }
    void Filter(TCustomStat& stat, bool exclude) override;
    void RollBack() override;
    bool StopRequested() override { return false; }

private:
    const TStatTable& FTable;
    bool FSorted;
    int FCurrent;
    TCombsArray FList;
    TCombsArray FUndo;
    std::vector<int> FSelected;
};

// The filter editor's line for its controls as they stand: "Останется комбинаций: %d", what the
// first variant of the description would leave of the working list, or "Ошибка: %s" while the
// description is not sound. Nothing is applied.
std::string FilterFormPreviewLine(TWorkspace& ws, const TFilterItem& original, const TFilterForm& shown,
                                  const TFilterForm& edited);

} // namespace qx
