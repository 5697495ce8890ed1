#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/Config.h"
#include "core/FormState.h"
#include "core/Game.h"
#include "core/Platform.h"
#include "core/ProgramPaths.h"
#include "core/Shell.h"
#include "core/Switches.h"
#include "draws/DrawsArchive.h"
#include "draws/DrawsCsv.h"

namespace qx {

struct TWorkspaceOptions {
    std::filesystem::path ProgramDir;
    std::string ExeName = kProgramBaseName;
    TSwitches Switches;
    // False for the command-line tool: start-up asks nothing and contacts nobody.
    bool Interactive = true;
};

// Views subscribe to hear about changes; each keeps its own cache and decides what to redo.
class TWorkspaceObserver {
public:
    virtual ~TWorkspaceObserver() = default;
    // The draws list must take the archive length (and repaint everything when forced).
    virtual void DrawsListChanged(bool force) { (void)force; }
    virtual void DrawsOffsetChanged() {}
    // Status bar panels 0..5 changed.
    virtual void StatusPanelsChanged() {}
    // The archive, the offset or a setting changed: views recompute when their inputs changed.
    virtual void RefreshViews(bool force) { (void)force; }
};

// The run's data and the commands on it. Windows collect inputs (dialogs, selections) and call
// these methods; the command-line tool and the tests call them the same way, without a display.
class TWorkspace {
public:
    TWorkspace(TShell& shell, TWorkspaceOptions options);
    ~TWorkspace();
    TWorkspace(const TWorkspace&) = delete;
    TWorkspace& operator=(const TWorkspace&) = delete;

    TShell& Shell() const { return FShell; }
    const TProgramPaths& Paths() const { return FPaths; }
    const TWorkspaceOptions& Options() const { return FOptions; }

    // ---- Start-up and shut-down
    // Restart wait, window-state keys, configuration. Failures are shown; start-up goes on
    // unless the restart wait says to quit.
    void StartFirstStage();
    // Exclusive lock of the data files, the archive, the views. False when the program must quit.
    bool StartSecondStage();
    bool QuitRequested() const { return FQuitRequested; }
    bool Started() const { return FStarted; }
    // Writes the closing keys, frees the data and closes the stakes file. Runs once.
    void Shutdown();

    // ---- Settings
    const TConfigData& Config() const { return FConfig; }
    const TCombsGenDefaults& CombsGenDefaults() const { return FCombsGen; }
    const TShreddingFormulas& Shredding() const { return FShredding; }
    TProxy& Proxy() { return FProxy; }
    TMainFormKeys& FormKeys() { return FFormKeys; }
    const TMainFormKeys& FormKeys() const { return FFormKeys; }
    // Changes a switch or mode key of the main window and writes it to the window-state file at once.
    void SetFormKey(std::string_view name, bool value);
    void SetFormKey(std::string_view name, int value);
    // Reads or rewrites the window-state file (other windows' sections are kept).
    TIniFile ReadFormState() const;
    void UpdateFormState(const std::function<void(TIniFile&)>& change);
    // Replaces the configuration and writes GLOBAL, STAKES and CDL. A write failure is raised
    // after the new configuration is in force.
    void SaveConfig(const TConfigData& config);
    uint64_t ConfigRevision() const { return FConfigRevision; }
    // The configuration dialog's OK: replaces and writes the configuration, refreshes every view
    // and returns the statistic groups whose settings changed. A write failure is raised after
    // the views are refreshed; the new configuration stays in force.
    std::vector<int> ChangeConfig(const TConfigData& config);
    std::mt19937& Random() { return FRandom; }

    // ---- Archive
    const TDrawsArchive& Archive() const { return FArchive; }
    const TDrawsArray& Draws() const { return FArchive.Records(); }
    bool SortedDraws() const { return FFormKeys.SortedDraws; }
    // The draws as shown and analysed (digits sorted when SortedDraws).
    const TDrawsArray& ViewDraws() const { return FArchive.View(SortedDraws()); }
    int DrawsOffset() const { return FDrawsOffset; }
    int MaxDrawsOffset() const { return FArchive.Count() > 0 ? FArchive.Count() - 1 : 0; }
    int CurrentDrawIndex() const { return FArchive.High() - FDrawsOffset; }
    void SetDrawsOffset(int offset);
    std::string StatusPanelText(int panel) const;

    void LoadDraws();
    bool SaveDraws();
    void RefreshDrawsList(bool force);

    // ---- Draw commands (failures raise; the caller's RunCommand shows them)
    // A new draw as the add dialog proposes it: the next number, no label.
    TDrawRecord ProposedDraw() const;
    void AddDraw(const TDrawRecord& draw);
    void ReplaceDrawAtRow(int row, const TDrawRecord& draw);
    // Asks, then deletes the draws shown in the given list rows. False when the user said no.
    bool DeleteDrawRows(const std::vector<int>& rows);
    // Deletes, for each number, the draw that IndexOfNumber finds for it.
    void DeleteDrawNumbers(const std::vector<int32_t>& numbers);
    TCsvImportResult ImportDraws(const std::filesystem::path& file);
    void ExportDraws(const std::filesystem::path& file);

    // ---- Views
    void AddObserver(TWorkspaceObserver* observer);
    void RemoveObserver(TWorkspaceObserver* observer);
    void RefreshViews(bool force);
    // While suspended RefreshViews does nothing (nesting).
    void SuspendViews() { ++FViewsSuspended; }
    void ResumeViews() { if (FViewsSuspended > 0) --FViewsSuspended; }
    bool ViewsSuspended() const { return FViewsSuspended > 0; }

private:
    template <class Fn>
    void Notify(Fn&& fn) {
        auto observers = FObservers;  // an observer may unsubscribe while notified
        for (auto* o : observers) fn(*o);
    }
    void LoadFormKeys();
    void LoadConfiguration();
    bool WaitForPreviousInstance();
    void WriteFormKey(std::string_view name);

    TShell& FShell;
    TWorkspaceOptions FOptions;
    TProgramPaths FPaths;

    TConfigData FConfig;
    uint64_t FConfigRevision = 1;
    TCombsGenDefaults FCombsGen;
    TShreddingFormulas FShredding;
    TProxy FProxy;
    TMainFormKeys FFormKeys;
    std::mt19937 FRandom;

    TDrawsArchive FArchive;
    int FDrawsOffset = 0;
    TExclusiveFile FStakesLock;

    std::vector<TWorkspaceObserver*> FObservers;
    int FViewsSuspended = 0;
    bool FQuitRequested = false;
    bool FStarted = false;
    bool FShutDown = false;
};

// Message texts of start-up and shut-down.
inline constexpr const char* kExclusiveAccessMessage =
    "Невозможно получить монопольный доступ к файлам данных!\r\rВозможные причины данной ошибки: \r\r1) Вы "
    "пытаетесь запустить вторую копию программы из одного и того же каталога. Корректная работа нескольких копий "
    "программы возможна только из разных каталогов.\r\r2) Для программы нет прав на запись в том каталоге, где она "
    "расположена. Например: в Windows 7 и выше по умолчанию запрещена запись в c:\\Program Files.\r\rПрограмма "
    "будет закрыта!";

} // namespace qx
