// The spreadsheet export from the dialog's confirmation to the closed .xlsx file: a table of
// 20,000 rows by 20 columns, the same with 100,000 rows (memory must stay flat), and the real
// archive's draws list. Each run reports the peak memory above what the process held before it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchArchive.h"
#include "BenchTimes.h"
#include "app/ExportSources.h"
#include "core/FileIO.h"
#include "core/Shell.h"
#include "draws/DrawsCsv.h"
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

// The real archive's draws, loaded once.
const TDrawsArray& RealDraws() {
    static const TDrawsArray draws = bench::LoadArchive();
    return draws;
}

void Export(benchmark::State& state, const TExportSource& source) {
    char name[] = "/tmp/quadrix-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(name);
    TQuietShell shell;
    const TExportEnvironment env{shell, dir / "Quadrix_4d10.ini", 0600, ',', nullptr};
    const TExportRequest request{"FormMain", "Отчет", "Отчет", "", 0, false};
    const TExportSettings settings = OpeningSettings(env, source, request);
    const std::filesystem::path out = dir / "bench.xlsx";
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
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

void Synthetic(benchmark::State& state) {
    const TListTableSource source = SyntheticTable(int(state.range(0)), int(state.range(1)));
    Export(state, source);
}

void DrawsList(benchmark::State& state) {
    const TDrawsArray& draws = RealDraws();
    const TListTableSource source("lvDraws", DrawsListColumns(), static_cast<int>(draws.size()),
                                  [&draws](int row, int column) { return DrawsListCell(draws, row, column); });
    Export(state, source);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (RealDraws().empty()) {
        std::fprintf(stderr, "no draws: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    benchmark::RegisterBenchmark("export/table", Synthetic)
        ->Args({20000, 20})
        ->Args({100000, 20})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("export/draws", DrawsList)->Unit(benchmark::kMillisecond);
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
