#include "app/Workspace.h"

namespace qx {

void TWorkspace::RegisterStats() {
    FStats.SetDraws(&FArchive.Records());
    FStats.SetConfig(FConfig);
    FStats.SetFormulas(FShredding);
    FStats.SetGenerateMode(FCombsGen);
    FStats.Register();
}

void TWorkspace::UpdateStatsConfig() {
    const TConfigData old = FStats.Config();
    FStats.SetConfig(FConfig);
    // Variant ranges follow the channel width, the matrix and the segment table.
    if (old.ChannelSize != FConfig.ChannelSize || old.MatrixCols != FConfig.MatrixCols ||
        old.MatrixSegments != FConfig.MatrixSegments)
        FStats.Reregister();
}

TStatTableParams TWorkspace::StatTableParams(int windowLength) const {
    TStatTableParams p;
    p.Current = CurrentDrawIndex();
    p.WindowLength = windowLength;
    p.Sorted = SortedDraws();
    p.Weights = FStats.Config().Weights;
    return p;
}

} // namespace qx
