#include <cstdio>
#include <ostream>

#include "app/GraphTab.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "cli/CliStatTable.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

// Each draw's number and value as the graphs tab plots them, then their mean and mode.
void Graph(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const TMethodArgs m = TakeMethodArgs(c, args, ws.FormKeys().DrawsGraphLen);
    if (!ws.Stats().IsGraph(m.Method))
        throw TAppError(FormatText("Метод не строит график: %s", {ws.Stats().Items(m.Method).Code()}));
    ws.SetDrawsOffset(m.Offset);
    auto stat = ws.Stats().CreateStat(m.Method);
    const TGraphSeries series =
        ComputeGraphSeries(*stat, ws.CurrentDrawIndex(), m.Window, ws.SortedDraws() || m.Sorted);
    c.Out << "Тираж\tЗначение\n";
    for (const TChartPoint& p : series.Points) c.Out << p.Label << "\t" << IntToStr(int64_t(p.Y)) << "\n";
    char mean[64];
    std::snprintf(mean, sizeof mean, "%.4f", series.Mean);
    c.Out << "Среднее\t" << mean << "\nМода\t" << series.Mode << "\n";
}

} // namespace

void AddGraphCommands(TCliCommandList& list) {
    list.push_back({{"graph"},
                    "graph --method КОД [--window N] [--offset K] [--sorted]  значения графика по тиражам",
                    Graph});
}

} // namespace qx
