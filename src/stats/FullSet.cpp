#include "stats/FullSet.h"

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

} // namespace qx
