// The script back-test on the real archive: the committed script (10 lines of 2 filters over
// 1,000 draws) tested over 1,000 offsets in a fresh directory with the log on and a fixed seed
// and clock, and the literal executor (tests/scripts/oracle) over 50 offsets. Before anything is
// timed both run 50 offsets and must leave the same stakes, ratings and log bytes. Prints the
// time per offset of each and their ratio. QUADRIX_BENCH_OFFSETS changes the 1,000.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchTimes.h"
#include "LiteralScript.h"
#include "app/ScriptExecutor.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "core/Shell.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"
#include "scripts/Script.h"
#include "scripts/ScriptLog.h"

using namespace qx;

namespace {

constexpr int kLiteralOffsets = 50;
const TDateTime kAt = EncodeDate(2024, 2, 29) + EncodeTime(12, 0, 1);

// A shell that shows nothing: the benchmark has no window.
class TQuietShell final : public TShell {
public:
    bool Message(TMessageKind, const std::string&) override { return true; }
    void ShowStatus(const std::string&) override {}
    void ProcessMessages() override {}
    bool TryOpenDocument(const std::string&) override { return true; }
};

struct TFiles {
    std::string Stakes, Ratings, Log;
    bool operator==(const TFiles&) const = default;
};

TDrawsArray gDraws;
std::vector<std::string> gLines;

// One back-test in a fresh directory; the files it left.
TFiles BackTest(int offsets, bool literal) {
    char name[] = "/tmp/quadrix-script-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(name);
    WriteDrawsFile(dir / "Quadrix_4d10.ldr", gDraws);
    TQuietShell shell;
    TWorkspaceOptions options;
    options.ProgramDir = dir;
    options.DecimalSeparator = '.';
    {
        TWorkspace ws(shell, options);
        ws.StartFirstStage();
        ws.StartSecondStage();
        ws.FormKeys().ScriptLogEnabled = true;
        ws.FormKeys().StakesCheckOnLine = true;
        ws.Random().seed(1);
        auto clock = [] { return kAt; };
        if (literal) {
            oracle::TLiteralScript(ws, clock).Test(gLines, offsets);
        } else {
            ws.ScriptExecutor().SetClock(clock);
            ws.ScriptExecutor().Test(gLines, offsets);
        }
        ws.Shutdown();
    }
    auto read = [&](const std::filesystem::path& file) {
        return std::filesystem::exists(file) ? ReadFileBytes(file) : std::string();
    };
    TFiles files{read(dir / "Quadrix_4d10.lsk"), read(dir / "Quadrix_4d10.lrt"), read(dir / ScriptLogFileName(kAt))};
    std::filesystem::remove_all(dir);
    return files;
}

int Offsets() {
    const char* env = std::getenv("QUADRIX_BENCH_OFFSETS");
    return env ? std::max(1, std::atoi(env)) : 1000;
}

void Fast(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(BackTest(Offsets(), false).Stakes.size());
}

void Literal(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(BackTest(kLiteralOffsets, true).Stakes.size());
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const char* env = std::getenv("QUADRIX_ARCHIVE");
    AppendDrawsFromCsv(ReadTextFile(env ? env : QUADRIX_SHARED_DATA "/va_pick4.csv"), gDraws);
    gLines = ReadScriptFile(QUADRIX_BENCH_DATA "/back-test.lsc");
    const TFiles fast = BackTest(kLiteralOffsets, false);
    const TFiles literal = BackTest(kLiteralOffsets, true);
    if (!(fast == literal) || fast.Log.empty()) {
        std::fprintf(stderr, "the fast and the literal executor leave different files\n");
        return 1;
    }
    std::printf("%d offsets: stakes %zu bytes, ratings %zu bytes, log %zu bytes, equal in both\n", kLiteralOffsets,
                fast.Stakes.size(), fast.Ratings.size(), fast.Log.size());
    const std::string fastName = "back-test/fast/" + std::to_string(Offsets());
    const std::string literalName = "back-test/literal/" + std::to_string(kLiteralOffsets);
    benchmark::RegisterBenchmark(fastName.c_str(), Fast)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
    benchmark::RegisterBenchmark(literalName.c_str(), Literal)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.Times.count(fastName) && reporter.Times.count(literalName)) {
        const double fastPer = reporter.Times[fastName] / Offsets();
        const double literalPer = reporter.Times[literalName] / kLiteralOffsets;
        std::printf("\nper offset (medians): fast %.2f ms, literal %.2f ms, literal / fast %.1fx\n", fastPer, literalPer,
                    literalPer / fastPer);
    }
    benchmark::Shutdown();
    return 0;
}
