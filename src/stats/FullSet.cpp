#include "stats/FullSet.h"

#include <algorithm>
#include <climits>

#include "stats/DigitValues.h"

namespace qx {

TStatDrawArray ComputeFullSetTable(TCustomStat& stat) {
    TStatDrawArray rows;
    if (auto* source = stat.DigitSource()) {
        // The table already holds the values in order of first appearance over the full set.
        const TDigitValueTable& table = source->Table();
        rows.resize(size_t(table.ValueCount()));
        for (int v = 0; v < table.ValueCount(); ++v) rows[size_t(v)].Key = table.Key(uint32_t(v));
        for (int ci = 0; ci < kCombCount; ++ci)
            for (uint32_t h : table.Hits(ci)) ++rows[h & ~TDigitValueTable::kPeriodsBit].Count;
    } else {
        TStatRows collected;
        for (int ci = 0; ci < kCombCount; ++ci) stat.AddCombination(CodeOfIndex(ci), collected);
        rows = collected.Items();
    }
    KeySort(rows);
    return rows;
}

TFullSet FullSetOf(const TStatDrawArray& fullSetTable) {
    TFullSet set;
    const TStatSummary s = Summarize(fullSetTable);
    set.FullMin = s.MinCount;
    set.FullMax = s.MaxCount;
    set.Records.reserve(fullSetTable.size());
    for (const TStatDraw& r : fullSetTable) set.Records.push_back({r.Key, r.Count});
    return set;
}

TFullSetShape FullSetShapeOf(TCustomStat& stat) {
    TFullSetShape shape;
    if (auto* source = stat.DigitSource()) {
        const TDigitValueTable& table = source->Table();
        for (int v = 0; v < table.ValueCount(); ++v) shape.Keys.push_back(table.Key(uint32_t(v)));
        for (int ci = 0; ci < kCombCount; ++ci) shape.Total += int64_t(table.Hits(ci).size());
        std::sort(shape.Keys.begin(), shape.Keys.end(), KeyOrderLess);
        return shape;
    }
    for (const TStatDraw& row : ComputeFullSetTable(stat)) {
        shape.Keys.push_back(row.Key);
        shape.Total += row.Count;
    }
    return shape;
}

std::string FullSetDefect(const TFullSet& set, const TFullSetShape& shape) {
    if (set.Records.size() != shape.Keys.size()) return "число записей не совпадает с числом значений метода";
    int64_t total = 0;
    int32_t low = INT32_MAX, high = INT32_MIN;
    for (size_t i = 0; i < set.Records.size(); ++i) {
        const TFullSetRecord& r = set.Records[i];
        // The keys are those of the method in key order, so they also rise and never repeat.
        if (r.Key != shape.Keys[i]) return "ключи записей не совпадают со значениями метода";
        if (r.Count <= 0) return "количество комбинаций не больше 0";
        total += r.Count;
        low = std::min(low, r.Count);
        high = std::max(high, r.Count);
    }
    if (total != shape.Total) return "сумма количеств не совпадает с полным набором комбинаций";
    if (!set.Records.empty() && (set.FullMin != low || set.FullMax != high))
        return "итоговая запись не совпадает с записями";
    return {};
}

} // namespace qx
