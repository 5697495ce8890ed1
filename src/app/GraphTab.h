#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/MethodChooser.h"
#include "app/StatTab.h"

namespace qx {

class TWorkspace;

// One number per draw of the window for a graph method, with the mean and the most frequent value.
struct TGraphSeries {
    std::vector<TChartPoint> Points;  // x = draw number, label = its decimal text
    double Mean = 0;
    int32_t Mode = 0;  // among equal counts the value seen first; 0 for an empty window
};

// Mean and mode of a window's values, as the graph draws them.
void MeanAndMode(const std::vector<int32_t>& values, double& mean, int32_t& mode);

// The series of a method over the window of windowLength draws ending at archive index L: each
// draw's DrawValue, with mean and mode. Empty for a method that is not a graph one.
TGraphSeries ComputeGraphSeries(TCustomStat& stat, int L, int windowLength, bool sorted);

// The graphs tab as the engine keeps it.
class TGraphTab {
public:
    explicit TGraphTab(TWorkspace& workspace);

    TMethodChooser& Chooser() { return FChooser; }
    const TMethodChooser& Chooser() const { return FChooser; }
    int WindowLength() const;
    void SetWindowLength(int length);

    // Recomputes when forced or when its inputs changed; only while the tab is shown.
    bool Refresh(bool force);
    void ResetCache() { FCache.reset(); }
    const TGraphSeries& Series() const { return FSeries; }
    uint64_t Revision() const { return FRevision; }

private:
    TWorkspace& FWs;
    TMethodChooser FChooser{"cbDrawsGraphType", true};
    std::optional<TViewCacheKey> FCache;
    TGraphSeries FSeries;
    uint64_t FRevision = 0;
};

} // namespace qx
