// Statistic tables and filter tests of every registered method on the real archive (or the one
// QUADRIX_ARCHIVE names), the engine against the literal algorithms, with the speed-up of each
// printed at the end. Tables are timed whole (numbers and every row's texts, as the list shows
// them) and as the numbers alone that filter steps read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "BenchStats.h"
#include "BenchTimes.h"
#include "LiteralStats.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "stats/DigitValues.h"
#include "stats/FullSet.h"
#include "stats/OccurrenceIndex.h"
#include "stats/StatFilter.h"
#include "stats/StatList.h"

using namespace qx;

namespace {

bench::TBenchStats& Data() {
    static bench::TBenchStats data;
    return data;
}

void Register(int method) {
    const std::string code = Data().Stats.Items(method).Code();
    for (int offset : {0, 500}) {
        const std::string name = "table/" + code + "/offset:" + std::to_string(offset);
        // The whole table as the list or the command line shows it: numbers and every row's texts.
        benchmark::RegisterBenchmark((name + "/fast").c_str(), [method, offset](benchmark::State& state) {
            for (auto _ : state) Data().TableWithTexts(method, offset);
        })->Unit(benchmark::kMicrosecond);
        // The numbers only, as filter steps and scripts read the table.
        benchmark::RegisterBenchmark((name + "/numbers").c_str(), [method, offset](benchmark::State& state) {
            for (auto _ : state) {
                auto stat = Data().Stats.CreateStat(method);
                benchmark::DoNotOptimize(ComputeTable(*stat, Data().Params(offset)));
            }
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/oracle").c_str(), [method, offset](benchmark::State& state) {
            for (auto _ : state) {
                auto stat = Data().Stats.CreateStat(method);
                benchmark::DoNotOptimize(oracle::LiteralComputeTable(*stat, Data().Params(offset)));
            }
        })->Unit(benchmark::kMicrosecond);
    }
    const std::string name = "filter/" + code;
    benchmark::RegisterBenchmark((name + "/fast").c_str(), [method](benchmark::State& state) {
        const TStatDrawArray selected = Data().ThirdOfTheRows(method);
        TCombsArray survivors;
        survivors.reserve(kCombCount);
        for (auto _ : state) Data().Filter(method, selected, Data().L(0), survivors);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((name + "/oracle").c_str(), [method](benchmark::State& state) {
        const TStatDrawArray selected = Data().ThirdOfTheRows(method);
        for (auto _ : state) {
            auto stat = Data().Stats.CreateStat(method);
            benchmark::DoNotOptimize(oracle::LiteralFilter(*stat, selected, false, false, Data().L(0), Data().FullSet));
        }
    })->Unit(benchmark::kMicrosecond);
    // Once per method and configuration: the value table the two above share, the occurrence index
    // (again whenever the archive changes), and the full set.
    benchmark::RegisterBenchmark(("valuetable/" + code).c_str(), [method](benchmark::State& state) {
        auto stat = Data().Stats.Items(method).CreateStat(Data().Stats.Env());
        const auto* source = stat->DigitSource();
        for (auto _ : state)
            if (source) benchmark::DoNotOptimize(TDigitValueTable::Build(*source));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("occurrences/" + code).c_str(), [method](benchmark::State& state) {
        auto stat = Data().Stats.CreateStat(method);
        const auto* source = stat->DigitSource();
        for (auto _ : state)
            if (source) benchmark::DoNotOptimize(TOccurrenceIndex::Build(source->Table(), Data().Draws, false));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("fullset/" + code + "/fast").c_str(), [method](benchmark::State& state) {
        for (auto _ : state) {
            auto stat = Data().Stats.CreateStat(method);
            benchmark::DoNotOptimize(ComputeFullSetTable(*stat));
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("fullset/" + code + "/oracle").c_str(), [method](benchmark::State& state) {
        for (auto _ : state) {
            auto stat = Data().Stats.CreateStat(method);
            benchmark::DoNotOptimize(oracle::LiteralFullSetTable(*stat));
        }
    })->Unit(benchmark::kMicrosecond);
}

// The engine's time against the literal algorithm's for every pair of benchmarks "X/fast", "X/oracle",
// and for tables also the numbers-only time "X/numbers" against the literal table: wall clock, then
// the same speed-ups in processor time, which a shared machine disturbs less.
void PrintRatios(const bench::TTimesReporter& reporter) {
    std::printf("\n%-34s %10s %10s %9s %10s %9s %9s %9s\n", "benchmark (microseconds)", "engine", "literal",
                "speed-up", "numbers", "speed-up", "cpu s-up", "cpu nums");
    auto ratio = [](const std::map<std::string, double>& times, const std::string& slow, const std::string& fast) {
        const auto s = times.find(slow), f = times.find(fast);
        return s != times.end() && f != times.end() && f->second > 0 ? s->second / f->second : 0.0;
    };
    for (const auto& [name, fast] : reporter.Times) {
        const size_t cut = name.rfind("/fast");
        if (cut == std::string::npos || cut + 5 != name.size()) continue;
        const std::string base = name.substr(0, cut);
        const auto slow = reporter.Times.find(base + "/oracle");
        if (slow == reporter.Times.end()) continue;
        std::printf("%-34s %10.2f %10.2f %8.1fx", base.c_str(), fast * 1000, slow->second * 1000, slow->second / fast);
        if (const auto numbers = reporter.Times.find(base + "/numbers"); numbers != reporter.Times.end())
            std::printf(" %10.2f %8.1fx", numbers->second * 1000, slow->second / numbers->second);
        else
            std::printf(" %10s %9s", "", "");
        std::printf(" %8.1fx", ratio(reporter.CpuTimes, base + "/oracle", name));
        if (const double r = ratio(reporter.CpuTimes, base + "/oracle", base + "/numbers"); r > 0) std::printf(" %8.1fx", r);
        std::printf("\n");
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
    for (int i = 0; i < Data().Stats.Count(); ++i) Register(i);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
