// The shredding methods against objects that substitute the digits into the formula and parse it
// on every call, in the same run: one evaluation, a table (window 1000), a filter over the 10,000
// combinations (first and second at the same draw) and a full set, for the default formulas and
// a five-place one. Speed-ups are printed at the end, wall clock and processor time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "BenchStats.h"
#include "BenchTimes.h"
#include "LiteralShredding.h"
#include "LiteralStats.h"
#include "stats/Expression.h"
#include "stats/FullSet.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"

using namespace qx;

namespace {

// SHR3 with five places and a formula that reads the draws before.
TShreddingFormulas BenchFormulas() {
    TShreddingFormulas f;
    f.Formula[2] = "(n1*p2+t3)/7";
    f.Digits[2] = 5;
    return f;
}

bench::TBenchStats& Data() {
    static const TShreddingFormulas formulas = BenchFormulas();
    static bench::TBenchStats data(&formulas);
    return data;
}

std::unique_ptr<TCustomStat> Literal(int method) {
    return oracle::LiteralShreddingClass().Create(Data().Stats.Env(), Data().Stats.Items(method).Param);
}

void Register(int method) {
    const TStatMethod& m = Data().Stats.Items(method);
    const std::string code = m.Code();
    const std::string formula = m.Formula;
    const int places = Data().Stats.Formulas().Digits[size_t(m.Param - 1)];
    benchmark::RegisterBenchmark(("eval/" + code + "/fast").c_str(), [formula, places](benchmark::State& state) {
        const TShredFormula f(formula, places);
        int ci = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(f.Value(CodeOfIndex(ci), 0x01020304, 0x05060708));
            ci = (ci + 1) % kCombCount;
        }
    })->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark(("eval/" + code + "/oracle").c_str(), [formula, places](benchmark::State& state) {
        int ci = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(ShredValue(CodeOfIndex(ci), 0x01020304, 0x05060708, places, formula));
            ci = (ci + 1) % kCombCount;
        }
    })->Unit(benchmark::kNanosecond);
    for (int offset : {0, 500}) {
        const std::string name = "table/" + code + "/offset:" + std::to_string(offset);
        benchmark::RegisterBenchmark((name + "/fast").c_str(), [method, offset](benchmark::State& state) {
            for (auto _ : state) Data().TableWithTexts(method, offset);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/oracle").c_str(), [method, offset](benchmark::State& state) {
            for (auto _ : state) benchmark::DoNotOptimize(oracle::LiteralComputeTable(*Literal(method), Data().Params(offset)));
        })->Unit(benchmark::kMicrosecond);
    }
    // A filter at a draw whose values are not cached yet (a new draw each time), and the second
    // filter at the same draw, which reads the cached values.
    benchmark::RegisterBenchmark(("filter/" + code + "/fast").c_str(), [method](benchmark::State& state) {
        const TStatDrawArray selected = Data().ThirdOfTheRows(method);
        TCombsArray survivors;
        survivors.reserve(kCombCount);
        int offset = 0;
        for (auto _ : state) {
            Data().Filter(method, selected, Data().L(offset), survivors);
            offset = (offset + 1) % 5000;
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("filter-again/" + code).c_str(), [method](benchmark::State& state) {
        const TStatDrawArray selected = Data().ThirdOfTheRows(method);
        TCombsArray survivors;
        survivors.reserve(kCombCount);
        for (auto _ : state) Data().Filter(method, selected, Data().L(0), survivors);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("filter/" + code + "/oracle").c_str(), [method](benchmark::State& state) {
        const TStatDrawArray selected = Data().ThirdOfTheRows(method);
        for (auto _ : state)
            benchmark::DoNotOptimize(oracle::LiteralFilter(*Literal(method), selected, false, false, Data().L(0), Data().FullSet));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("fullset/" + code + "/fast").c_str(), [method](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(ComputeFullSetTable(*Data().Stats.CreateStat(method)));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("fullset/" + code + "/oracle").c_str(), [method](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(oracle::LiteralFullSetTable(*Literal(method)));
    })->Unit(benchmark::kMicrosecond);
}

void PrintRatios(const bench::TTimesReporter& reporter) {
    std::printf("\n%-32s %12s %12s %9s %9s\n", "benchmark (ms)", "engine", "literal", "speed-up", "cpu s-up");
    for (const auto& [name, fast] : reporter.Times) {
        const size_t cut = name.rfind("/fast");
        if (cut == std::string::npos || cut + 5 != name.size()) continue;
        const std::string base = name.substr(0, cut);
        const auto slow = reporter.Times.find(base + "/oracle");
        if (slow == reporter.Times.end() || fast <= 0) continue;
        const double cpuFast = reporter.CpuTimes.at(name), cpuSlow = reporter.CpuTimes.at(base + "/oracle");
        std::printf("%-32s %12.6f %12.6f %8.1fx %8.1fx\n", base.c_str(), fast, slow->second, slow->second / fast,
                    cpuFast > 0 ? cpuSlow / cpuFast : 0.0);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (Data().Draws.empty()) {
        std::fprintf(stderr, "no draws: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    for (int i = 0; i < Data().Stats.Count(); ++i)
        if (Data().Stats.Items(i).StatClass->Group() == 12) Register(i);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
