// The card, layout and week tabs: the card over long archives (rebuilt and announced to its view,
// and one screenful painted at any scroll position), and the refresh of each tab as the window
// does it on the real archive (the engine's computation, the model and the lists shown again).
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <random>

#include "BenchArchive.h"
#include "views/FormMain.h"
#include "views/grid/GridModel.h"
#include "views/pages/CardPage.h"

using namespace qx;
using namespace qx::bench;

namespace {

void BM_CardRebuild(benchmark::State& state) {
    TArchiveDir archive(static_cast<int>(state.range(0)));
    TCardTab& tab = archive.Ws->CardTab();
    TGridModel* model = MakeCardModel(tab, nullptr);
    QTableView* view = MakeGridView("sgCard", nullptr, model);
    for (auto _ : state) {
        tab.Refresh(true);
        model->Sync();
        benchmark::DoNotOptimize(model->rowCount());
    }
    delete view;
    delete model;
}
BENCHMARK(BM_CardRebuild)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_CardPaintAtRandomRows(benchmark::State& state) {
    TArchiveDir archive(static_cast<int>(state.range(0)));
    TGridModel* model = MakeCardModel(archive.Ws->CardTab(), nullptr);
    QTableView* view = MakeGridView("sgCard", nullptr, model);
    view->resize(700, 700);
    view->show();
    Pump();
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(1);
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(static_cast<int>(random() % static_cast<unsigned>(bar->maximum() + 1)));
        view->render(&image);
    }
    delete view;
    delete model;
}
BENCHMARK(BM_CardPaintAtRandomRows)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// One tab's page refreshed with force on the real archive: arg 0 card, 1 layout (scheme and
// comparison lists), 2 week.
void BM_PageRefreshOnRealArchive(benchmark::State& state) {
    const TDrawsArray draws = RealDraws();
    if (draws.empty()) {
        state.SkipWithError("no real archive");
        return;
    }
    TArchiveDir dir(draws);
    dir.Ws.reset();
    TMainWindowOptions o;
    o.ProgramDir = dir.Dir;
    TFormMain window(o);
    window.show();
    while (!window.Started() && !window.QuitRequested()) Pump();
    const char* pages[] = {"tsCard", "tsLayout", "tsWeek"};
    TViewPage* page = window.Page(pages[state.range(0)]);
    for (auto _ : state) page->RefreshView(true);
}
BENCHMARK(BM_PageRefreshOnRealArchive)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
