#include <cstdio>

#include "app/Workspace.h"
#include "combs/FilterConditions.h"
#include "core/Error.h"
#include "core/Text.h"
#include "stats/StatFilter.h"

namespace qx {
namespace {

std::string RowLogText(const TStatValues& v) {
    return FormatText("< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >",
                      {v.Value, v.Count, v.CountPercent, v.Deviation, v.DeviationPercent, v.Depth, v.DepthPercent,
                       v.Weight});
}

std::string StepLogText(int step, const TStatValues& v) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", step);
    return "Шаг " + std::string(number) + ". Выделение строки: " + RowLogText(v);
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
    const int method = part.Method ? FStats.IndexOfCode(part.Method->Code()) : -1;
    if (method < 0 || !FStatTab.Chooser().SelectMethod(method)) {
        const std::string code = part.Method ? part.Method->Code() : std::string();
        const std::string name = part.Method ? part.Method->FullName() : std::string();
        throw TAppError(FormatText("Метод расчета статистики \"%s\" на найден!\r%s\r\rВозможно, Вы отключили данных "
                                   "метод расчета либо использовали сценарий от другой модификации программы.",
                                   {code, name}));
    }
    FStatTab.SetSort(part.SortColumn, true);
    FStatTab.SetWindowLength(part.Length);
    write(FormatText("Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей...",
                     {FStatTab.Chooser().SelectedText(), std::to_string(part.Length)}));

    std::optional<TStatWeights> own;
    if (part.Weights.OwnWeights)
        own = TStatWeights{part.Weights.WeightCount, part.Weights.WeightDeviation, part.Weights.WeightDepth,
                           part.Weights.WeightPercents, part.Weights.WeightAbs};
    FStats.ApplyWeights(own);
    RefreshStatTable(false);
    const TStatTable& table = FStatTab.Table();
    if (log)
        for (int r = 0; r < table.Size(); ++r) write(RowLogText(StatValuesOf(table, r)));

    auto stat = FStats.CreateStat(method);
    const int rowCount = table.Size();
    const TConditionInfo& condition = ConditionInfo(part.Condition);
    const bool keep = part.Keep;
    const std::string filterLine = keep ? "Оставляем выделенные значения..." : "Удаляем выделенные значения...";
    // One keep/remove step over the rows selected now; an emptied list is rolled back.
    auto filterOnce = [&]() -> bool {
        write(filterLine);
        SaveCombsUndo(false);
        FilterBySelection(stat.get(), !keep);
        write(FormatText("Количество комбинаций в списке: %d", {std::to_string(FCombs.Count())}));
        FStatTab.ClearSelection();
        if (FCombs.Count() > 0) return true;
        write("{UNDO} Откат изменений...");
        RestoreCombsUndo(true);
        AddUndoJournalRow();
        return false;
    };
    int steps = 0;
    bool stopped = false;
    std::vector<int> chosen;
    for (int k = 0; k < rowCount; ++k) {
        FShell.ProcessMessages();
        if (FStopRequested) {
            stopped = true;
            break;
        }
        const int row = part.BottomUp ? rowCount - 1 - k : k;
        // The row's figures are read from the numbers its cells show; texts only for the log.
        const auto holds = [&] {
            return ConditionHolds(part.Condition, FigureOfRow(table, row, condition.Field),
                                  table.Rows[size_t(row)].Value->NumValue, part.ConditionValue);
        };
        const auto stops = [&] {
            return StopModeReached(part, FigureOfRow(table, row, TRowField::Count).Number.value_or(0),
                                   FigureOfRow(table, row, TRowField::CountPercent).Number.value_or(0), steps,
                                   FCombs.Count());
        };
        const auto logStep = [&] {
            if (log) write(StepLogText(steps + 1, StatValuesOf(table, row)));
        };
        if (part.MultiSelect) {
            if (part.StopMode == smValue || part.StopMode == smPercent || part.StopMode == smSteps) {
                if (stops()) break;
            }
            if (holds()) {
                chosen.push_back(row);
                FStatTab.SetSelection(chosen);
                logStep();
            }
            ++steps;
        } else {
            if (part.StopMode == smCombsCount || part.StopMode == smValue || part.StopMode == smPercent ||
                part.StopMode == smSteps) {
                if (stops()) break;
            }
            if (!holds()) continue;
            FStatTab.SetSelection({row});
            logStep();
            if (filterOnce()) {
                ++steps;
            } else if (part.StopMode == smUntilEmpty) {
                break;
            }
        }
    }
    if (part.MultiSelect && !stopped) filterOnce();
}

} // namespace qx
