#include "app/Workspace.h"

namespace qx {

void TWorkspace::RegisterStats() {
    // Every change of the archive bumps its revision, so the engine's indexes are checked by number.
    FStats.SetDraws(&FArchive.Records(), [this] { return FArchive.Revision(); });
    FStats.SetConfig(FConfig);
    FStats.SetFormulas(FShredding);
    FStats.SetGenerateMode(FCombsGen);
    FStats.Register();
    FStatTab.Chooser().Fill(FStats, false);
    FGraphTab.Chooser().Fill(FStats, false);
    FStatTab.ResetCache();
    FGraphTab.ResetCache();
}

void TWorkspace::UpdateStatsConfig() {
    const TConfigData old = FStats.Config();
    FStats.SetConfig(FConfig);
    // Variant ranges follow the channel width, the matrix and the segment table.
    if (old.ChannelSize != FConfig.ChannelSize || old.MatrixCols != FConfig.MatrixCols ||
        old.MatrixSegments != FConfig.MatrixSegments) {
        FStats.Reregister();
        FStatTab.Chooser().Fill(FStats, true);
        FGraphTab.Chooser().Fill(FStats, true);
    }
}

TStatTableParams TWorkspace::StatTableParams(int windowLength) const {
    TStatTableParams p;
    p.Current = CurrentDrawIndex();
    p.WindowLength = windowLength;
    p.Sorted = SortedDraws();
    p.Weights = FStats.Config().Weights;
    p.DecimalSeparator = FDecimalSeparator;
    return p;
}

} // namespace qx
