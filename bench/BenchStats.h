#pragma once
#include <benchmark/benchmark.h>

#include "BenchArchive.h"
#include "core/Game.h"
#include "stats/StatFilter.h"
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
    // One table of the method as the list or the command line shows it: numbers and every row's texts.
    void TableWithTexts(int method, int offset) {
        auto stat = Stats.CreateStat(method);
        const TStatTable table = ComputeTable(*stat, Params(offset));
        for (int r = 0; r < table.Size(); ++r) benchmark::DoNotOptimize(table.Texts(r)[kStatColumnCount - 1]);
    }
    // One filter step of the method over the full set, judged as the draw after L.
    void Filter(int method, const TStatDrawArray& selected, int L, TCombsArray& survivors) {
        auto stat = Stats.CreateStat(method);
        FilterCombinations(*stat, selected, false, false, L, FullSet, survivors);
        benchmark::DoNotOptimize(survivors.data());
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
