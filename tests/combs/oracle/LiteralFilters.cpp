#include "LiteralFilters.h"

#include "LiteralStats.h"
#include "combs/FilterConditions.h"
#include "core/SortRule.h"
#include "core/Text.h"
#include "stats/StatList.h"

namespace qx::oracle {
namespace {

// Stable insertion sort of the rows by the texts of the column, descending.
void SortDescending(std::vector<TLiteralRow>& rows, int column) {
    for (size_t i = 1; i < rows.size(); ++i) {
        TLiteralRow row = rows[i];
        size_t j = i;
        while (j > 0 && CompareSortRows(row.Text[size_t(column)], rows[j - 1].Text[size_t(column)],
                                        row.Text[0], rows[j - 1].Text[0], column, true) < 0) {
            rows[j] = rows[j - 1];
            --j;
        }
        rows[j] = std::move(row);
    }
}

void ApplyPart(const TLiteralFilterInput& in, const TFilterPart& part, TCombsArray& combs) {
    const TStatList& registry = *in.Registry;
    const int method = registry.IndexOfCode(part.Method->Code());
    TStatTableParams params;
    params.Current = in.Current;
    params.WindowLength = part.Length;
    params.Sorted = in.Sorted;
    params.Weights = in.Weights;
    if (part.Weights.OwnWeights)
        params.Weights = {part.Weights.WeightCount, part.Weights.WeightDeviation, part.Weights.WeightDepth,
                          part.Weights.WeightPercents, part.Weights.WeightAbs};
    auto tableStat = registry.CreateStat(method);
    TLiteralTable table = LiteralComputeTable(*tableStat, params);
    if (part.SortColumn >= 0 && part.SortColumn < kStatColumnCount)
        SortDescending(table.Rows, part.SortColumn);

    auto stat = registry.CreateStat(method);
    TCombsArray undo;
    // One keep/remove step over the selected rows; an emptied list is rolled back.
    auto filter = [&](const TStatDrawArray& selected) {
        undo = combs;
        combs = LiteralFilter(*stat, selected, !part.Keep, in.Sorted, in.Current, undo);
        if (!combs.empty()) return true;
        combs = undo;
        return false;
    };
    const TConditionInfo& condition = ConditionInfo(part.Condition);
    const int n = static_cast<int>(table.Rows.size());
    int steps = 0;
    TStatDrawArray chosen;
    for (int k = 0; k < n; ++k) {
        const TLiteralRow& row = table.Rows[size_t(part.BottomUp ? n - 1 - k : k)];
        TStatValues v = LiteralStatValues(row);
        v.NumValue = stat->ParseValueChecked(v.Value);
        if (part.MultiSelect) {
            if (part.StopMode != smCombsCount &&
                StopModeReached(part, v, steps, static_cast<int64_t>(combs.size())))
                break;
            if (ConditionHolds(part.Condition, RowFieldText(v, condition.Field), v.NumValue,
                               part.ConditionValue))
                chosen.push_back(row.Row);
            ++steps;
            continue;
        }
        if (StopModeReached(part, v, steps, static_cast<int64_t>(combs.size()))) break;
        if (!ConditionHolds(part.Condition, RowFieldText(v, condition.Field), v.NumValue,
                            part.ConditionValue))
            continue;
        if (filter({row.Row}))
            ++steps;
        else if (part.StopMode == smUntilEmpty)
            break;
    }
    if (part.MultiSelect && !chosen.empty()) filter(chosen);
}

} // namespace

void LiteralApplyFilterRec(const TLiteralFilterInput& input, const TFilterRec& rec, TCombsArray& combs) {
    for (const TFilterPart& part : rec.Parts)
        if (part.Defined && combs.size() > 1) ApplyPart(input, part, combs);
}

} // namespace qx::oracle
