#pragma once
#include "BenchArchive.h"
#include "core/Game.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"

namespace qx::bench {

// Every registered method over the benchmark archive, with the full set of combinations that
// filters sieve. The archive does not change during a run: one revision serves every pass.
struct TBenchStats {
    TDrawsArray Draws = LoadArchive();
    TStatList Stats;
    TCombsArray FullSet;

    explicit TBenchStats(const TShreddingFormulas* formulas = nullptr) {
        Stats.SetDraws(&Draws, [] { return uint64_t(1); });
        if (formulas) Stats.SetFormulas(*formulas);
        Stats.Register();
        for (int ci = 0; ci < kCombCount; ++ci) FullSet.push_back(CodeOfIndex(ci));
    }
    int L(int offset) const { return static_cast<int>(Draws.size()) - 1 - offset; }

    // A table of 1000 draws ending offset draws before the newest.
    TStatTableParams Params(int offset) const {
        TStatTableParams p;
        p.Current = L(offset);
        p.WindowLength = 1000;
        return p;
    }
    // Every third row of the method's table at offset 0: the selection the filter benchmarks use.
    TStatDrawArray ThirdOfTheRows(int method) {
        auto stat = Stats.CreateStat(method);
        const TStatTable t = ComputeTable(*stat, Params(0));
        TStatDrawArray selected;
        for (size_t r = 0; r < t.Rows.size(); r += 3) selected.push_back(t.Rows[r].Row);
        return selected;
    }
};

} // namespace qx::bench
