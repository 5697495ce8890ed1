// The draws list over large archives: how long the model takes to announce its rows, how long
// one screenful of the list takes to paint at any scroll position, and how long the main window
// takes from creation to the end of its start-up on the real archive (or the one QUADRIX_ARCHIVE
// names).
#include <QApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "BenchArchive.h"
#include "app/Workspace.h"
#include "core/FileIO.h"
#include "draws/DrawsCsv.h"
#include "draws/DrawsFile.h"
#include "views/FormMain.h"
#include "views/NumericLocale.h"
#include "views/draws/DrawsModel.h"

using namespace qx;
using namespace qx::bench;

namespace {

void BM_DrawsModelRows(benchmark::State& state) {
    TArchiveDir archive(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDrawsModel model(*archive.Ws);
        QTableView view;
        view.setModel(&model);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_DrawsModelRows)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_DrawsListPaintAtRandomRows(benchmark::State& state) {
    TArchiveDir archive(static_cast<int>(state.range(0)));
    TDrawsModel model(*archive.Ws);
    QTableView view;
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.setModel(&model);
    view.resize(335, 700);
    view.show();
    Pump();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(1);
    QScrollBar* bar = view.verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(static_cast<int>(random() % static_cast<unsigned>(bar->maximum() + 1)));
        view.render(&image);
    }
}
BENCHMARK(BM_DrawsListPaintAtRandomRows)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_MainWindowStartupOnRealArchive(benchmark::State& state) {
    const TDrawsArray draws = bench::LoadArchive();
    if (draws.empty()) {
        state.SkipWithError("no archive: set QUADRIX_ARCHIVE to a draws CSV file");
        return;
    }
    TArchiveDir dir(draws);
    dir.Ws.reset();
    TMainWindowOptions o;
    o.ProgramDir = dir.Dir;
    for (auto _ : state) {
        TFormMain window(o);
        window.show();
        while (!window.Started() && !window.QuitRequested()) Pump();
        if (!window.Started()) state.SkipWithError("start-up failed");
    }
}
BENCHMARK(BM_MainWindowStartupOnRealArchive)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    qx::UseCNumericLocale();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
