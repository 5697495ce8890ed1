#include "app/Workspace.h"
#include "core/Error.h"
#include "core/ProgramDir.h"
#include "online/UpdateAddress.h"

namespace qx {

// An installed program leaves its updates to the package manager.
bool TWorkspace::SelfUpdateAllowed() const {
    return !RunsInstalled() && qx::SelfUpdateAllowed(FPaths.Dir, OwnExecutable());
}

TSelfUpdateOptions TWorkspace::SelfUpdateOptions(const TOnlineSettings& online) const {
    TSelfUpdateOptions o = FUpdateDefaults;
    o.ProgramDir = FPaths.Dir;
    o.ProgramName = FOptions.ExeName;
    o.Http = HttpOptionsFor(online);
    o.AllowLocal = online.UpdateLocalAllowed();
    return o;
}

int TWorkspace::SelfUpdate(bool quiet) {
    const TOnlineSettings online = OnlineSettings();
    if (online.UpdateUrl.empty()) {
        if (quiet) return 0;
        FShell.ShowError(FailureText(kUpdateSearchError, kNoServerAddress));
        return 2;
    }
    TBusyScope busy(FShell, kUpdateSearchText);
    FUpdater = std::make_unique<TSelfUpdater>(FShell, SelfUpdateOptions(online));
    FUpdater->Consent = FUpdateConsent;
    return FUpdater->SelfUpdate(UpdateConfigAddress(online.UpdateUrl), quiet, FInterfaceLanguage);
}

void TWorkspace::UpdateRollBack() {
    if (FUpdater) FUpdater->RollBack();
}

} // namespace qx
