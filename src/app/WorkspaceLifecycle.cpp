#include <chrono>
#include <thread>

#include "app/Workspace.h"
#include "core/ConfigFile.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "draws/DrawsFile.h"

namespace qx {

namespace {
constexpr uint16_t kAllGroups = (1u << 13) - 1;  // groups 0..12
} // namespace

bool TWorkspace::WaitForPreviousInstance() {
    // The previous instance gets about a minute to end. Only the same executable counts: a copy
    // running from another directory works on its own data and is no reason to wait.
    const std::filesystem::path exe = OwnExecutable();
    for (int attempt = 0; attempt < 601; ++attempt) {
        if (!OtherInstanceRunning(exe)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        FShell.ProcessMessages();
    }
    return !OtherInstanceRunning(exe);
}

void TWorkspace::LoadFormKeys() {
    try {
        TIniFile ini = ReadFormState();
        FFormKeys.Load(ini);
        if (auto sort = ReadSortType(ini, kMainFormSection, "lvRatings"))
            FRatingsSort = {sort->Column, sort->Direction != 0};
        // A reading run creates no file, so the first-start mark waits for a run that may write.
        if (!FFormKeys.PrefetchsInit && !FOptions.ReadOnly) {
            FFormKeys.PrefetchsInit = true;
            UpdateFormState([&](TIniFile& state) {
                FFormKeys.WriteKey(state, "PrefetchsInit");
                FFormKeys.WriteKey(state, "PrefetchsEnabled");
            });
        }
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка загрузки параметров программы!\r\r%s", e.what()));
    }
}

void TWorkspace::LoadConfiguration() {
    TIniFile ini;
    {
        TBusyScope busy(FShell, "Загрузка файла конфигурации...");
        try {
            ini = TIniFile::Load(FPaths.ConfigFile());
            ReadCombsGenDefaults(ini, FCombsGen);
            ReadConfigData(ini, FConfig);
            ReadShredding(ini, FShredding);
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText("Ошибка чтения файла конфигурации!\r\r%s", e.what()));
        }
    }
    TBusyScope busy(FShell, "Загрузка файла конфигурации...");
    try {
        ReadProxy(ini, FProxy);
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка чтения файла конфигурации!\r\r%s", e.what()));
    }
    ++FConfigRevision;
}

void TWorkspace::StartFirstStage() {
    try {
        FProxy.Reset();
        if (FOptions.Switches.Restart && !WaitForPreviousInstance()) {
            FQuitRequested = true;
            return;
        }
        LoadFormKeys();
        LoadConfiguration();
        RegisterStats();
    } catch (const std::exception& e) {
        FShell.ShowError(FailureText("Ошибка запуска программы!\r\r%s", e.what()));
    }
}

bool TWorkspace::LockProgramDir() {
    try {
        FDirLock.Lock(FPaths.Dir);
        FStakesLock.Open(FPaths.StakesFile());
    } catch (const std::exception& e) {
        FDirLock.Unlock();
        FShell.ShowError(std::string(kExclusiveAccessMessage) + "\r\r" + e.what());
        return false;
    }
    // Saves that were cut short left their temporary files; with the lock held none is running.
    RemoveStaleTempFiles(FPaths.DataFiles());
    RemoveStaleTempFilesIn(FPaths.PrefetchsDir(), ".dfc");
    return true;
}

bool TWorkspace::StartSecondStage() {
    if (FQuitRequested) return false;
    try {
        FShell.ShowStatus("Инициализация...");
        FDrawsOffset = 0;
        if (!FOptions.ReadOnly && !LockProgramDir()) {
            FQuitRequested = true;
            return false;
        }
        if (!StakesLoad()) {
            FShell.ShowError(kExclusiveAccessMessage);
            FQuitRequested = true;
            return false;
        }
        // The files an update replaced were kept until the new program came up: it has.
        RemoveOldFiles(FPaths.Dir);
        LoadDraws();
        if (FOptions.BuildCombsList) GenerateCombs(FCombsGen, true);
        RefreshViews(true);
        RatingsLoad();
        TablesLoad();
        LoadStartScript();
        FStarted = true;
        FShell.ShowStatus("");
        const TSwitches& sw = FOptions.Switches;
        // Only the window lists the script library at start; a batch start contacts no catalogue.
        if (FOptions.Interactive && !sw.LoadOnly) ScriptLibraryStartupLoad();
        // A batch start downloads new draws and ends here unless full-set work follows.
        if (sw.LoadOnly) {
            StartupDownload(false);
            if (!sw.FullRecreate && !sw.FullRefresh) {
                FQuitRequested = true;
                return false;
            }
        }
        if (FOptions.ReadOnly) return true;
        // The window checks for an update (the command-line tool has its own command); an
        // installed one restarts the program instead of going on.
        if (FOptions.Interactive && FFormKeys.AutoUpdates && SelfUpdateAllowed() && SelfUpdate(true) == 1) {
            FRestartRequested = true;
            return true;
        }
        if (sw.FullRecreate) {
            BuildFullSetFiles(true, kAllGroups);
            FQuitRequested = true;
            return false;
        }
        BuildFullSetFiles(sw.FullRefresh, 0);
        if (sw.FullRefresh) {
            FQuitRequested = true;
            return false;
        }
        // The command-line tool asks nothing and contacts nobody at start.
        if (FOptions.Interactive && FFormKeys.DownloadDrawsOnStart == 0) StartupDownload(true);
        if (FOptions.Interactive && FFormKeys.DownloadDrawsOnStart == 1) StartupDownload(false);
    } catch (const std::exception& e) {
        FShell.ShowStatus("");
        FShell.ShowError(FailureText("Ошибка инициализации программы!\r\r%s", e.what()));
    }
    return true;
}

void TWorkspace::Shutdown() {
    if (FShutDown) return;
    FShutDown = true;
    // The closing keys are the main window's sizes and lengths: only a window's run writes them.
    if (FStarted && FOptions.Interactive) {
        try {
            UpdateFormState([&](TIniFile& ini) { FFormKeys.WriteClosingKeys(ini); });
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText("Ошибка записи параметров программы!\r\r%s", e.what()));
        }
    }
    FArchive.Clear();
    if (FStakesLock.IsOpen()) {
        TBusyScope busy(FShell, "Сохранение файла ставок...");
        try {
            FStakes.Flush();
        } catch (const std::exception& e) {
            FShell.ShowError(FailureText("Ошибка записи в файл ставок!\r\r%s", e.what()));
        }
        FStakesLock.Close();
    }
    FRatings.Clear();
    FRegulars.Clear();
    FDirLock.Unlock();
    FObservers.clear();
}

void TWorkspace::LoadStartScript() {
    std::error_code ec;
    if (std::filesystem::exists(FPaths.ScriptFile(), ec)) LoadScript(FPaths.ScriptFile(), false);
    RefreshScriptView();
}

} // namespace qx
