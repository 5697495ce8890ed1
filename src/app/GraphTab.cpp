#include "app/GraphTab.h"

#include <algorithm>

#include "app/Workspace.h"
#include "stats/StatBases.h"

namespace qx {

void MeanAndMode(const std::vector<int32_t>& values, double& mean, int32_t& mode) {
    mean = 0;
    mode = 0;
    if (values.empty()) return;
    std::vector<std::pair<int32_t, int>> counts;  // in order of first appearance
    int64_t sum = 0;
    for (int32_t v : values) {
        sum += v;
        auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == v; });
        if (it == counts.end())
            counts.emplace_back(v, 1);
        else
            ++it->second;
    }
    mean = double(sum) / double(values.size());
    int best = 0;
    for (const auto& [value, count] : counts)
        if (count > best) {
            best = count;
            mode = value;
        }
}

TGraphTab::TGraphTab(TWorkspace& workspace) : FWs(workspace) {}

int TGraphTab::WindowLength() const { return FWs.FormKeys().DrawsGraphLen; }

void TGraphTab::SetWindowLength(int length) { FWs.FormKeys().DrawsGraphLen = std::max(1, length); }

bool TGraphTab::Refresh(bool force) {
    if (!FWs.FormKeys().TabGraphs) return false;
    const TViewCacheKey key = CurrentViewKey(FWs, WindowLength(), FChooser);
    if (!force && FCache && *FCache == key) return false;
    FCache = key;
    FSeries = TGraphSeries{};
    ++FRevision;
    if (key.Method < 0 || FWs.Archive().Empty()) return true;

    TBusyScope busy(FWs.Shell(), "Анализ тиражей и построение графиков...");
    auto stat = FWs.Stats().CreateStat(key.Method);
    FSeries = ComputeGraphSeries(*stat, FWs.CurrentDrawIndex(), key.Window, key.Sorted);
    return true;
}

TGraphSeries ComputeGraphSeries(TCustomStat& stat, int L, int windowLength, bool sorted) {
    TGraphSeries series;
    auto* graph = dynamic_cast<TCustomGraphStat*>(&stat);
    if (!graph) return series;
    L = std::min(L, static_cast<int>(stat.Draws.size()) - 1);
    const int start = std::max(0, L - windowLength + 1);
    std::vector<int32_t> values;
    for (int i = start; i <= L; ++i) {
        const int32_t y = graph->DrawValue(i, L, sorted);
        const int32_t number = stat.Draws[size_t(i)].Number;
        series.Points.push_back({double(number), double(y), std::to_string(number)});
        values.push_back(y);
    }
    MeanAndMode(values, series.Mean, series.Mode);
    return series;
}

} // namespace qx
