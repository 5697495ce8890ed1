// System play: the number map of the working list, the system file for its N, the stakes.
#include "app/Workspace.h"
#include "core/DrawHelpers.h"

namespace qx {

void TWorkspace::SetSystemsEnabled(bool on) {
    FSystemsEnabled = on;
    if (!on) FSystemsCatalogue.Clear();
    SetFormKey("SystemsEnabled", on);
}

std::optional<TWorkspace::TSystemChoice> TWorkspace::SystemPrepare() {
    TSystemChoice choice;
    {
        TBusyScope busy(FShell, "Подождите пожалуйста...");
        choice.Map = SystemNumbers(FCombs.List());
    }
    if (!SystemLoad(FShell, SystemsDir(), choice.Map, choice.Combs, choice.FileName)) return std::nullopt;
    return choice;
}

bool TWorkspace::SystemPlay(TSystemPlayMode mode, const TSystemChoice& system, int32_t drawNumber,
                            int64_t draws, const std::string& comment) {
    bool ok = true;
    {
        TBusyScope busy(FShell, "Создание ставок...");
        StakesBeginGroup();
        const bool listedOnly = mode == TSystemPlayMode::ListedOnly;
        const int32_t sample = listedOnly ? FCombs.Count() : static_cast<int32_t>(system.Combs.size());
        for (TCombCode code : system.Combs) {
            const TCombCode sorted = SortedCode(code);
            if (listedOnly && !FCombs.Contains(sorted)) continue;
            ok = StakesAdd(NewStake(skSystem, drawNumber, StakeNumbersOf(sorted), sample, comment, FConfig),
                           draws, true);
            if (!ok) break;
        }
    }
    if (ok) {
        StakesCheck();
        StakesRefresh(true, true);
    }
    return ok;
}

} // namespace qx
