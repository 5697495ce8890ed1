#include "app/Workspace.h"

namespace qx {

void TWorkspace::RegisterStats() {
    // Every change of the archive bumps its revision, so the engine's indexes are checked by number.
    FStats.SetDraws(&FArchive.Records(), [this] { return FArchive.Revision(); });
    FStats.SetConfig(FConfig);
    FStats.SetFormulas(FShredding);
    FStats.SetGenerateMode(FCombsGen);
    FStats.DecimalSeparator = FDecimalSeparator;
    FStats.Register();
    LoadFilterNames();
    FillChoosers(false);
    FStatTab.ResetCache();
    FGraphTab.ResetCache();
}

void TWorkspace::UpdateStatsConfig() {
    const TConfigData old = FStats.Config();
    FStats.SetConfig(FConfig);
    // Variant ranges follow the channel width, the matrix and the segment table.
    if (old.ChannelSize != FConfig.ChannelSize || old.MatrixCols != FConfig.MatrixCols ||
        old.MatrixSegments != FConfig.MatrixSegments) {
        ReregisterStats();
    }
}

void TWorkspace::ReregisterStats() {
    // The file is written around the rebuild, so what the user set survives whatever happens next.
    if (!FOptions.ReadOnly) {
        try {
            SaveFilterNames();
        } catch (const std::exception& e) {
            FShell.ShowError(e.what());
        }
    }
    FStats.Reregister();
    FillChoosers(true);
}

void TWorkspace::FillChoosers(bool keepSelection) {
    FStatTab.Chooser().Fill(FStats, keepSelection);
    FGraphTab.Chooser().Fill(FStats, keepSelection);
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
