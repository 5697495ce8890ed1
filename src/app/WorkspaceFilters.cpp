#include <algorithm>

#include "app/FilterWalk.h"
#include "app/Workspace.h"
#include "core/Error.h"
#include "core/Text.h"
#include "stats/StatFilter.h"
#include "stats/TableSort.h"

namespace qx {
namespace {

// The workspace's own list, journal and statistics tab, as a script step walks them.
class TWorkspaceWalk : public TFilterWalkTarget {
public:
    TWorkspaceWalk(TWorkspace& ws, const TWorkspace::TLogSink& log) : FWs(ws), FLog(log) {}
    int CombsCount() const override { return FWs.Combs().Count(); }
    void Select(const std::vector<int>& rows) override { FWs.StatTab().SetSelection(rows); }
    void SaveUndo() override { FWs.SaveCombsUndo(false); }
    void Filter(TCustomStat& stat, bool exclude) override { FWs.FilterBySelection(&stat, exclude); }
    void RollBack() override {
        FWs.RestoreCombsUndo(true);
        FWs.AddUndoJournalRow();
    }
    bool StopRequested() override {
        FWs.Shell().ProcessMessages();
        return FWs.StopRequested();
    }
    bool Logging() const override { return static_cast<bool>(FLog); }
    void Log(const std::string& line) override {
        if (FLog) FLog(line);
    }

private:
    TWorkspace& FWs;
    const TWorkspace::TLogSink& FLog;
};

// The registry index of the part's method when the statistics tab's chooser offers it; raises
// the script's message otherwise (the chooser offers only the visible methods).
int OfferedMethod(const TStatList& stats, const TMethodChooser& chooser, const TFilterPart& part) {
    const int method = part.Method ? stats.IndexOfCode(part.Method->Code()) : -1;
    for (const TMethodEntry& entry : chooser.Entries())
        if (method >= 0 && entry.Method == method) return method;
    const std::string code = part.Method ? part.Method->Code() : std::string();
    const std::string name = part.Method ? part.Method->FullName() : std::string();
    throw TAppError(FormatText("Метод расчета статистики \"%s\" на найден!\r%s\r\rВозможно, Вы отключили данных "
                               "метод расчета либо использовали сценарий от другой модификации программы.",
                               {code, name}));
}

std::optional<TStatWeights> OwnWeights(const TFilterPart& part) {
    if (!part.Weights.OwnWeights) return std::nullopt;
    return TStatWeights{part.Weights.WeightCount, part.Weights.WeightDeviation, part.Weights.WeightDepth,
                        part.Weights.WeightPercents, part.Weights.WeightAbs};
}

} // namespace

void TWorkspace::FilterByRows(TCustomStat& stat, std::span<const TStatDraw> rows, bool exclude,
                              const std::string& caption, const std::string& values) {
    TBusyScope busy(FShell, "Фильтрация комбинаций...");
    const TCombsArray& undo = FCombs.UndoList();
    if (undo.empty()) {
        FCombs.Clear();
    } else {
        TCombsArray survivors;
        survivors.reserve(kCombCount);
        FilterCombinations(stat, rows, exclude, SortedDraws(), CurrentDrawIndex(), undo, survivors);
        FCombs.Assign(survivors);
        FCombs.AddJournalRow(exclude, caption, values);
    }
    CombsListChanged();
}

void TWorkspace::FilterBySelection(TCustomStat* stat, bool exclude) {
    const std::vector<TStatDraw> rows = FStatTab.SelectedRows();
    if (rows.empty()) return;
    std::unique_ptr<TCustomStat> own;
    if (!stat) {
        own = FStats.CreateStat(FStatTab.Chooser().RequireMethod());
        stat = own.get();
    }
    FilterByRows(*stat, rows, exclude, FStatTab.Chooser().SelectedText(), FStatTab.SelectedValuesText());
}

std::optional<TSelectionPreview> TWorkspace::PreviewSelection() {
    const int method = FStatTab.Chooser().SelectedMethod();
    if (FStatTab.Selection().empty() || method < 0) return std::nullopt;
    const TSelectionPreviewKey key{FCombs.Revision(), FStatTab.Revision(), FArchive.Revision(), FConfigRevision,
                                   method, CurrentDrawIndex(), SortedDraws()};
    return FSelectionPreview.Counts(key, FStatTab.Selection(), FCombs.List(), FStatTab.Table(), FStats);
}

int TWorkspace::PreviewFilterPart(const TFilterPart& part) {
    const int method = OfferedMethod(FStats, FStatTab.Chooser(), part);
    // The table the step would compute: the part's window, weights and sort, the tab's draw.
    TStatTableParams params = StatTableParams(std::max(1, part.Length));
    params.Weights = OwnWeights(part).value_or(FStats.WeightsBackup());  // as ApplyWeights sets them
    const std::optional<TFullSet> fullSet = ExistingFullSet(method);
    if (fullSet) params.FullSet = &*fullSet;
    TStatTable table;
    if (!FArchive.Empty()) table = ComputeTable(*FStats.CreateStat(method), params);
    SortStatTable(table, part.SortColumn, true);
    auto stat = FStats.CreateStat(method);
    TListCopyWalk walk(FCombs.List(), table, SortedDraws(), CurrentDrawIndex());
    WalkFilterPart(part, table, *stat, walk);
    return walk.CombsCount();
}

bool TWorkspace::StatFilterEnabled() const {
    return !FShell.IsBusy() && FCombs.Count() > 0 && !FStatTab.Selection().empty();
}

void TWorkspace::StatFilterInclude() {
    SaveCombsUndo(true);
    FilterBySelection(nullptr, false);
}

void TWorkspace::StatFilterExclude() {
    SaveCombsUndo(true);
    FilterBySelection(nullptr, true);
}

void TWorkspace::ApplyFilterRec(const TFilterRec& rec, const TLogSink& log) {
    for (const TFilterPart& part : rec.Parts)
        if (part.Defined && FCombs.Count() > 1) ApplyFilterPart(part, log);
}

void TWorkspace::ApplyFilterPart(const TFilterPart& part, const TLogSink& log) {
    auto write = [&](const std::string& line) {
        if (log) log(line);
    };
    FStatTab.ClearSelection();
    const int method = OfferedMethod(FStats, FStatTab.Chooser(), part);
    FStatTab.Chooser().SelectMethod(method);
    FStatTab.SetSort(part.SortColumn, true);
    FStatTab.SetWindowLength(part.Length);
    write(FormatText("Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей...",
                     {FStatTab.Chooser().SelectedText(), std::to_string(part.Length)}));

    FStats.ApplyWeights(OwnWeights(part));
    RefreshStatTable(false);
    const TStatTable& table = FStatTab.Table();
    if (log)
        for (int r = 0; r < table.Size(); ++r) write(RowLogText(StatValuesOf(table, r)));

    auto stat = FStats.CreateStat(method);
    TWorkspaceWalk walk(*this, log);
    WalkFilterPart(part, table, *stat, walk);
}

} // namespace qx
