// The statistics tab on the real archive: a two-part filter description applied by the workspace
// against the literal steps (same survivors, checked before timing), and the table of every method
// as the tab computes it (window 1000, with and without the full-set comparison). Prints the
// speed-up of the filter and the slowest method's table at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchArchive.h"
#include "BenchTimes.h"
#include "LiteralFilters.h"
#include "app/Workspace.h"
#include "combs/FilterVariants.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"

using namespace qx;

namespace {

constexpr const char* kFirstPart = "TMD1#EVNV:1000#CLV:60#SF:1";
constexpr const char* kSecondPart = "BSD1#POS1:300#CLV:40#SC:2000";

class TQuietShell : public TShell {
public:
    void ShowStatus(const std::string&) override {}
    bool Message(TMessageKind kind, const std::string& text) override {
        if (kind == TMessageKind::Error) std::fprintf(stderr, "%s\n", text.c_str());
        return true;
    }
};

// A workspace over a temporary program directory that holds the real archive.
struct TBenchWorkspace {
    std::filesystem::path Dir;
    TQuietShell Shell;
    std::unique_ptr<TWorkspace> Ws;

    TBenchWorkspace() {
        const TDrawsArray draws = bench::LoadArchive();
        char name[] = "/tmp/quadrix-bench-XXXXXX";
        Dir = mkdtemp(name);
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        TWorkspaceOptions o;
        o.ProgramDir = Dir;
        o.Interactive = false;
        o.DecimalSeparator = '.';
        Ws = std::make_unique<TWorkspace>(Shell, o);
        Ws->StartFirstStage();
        Ws->StartSecondStage();
    }
    ~TBenchWorkspace() {
        Ws.reset();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    TFilterRec Variant() const {
        TFilterVariants v(
            {ParseFilterItem(kFirstPart, Ws->Stats()), ParseFilterItem(kSecondPart, Ws->Stats())});
        TFilterRec rec;
        v.Next(rec);
        return rec;
    }
    oracle::TLiteralFilterInput LiteralInput() const {
        return {&Ws->Stats(), Ws->CurrentDrawIndex(), Ws->SortedDraws(), Ws->Stats().Config().Weights};
    }
};

TBenchWorkspace& Data() {
    static TBenchWorkspace data;
    return data;
}

void FilterEngine(benchmark::State& state) {
    TWorkspace& ws = *Data().Ws;
    const TFilterRec rec = Data().Variant();
    for (auto _ : state) {
        state.PauseTiming();
        ws.GenerateCombs(ws.CombsGenDefaults(), false);
        state.ResumeTiming();
        ws.ApplyFilterRec(rec, nullptr);
        benchmark::DoNotOptimize(ws.Combs().Count());
    }
}

void FilterLiteral(benchmark::State& state) {
    TWorkspace& ws = *Data().Ws;
    const TFilterRec rec = Data().Variant();
    ws.GenerateCombs(ws.CombsGenDefaults(), false);
    const TCombsArray full = ws.Combs().List();
    for (auto _ : state) {
        TCombsArray combs = full;
        oracle::LiteralApplyFilterRec(Data().LiteralInput(), rec, combs);
        benchmark::DoNotOptimize(combs.data());
    }
}

// The tab's "Обновить": table, norms when the comparison is on, chart.
void RegisterTable(int method, bool prefetchs) {
    const std::string name =
        "stattab/" + Data().Ws->Stats().Items(method).Code() + (prefetchs ? "/fullset" : "");
    benchmark::RegisterBenchmark(name.c_str(), [method, prefetchs](benchmark::State& state) {
        TWorkspace& ws = *Data().Ws;
        if (ws.PrefetchsEnabled() != prefetchs) ws.SetPrefetchsEnabled(prefetchs); // builds the files once
        TStatTab& tab = ws.StatTab();
        tab.Chooser().SelectMethod(method);
        tab.SetWindowLength(1000);
        for (auto _ : state) {
            tab.Refresh(true);
            benchmark::DoNotOptimize(tab.Table().Rows.data());
        }
    })->Unit(benchmark::kMillisecond);
}

void PrintSummary(const bench::TTimesReporter& reporter) {
    const auto engine = reporter.Times.find("filter/engine"), literal = reporter.Times.find("filter/literal");
    if (engine != reporter.Times.end() && literal != reporter.Times.end())
        std::printf("\nfilter %s + %s: engine %.3f ms, literal %.3f ms, speed-up %.1fx\n", kFirstPart,
                    kSecondPart, engine->second, literal->second, literal->second / engine->second);
    const auto [slowest, ms] = reporter.Slowest("stattab/");
    if (ms >= 0) std::printf("slowest statistics table: %s %.3f ms\n", slowest.c_str(), ms);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TWorkspace& ws = *Data().Ws;
    if (ws.Draws().empty()) {
        std::fprintf(stderr, "no draws: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    // The two must agree before their times mean anything.
    const TFilterRec rec = Data().Variant();
    ws.GenerateCombs(ws.CombsGenDefaults(), false);
    TCombsArray literal = ws.Combs().List();
    oracle::LiteralApplyFilterRec(Data().LiteralInput(), rec, literal);
    ws.ApplyFilterRec(rec, nullptr);
    if (ws.Combs().List() != literal) {
        std::fprintf(stderr, "the engine leaves %d combinations, the literal steps %zu\n", ws.Combs().Count(),
                     literal.size());
        return 1;
    }
    std::printf("survivors of both: %zu\n", literal.size());

    benchmark::RegisterBenchmark("filter/engine", FilterEngine)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("filter/literal", FilterLiteral)->Unit(benchmark::kMillisecond);
    for (bool prefetchs : {false, true})
        for (int i = 0; i < ws.Stats().Count(); ++i) RegisterTable(i, prefetchs);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
