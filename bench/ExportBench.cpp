// The spreadsheet export from the dialog's confirmation to the closed .xlsx file: a table of
// 20,000 rows by 20 columns, the same with 100,000 rows (memory must stay flat), and the real
// archive's draws list. Each run reports the peak memory above what the process held before it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "BenchTimes.h"
#include "app/ExportSources.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"
#include "export/XlsxSpreadsheet.h"

using namespace qx;

namespace {

class TQuietShell : public TShell {
public:
    void ShowStatus(const std::string&) override {}
    bool Message(TMessageKind kind, const std::string& text) override {
        if (kind == TMessageKind::Error) std::fprintf(stderr, "%s\n", text.c_str());
        return true;
    }
};

// Kilobytes of a line of /proc/self/status ("VmHWM", "VmRSS").
long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::string(key).size() + 1);
    return 0;
}

// Starts a new peak: the high-water mark falls back to the current size.
void ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

// A wide table of numbers, decimals and labels, as a statistics table has them.
TListTableSource SyntheticTable(int rows, int columns) {
    std::vector<TListColumn> cols;
    for (int c = 0; c < columns; ++c) cols.push_back({"Столбец", c == 0 ? kAlignLeft : kAlignRight, 80});
    return {"lvBench", cols, rows, [](int row, int column) {
                switch (column % 4) {
                case 0: return std::to_string(row);
                case 1: return std::to_string(row % 97) + "," + std::to_string(10 + column);
                case 2: return std::string("Метка ") + std::to_string(row % 13);
                default: return std::string(row % 5 == 0 ? "-" : "12.5");
                }
            }};
}

struct TBenchData {
    std::filesystem::path Dir;
    TQuietShell Shell;
    std::unique_ptr<TWorkspace> Ws;

    TBenchData() {
        const char* env = std::getenv("QUADRIX_ARCHIVE");
        TDrawsArray draws;
        AppendDrawsFromCsv(ReadTextFile(env ? env : QUADRIX_SHARED_DATA "/va_pick4.csv"), draws);
        char name[] = "/tmp/quadrix-bench-XXXXXX";
        Dir = mkdtemp(name);
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        TWorkspaceOptions o;
        o.ProgramDir = Dir;
        o.Interactive = false;
        o.DecimalSeparator = ',';
        Ws = std::make_unique<TWorkspace>(Shell, o);
        Ws->StartFirstStage();
        Ws->StartSecondStage();
    }
    ~TBenchData() {
        Ws.reset();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

TBenchData& Data() {
    static TBenchData data;
    return data;
}

void Export(benchmark::State& state, const TExportSource& source) {
    TBenchData& data = Data();
    const TExportEnvironment env = ExportEnvironment(*data.Ws);
    const TExportRequest request{"FormMain", "Отчет", "Отчет", "", 0, false};
    const TExportSettings settings = OpeningSettings(env, source, request);
    const std::filesystem::path out = data.Dir / "bench.xlsx";
    long peak = 0;
    for (auto _ : state) {
        ResetPeak();
        const long before = StatusKb("VmRSS:");
        TXlsxSpreadsheet sheet({out, nullptr, nullptr});
        if (!WriteSpreadsheet(env, source, settings, sheet)) state.SkipWithError("export failed");
        peak = std::max(peak, StatusKb("VmHWM:") - before);
    }
    state.counters["peak_MB"] = double(peak) / 1024;
    state.counters["file_MB"] = double(std::filesystem::file_size(out)) / (1024 * 1024);
}

void Synthetic(benchmark::State& state) {
    const TListTableSource source = SyntheticTable(int(state.range(0)), int(state.range(1)));
    Export(state, source);
}

void RealDraws(benchmark::State& state) {
    const TListTableSource source = DrawsListSource(*Data().Ws);
    Export(state, source);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (Data().Ws->Draws().empty()) {
        std::fprintf(stderr, "no draws: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    benchmark::RegisterBenchmark("export/table", Synthetic)
        ->Args({20000, 20})
        ->Args({100000, 20})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("export/draws", RealDraws)->Unit(benchmark::kMillisecond);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
