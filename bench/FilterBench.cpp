// The statistics tab on the real archive: a two-part filter description applied by the workspace
// against the literal steps (same survivors, checked before timing), and the table of every method
// as the tab computes it (window 1000, with and without the full-set comparison), and the
// keep/remove preview of a third of each method's rows beside one filter test of them. Prints the
// speed-up of the filter, the slowest method's table and the preview's worst ratio at the end.
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
#include "stats/StatFilter.h"

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

// A third of the table's rows of the method over 1000 draws: every third row from first.
std::vector<int> ThirdOfRows(TWorkspace& ws, int method, int first) {
    TStatTab& tab = ws.StatTab();
    tab.Chooser().SelectMethod(method);
    tab.SetWindowLength(1000);
    ws.RefreshStatTable(false);
    std::vector<int> rows;
    for (int r = first; r < int(tab.Table().Rows.size()); r += 3) rows.push_back(r);
    return rows;
}

// What the keep/remove captions cost on a selection change: the preview of a third of the rows,
// against one filter test of the same rows over the same list. Two selections take turns, so
// every call counts afresh instead of answering from the last counts.
void RegisterPreview(int method) {
    const std::string code = Data().Ws->Stats().Items(method).Code();
    benchmark::RegisterBenchmark(("preview/" + code).c_str(), [method](benchmark::State& state) {
        TWorkspace& ws = *Data().Ws;
        ws.GenerateCombs(ws.CombsGenDefaults(), false);
        const std::vector<int> selections[2] = {ThirdOfRows(ws, method, 0), ThirdOfRows(ws, method, 1)};
        size_t turn = 0;
        for (auto _ : state) {
            ws.StatTab().SetSelection(selections[turn ^= 1]);
            benchmark::DoNotOptimize(ws.PreviewSelection());
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("filtertest/" + code).c_str(), [method](benchmark::State& state) {
        TWorkspace& ws = *Data().Ws;
        ws.GenerateCombs(ws.CombsGenDefaults(), false);
        ws.StatTab().SetSelection(ThirdOfRows(ws, method, 0));
        const std::vector<TStatDraw> rows = ws.StatTab().SelectedRows();
        auto stat = ws.Stats().CreateStat(method);
        TCombsArray survivors;
        survivors.reserve(kCombCount);
        for (auto _ : state) {
            FilterCombinations(*stat, rows, false, ws.SortedDraws(), ws.CurrentDrawIndex(), ws.Combs().List(),
                               survivors);
            benchmark::DoNotOptimize(survivors.data());
        }
    })->Unit(benchmark::kMicrosecond);
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
    // The preview of each method beside its filter test; the worst ratio names the method.
    std::string worst;
    double worstRatio = 0, worstUs = 0;
    for (const auto& [name, previewMs] : reporter.Times) {
        if (name.rfind("preview/", 0) != 0) continue;
        const auto test = reporter.Times.find("filtertest/" + name.substr(8));
        if (test == reporter.Times.end() || test->second <= 0) continue;
        if (previewMs / test->second > worstRatio) {
            worst = name.substr(8);
            worstRatio = previewMs / test->second;
            worstUs = previewMs * 1000;
        }
    }
    const auto [slowestPreview, previewMs] = reporter.Slowest("preview/");
    if (previewMs >= 0)
        std::printf("preview of a third of the rows: slowest %s %.1f us; largest ratio to one filter test %.2fx (%s, "
                    "%.1f us)\n",
                    slowestPreview.c_str(), previewMs * 1000, worstRatio, worst.c_str(), worstUs);
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
    for (int i = 0; i < ws.Stats().Count(); ++i) RegisterPreview(i);
    for (bool prefetchs : {false, true})
        for (int i = 0; i < ws.Stats().Count(); ++i) RegisterTable(i, prefetchs);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
