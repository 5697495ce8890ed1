// The two analyses of the menu "Статистика" that look at the whole archive.
#include "app/Workspace.h"
#include "core/ProgressScope.h"

namespace qx {

TRepeatsResult TWorkspace::AnalyzeRepeats(int64_t length, int64_t deep) {
    TBusyScope busy(FShell, "");
    TProgressScope window(FShell, "Идет сбор статистики....", RepeatsDrawCount(FArchive.Count(), length));
    TProgressPacer pacer(FShell);
    TRepeatsResult result = ComputeRepeats(Draws(), length, deep, [&] { pacer.Step(); });
    pacer.Flush();
    return result;
}

TSumDistribution TWorkspace::TotalSumCombs() {
    TBusyScope busy(FShell, "Идет сбор статистики....");
    return ComputeSumDistribution(Draws());
}

} // namespace qx
