// Building the full-set file of every registered method, as the switch "fullrecreate" does: each
// method over all 10,000 combinations, then its file written. Cold: a fresh registry, so every
// method's value table is built too (the program's start-up); warm: the registry has them already
// (a rebuild later in the run). The archive is the one QUADRIX_ARCHIVE names or the real one,
// although a full set does not read it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchArchive.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"

using namespace qx;

namespace {

constexpr uint16_t kAllGroups = (1u << 13) - 1;

// Failures are printed: a benchmark that silently built nothing would look fast.
class TBenchShell : public TShell {
public:
    void ShowStatus(const std::string&) override {}
    bool Message(TMessageKind, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
};

struct TProgramDir {
    std::filesystem::path Dir =
        std::filesystem::temp_directory_path() / ("quadrix-fullset-bench-" + std::to_string(::getpid()));
    TProgramDir() {
        std::filesystem::create_directories(Dir);
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", bench::LoadArchive());
    }
    ~TProgramDir() {
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

TProgramDir& Program() {
    static TProgramDir dir;
    return dir;
}

std::unique_ptr<TWorkspace> StartWorkspace(TShell& shell) {
    TWorkspaceOptions o;
    o.ProgramDir = Program().Dir;
    o.Interactive = false;
    auto ws = std::make_unique<TWorkspace>(shell, o);
    ws->StartFirstStage();
    if (!ws->StartSecondStage()) throw std::runtime_error("the workspace did not start");
    return ws;
}

int CountFiles(const TWorkspace& ws) {
    int files = 0;
    for (int i = 0; i < ws.Stats().Count(); ++i)
        if (ws.Stats().HasFullSet(i) && std::filesystem::file_size(ws.FullSetFile(i)) > 0) ++files;
    return files;
}

void BuildAllCold(benchmark::State& state) {
    TBenchShell shell;
    int files = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto ws = StartWorkspace(shell);
        state.ResumeTiming();
        ws->BuildFullSetFiles(true, kAllGroups);
        state.PauseTiming();
        files = CountFiles(*ws);
        ws.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = files;
}

void BuildAllWarm(benchmark::State& state) {
    TBenchShell shell;
    auto ws = StartWorkspace(shell);
    ws->BuildFullSetFiles(true, kAllGroups);
    for (auto _ : state) ws->BuildFullSetFiles(true, kAllGroups);
    state.counters["files"] = CountFiles(*ws);
}

} // namespace

BENCHMARK(BuildAllCold)
    ->Name("fullset/build-all-files/cold")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();
BENCHMARK(BuildAllWarm)
    ->Name("fullset/build-all-files/warm")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

BENCHMARK_MAIN();
