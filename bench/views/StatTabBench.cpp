// The statistics tab of the main window on the real archive, as the user sees it: "Обновить" for
// every method (window 1000, full-set comparison on), the engine's table, the list and the chart
// drawn again, and the tab painted. Closes with the slowest method.
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "BenchArchive.h"
#include "BenchTimes.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"
#include "views/Commands.h"
#include "views/FormMain.h"
#include "views/NumericLocale.h"

using namespace qx;

namespace {

void Pump() {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

struct TWindowOnRealArchive {
    std::filesystem::path Dir;
    std::unique_ptr<TFormMain> Window;

    bool Open() {
        const TDrawsArray draws = bench::LoadArchive();
        if (draws.empty()) return false;
        char name[] = "/tmp/quadrix-bench-XXXXXX";
        Dir = mkdtemp(name);
        WriteDrawsFile(Dir / "Quadrix_4d10.ldr", draws);
        WriteTextFileAtomic(Dir / "Quadrix_4d10.frm",
                            "[TFormMain]\r\nPrefetchsInit=1\r\nPrefetchsEnabled=1\r\nDrawsStatLen=1000\r\n");
        TMainWindowOptions o;
        o.ProgramDir = Dir;
        o.ExePath = Dir / "Quadrix_4d10";
        Window = std::make_unique<TFormMain>(o);
        Window->show();
        while (!Window->Started() && !Window->QuitRequested()) Pump();
        return Window->Started();
    }
    ~TWindowOnRealArchive() {
        Window.reset();
        std::error_code ec;
        if (!Dir.empty()) std::filesystem::remove_all(Dir, ec);
    }
};

TWindowOnRealArchive& Data() {
    static TWindowOnRealArchive data;
    return data;
}

void RegisterMethod(int entry, const std::string& code) {
    benchmark::RegisterBenchmark(("stattab/" + code).c_str(), [entry](benchmark::State& state) {
        TFormMain& window = *Data().Window;
        auto* chooser = window.findChild<QComboBox*>("cbDrawsStatType");
        chooser->setCurrentIndex(entry);
        emit chooser->activated(entry);
        QWidget* page = window.MainTabs()->currentWidget();
        for (auto _ : state) {
            window.Commands().Trigger("DrawsStatCalc");
            benchmark::DoNotOptimize(page->grab());
        }
    })->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    qx::UseCNumericLocale();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!Data().Open()) {
        std::fprintf(stderr, "no window over the archive: set QUADRIX_ARCHIVE to a draws CSV file\n");
        return 1;
    }
    const TWorkspace& ws = Data().Window->Workspace();
    const auto& entries = ws.StatTab().Chooser().Entries();
    for (size_t e = 0; e < entries.size(); ++e)
        RegisterMethod(int(e), ws.Stats().Items(entries[e].Method).Code());
    bench::TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto [slowest, ms] = reporter.Slowest("stattab/");
    if (ms >= 0) std::printf("\nslowest method on the statistics tab: %s %.2f ms\n", slowest.c_str(), ms);
    benchmark::Shutdown();
    Data().Window.reset();
    return 0;
}
