#include "app/FilterWalk.h"

#include <cstdio>

#include "combs/FilterConditions.h"
#include "core/Text.h"

namespace qx {
namespace {

std::string StepLogText(int step, const TStatValues& v) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", step);
    return "Шаг " + std::string(number) + ". Выделение строки: " + RowLogText(v);
}

} // namespace

std::string RowLogText(const TStatValues& v) {
    return FormatText("< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >",
                      {v.Value, v.Count, v.CountPercent, v.Deviation, v.DeviationPercent, v.Depth,
                       v.DepthPercent, v.Weight});
}

void WalkFilterPart(const TFilterPart& part, const TStatTable& table, TCustomStat& stat,
                    TFilterWalkTarget& target) {
    const bool keep = part.Keep;
    const std::string filterLine =
        keep ? "Оставляем выделенные значения..." : "Удаляем выделенные значения...";
    // One keep/remove step over the rows selected now; an emptied list is rolled back.
    auto filterOnce = [&]() -> bool {
        target.Log(filterLine);
        target.SaveUndo();
        target.Filter(stat, !keep);
        target.Log(FormatText("Количество комбинаций в списке: %d", {std::to_string(target.CombsCount())}));
        target.Select({});
        if (target.CombsCount() > 0) return true;
        target.Log("{UNDO} Откат изменений...");
        target.RollBack();
        return false;
    };
    const TConditionInfo& condition = ConditionInfo(part.Condition);
    const int rowCount = table.Size();
    int steps = 0;
    bool stopped = false;
    std::vector<int> chosen;
    for (int k = 0; k < rowCount; ++k) {
        if (target.StopRequested()) {
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
                                   target.CombsCount());
        };
        const auto logStep = [&] {
            if (target.Logging()) target.Log(StepLogText(steps + 1, StatValuesOf(table, row)));
        };
        if (part.MultiSelect) {
            if (part.StopMode == smValue || part.StopMode == smPercent || part.StopMode == smSteps) {
                if (stops()) break;
            }
            if (holds()) {
                chosen.push_back(row);
                target.Select(chosen);
                logStep();
            }
            ++steps;
        } else {
            if (part.StopMode == smCombsCount || part.StopMode == smValue || part.StopMode == smPercent ||
                part.StopMode == smSteps) {
                if (stops()) break;
            }
            if (!holds()) continue;
            target.Select({row});
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
