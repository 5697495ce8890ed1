// The repeats analysis on the real archive: the engine against the literal row-and-text
// algorithm at length and depth 2,000, and the engine alone over the whole archive at full depth,
// with the process's peak memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

#include "BenchTimes.h"
#include "LiteralRepeats.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "stats/Repeats.h"

using namespace qx;

namespace {

constexpr int64_t kWindow = 2000;
constexpr int kScreenRows = 50; // the rows a window paints at once, each with its list

TDrawsArray& Archive() {
    static TDrawsArray draws = [] {
        const char* env = std::getenv("QUADRIX_ARCHIVE");
        const std::filesystem::path path = env ? env : QUADRIX_SHARED_DATA "/va_pick4.csv";
        TDrawsArray d;
        AppendDrawsFromCsv(ReadTextFile(path), d);
        return d;
    }();
    return draws;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Fast(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeRepeats(Archive(), kWindow, kWindow));
}

// The rows and the lists of one screen of them, as the window shows them first.
void FastWithScreen(benchmark::State& state) {
    for (auto _ : state) {
        const TRepeatsResult r = ComputeRepeats(Archive(), kWindow, kWindow);
        for (size_t i = 0; i < r.Rows.size() && i < kScreenRows; ++i)
            benchmark::DoNotOptimize(RepeatsListText(Archive(), r.Rows[i], r.Deep));
    }
}

void Literal(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(oracle::LiteralRepeats(Archive(), kWindow, kWindow));
}

void FullDepth(benchmark::State& state) {
    const int64_t all = static_cast<int64_t>(Archive().size());
    size_t rows = 0;
    for (auto _ : state) {
        const TRepeatsResult r = ComputeRepeats(Archive(), all, all);
        rows = r.Rows.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["pairs"] = static_cast<double>(all) * static_cast<double>(all - 1) / 2;
    state.counters["peak_MB"] = static_cast<double>(PeakKilobytes()) / 1024;
}

bool SameRows() {
    const TRepeatsResult fast = ComputeRepeats(Archive(), kWindow, kWindow);
    const auto literal = oracle::LiteralRepeats(Archive(), kWindow, kWindow);
    if (fast.Rows.size() != literal.size()) return false;
    for (size_t i = 0; i < literal.size(); ++i) {
        const TRepeatsRow& f = fast.Rows[i];
        if (Archive()[static_cast<size_t>(f.DrawIndex)].Number != literal[i].Draw ||
            f.Matches != literal[i].Matches || f.Count != literal[i].Count ||
            RepeatsListText(Archive(), f, fast.Deep) != literal[i].List)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (Archive().empty()) {
        std::fprintf(stderr, "no draws: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    if (!SameRows()) {
        std::fprintf(stderr, "the engine and the literal algorithm give different rows\n");
        return 1;
    }
    std::printf("archive: %zu draws; rows and lists at %lld x %lld equal the literal ones\n",
                Archive().size(), static_cast<long long>(kWindow), static_cast<long long>(kWindow));
    benchmark::RegisterBenchmark("repeats2000/fast", Fast)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeats2000/fast+screen", FastWithScreen)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeats2000/literal", Literal)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("repeats/full-depth", FullDepth)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& t = reporter.Times;
    if (t.count("repeats2000/fast") && t.count("repeats2000/literal") && t.count("repeats2000/fast+screen"))
        std::printf(
            "\nlength and depth 2,000: fast %.2f ms (%.2f ms with a screen of lists), literal %.2f ms, "
            "speed-up %.1fx (%.1fx)\n",
            t.at("repeats2000/fast"), t.at("repeats2000/fast+screen"), t.at("repeats2000/literal"),
            t.at("repeats2000/literal") / t.at("repeats2000/fast"),
            t.at("repeats2000/literal") / t.at("repeats2000/fast+screen"));
    if (t.count("repeats/full-depth"))
        std::printf("whole archive at full depth: %.1f ms, peak memory of the process %.1f MB\n",
                    t.at("repeats/full-depth"), static_cast<double>(PeakKilobytes()) / 1024);
    benchmark::Shutdown();
    return 0;
}
