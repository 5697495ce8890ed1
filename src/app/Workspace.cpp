#include "app/Workspace.h"

#include <algorithm>
#include <exception>

#include "app/ConfigForm.h"
#include "app/ScriptExecutor.h"
#include "app/WorkspaceScriptHost.h"
#include "core/ArchiveQueries.h"
#include "core/ConfigFile.h"
#include "core/Platform.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {

namespace {
TProgramPaths PathsOf(const TWorkspaceOptions& options) {
    TProgramPaths paths;
    paths.Dir = options.ProgramDir;
    paths.ExeName = options.ExeName;
    return paths;
}
} // namespace

TWorkspace::TWorkspace(TShell& shell, TWorkspaceOptions options)
    : FShell(shell), FOptions(std::move(options)), FPaths(PathsOf(FOptions)), FRandom(std::random_device{}()) {
    FDecimalSeparator = FOptions.DecimalSeparator ? FOptions.DecimalSeparator : UserDecimalSeparator();
    FScriptHost = MakeWorkspaceScriptHost(*this);
    FScriptExecutor = std::make_unique<TScriptExecutor>(*FScriptHost);
    FProxy.Attach(
        FShell, [this](bool withStatus) { SaveProxy(withStatus); },
        [this](const std::string& target) { return DiscoverProxies(target); });
}

TWorkspace::~TWorkspace() {
    try {
        Shutdown();
    } catch (...) {
        // Nothing can be reported from a destructor; Shutdown shows its own failures.
    }
}

void TWorkspace::AddObserver(TWorkspaceObserver* observer) {
    if (std::find(FObservers.begin(), FObservers.end(), observer) == FObservers.end())
        FObservers.push_back(observer);
}

void TWorkspace::RemoveObserver(TWorkspaceObserver* observer) { std::erase(FObservers, observer); }

void TWorkspace::RefreshViews(bool force) {
    if (ViewsSuspended()) return;
    RefreshStatTable(force);
    FGraphTab.Refresh(force);
    FCardTab.Refresh(force);
    FLayoutTab.Refresh(force);
    FLayoutTab.RefreshCompare(force);
    FWeekTab.Refresh(force);
    Notify([&](TWorkspaceObserver& o) { o.RefreshViews(force); });
}

TIniFile TWorkspace::ReadFormState() const { return TIniFile::Load(FPaths.FormStateFile()); }

void TWorkspace::UpdateFormState(const std::function<void(TIniFile&)>& change) {
    if (FOptions.ReadOnly) throw TAppError("Файл параметров окна открыт только для чтения");
    UpdateIniFile(FPaths.FormStateFile(), change);
}

void TWorkspace::WriteFormKey(std::string_view name) {
    UpdateFormState([&](TIniFile& ini) { FFormKeys.WriteKey(ini, name); });
}

void TWorkspace::SetFormKey(std::string_view name, bool value) {
    if (!FFormKeys.SetBoolKey(name, value)) throw TAppError(FormatText("Неизвестный параметр: %s", {std::string(name)}));
    WriteFormKey(name);
}

void TWorkspace::SetFormKey(std::string_view name, int value) {
    if (!FFormKeys.SetIntKey(name, value)) throw TAppError(FormatText("Неизвестный параметр: %s", {std::string(name)}));
    WriteFormKey(name);
}

void TWorkspace::SaveConfig(const TConfigData& config) {
    uint16_t groups = 0;
    for (int g : ChangedStatGroups(FConfig, config)) groups |= static_cast<uint16_t>(1u << g);
    FConfig = config;
    ++FConfigRevision;
    UpdateStatsConfig();
    // The new configuration is in force even when it cannot be written; its full-set files are
    // rebuilt before the write failure is reported.
    std::exception_ptr failure;
    {
        TBusyScope busy(FShell, "Сохранение файла конфигурации...");
        try {
            WrapFailure("Ошибка записи в файл конфигурации!\r\r%s", [&] {
                UpdateIniFile(FPaths.ConfigFile(), [&](TIniFile& ini) { WriteConfigData(ini, FConfig); },
                              kConfigFileMode);
            });
        } catch (...) {
            failure = std::current_exception();
        }
    }
    BuildFullSetFiles(false, groups);
    if (failure) std::rethrow_exception(failure);
}

void TWorkspace::SetDrawsOffset(int offset) {
    offset = std::clamp(offset, 0, MaxDrawsOffset());
    if (offset == FDrawsOffset) return;
    FDrawsOffset = offset;
    Notify([](TWorkspaceObserver& o) { o.DrawsOffsetChanged(); });
    Notify([](TWorkspaceObserver& o) { o.StatusPanelsChanged(); });
    RefreshViews(false);
}

std::string TWorkspace::StatusPanelText(int panel) const {
    switch (panel) {
    case 0: return FormatText("Архив тиражей: %d", {std::to_string(FArchive.Count())});
    case 1: return FormatText("Следующий тираж: %d", {std::to_string(NextDrawNumber(Draws(), FDrawsOffset))});
    case 2: return FollowingDigitsText(Draws(), FDrawsOffset);
    case 3: return FormatText("Комбинаций: %d", {std::to_string(FCombs.Count())});
    case 4: return FormatText("Ставок: %d", {std::to_string(FStakes.Count())});
    case 5: return FormatText("Рейтинг: %d", {std::to_string(FRatings.Count())});
    default: return {};
    }
}

void TWorkspace::RefreshDrawsList(bool force) {
    // The offset never points past the archive (a shorter archive lowers the spin edit's maximum).
    if (FDrawsOffset > MaxDrawsOffset()) {
        FDrawsOffset = MaxDrawsOffset();
        Notify([](TWorkspaceObserver& o) { o.DrawsOffsetChanged(); });
    }
    Notify([&](TWorkspaceObserver& o) { o.DrawsListChanged(force); });
    Notify([](TWorkspaceObserver& o) { o.StatusPanelsChanged(); });
}

} // namespace qx
