#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/Config.h"
#include "core/FormState.h"
#include "core/Game.h"
#include "core/Platform.h"
#include "core/ProgramPaths.h"
#include "core/Shell.h"
#include "core/Switches.h"
#include "app/GraphTab.h"
#include "app/StatTab.h"
#include "combs/CombsGen.h"
#include "combs/CombsStore.h"
#include "combs/FilterItem.h"
#include "draws/DrawsArchive.h"
#include "draws/DrawsCsv.h"
#include "stats/FullSet.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"

namespace qx {

struct TWorkspaceOptions {
    std::filesystem::path ProgramDir;
    std::string ExeName = kProgramBaseName;
    TSwitches Switches;
    // False for the command-line tool: start-up asks nothing and contacts nobody.
    bool Interactive = true;
    // Decimal separator of table texts; 0 takes the user's locale.
    char DecimalSeparator = 0;
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
    // The working combination list or its journal changed.
    virtual void CombsChanged() {}
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
    const TCombsGenParams& CombsGenDefaults() const { return FCombsGen; }
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

    // ---- Statistics
    // The registry of statistic methods, registered in the first start-up stage over this
    // configuration and archive.
    TStatList& Stats() { return FStats; }
    const TStatList& Stats() const { return FStats; }
    // Table inputs for the current draw: offset, sorted-draws view, weights of the registry.
    TStatTableParams StatTableParams(int windowLength) const;
    // The statistics and graphs tabs' state (choosers, lengths, the last table and graph).
    TStatTab& StatTab() { return FStatTab; }
    const TStatTab& StatTab() const { return FStatTab; }
    TGraphTab& GraphTab() { return FGraphTab; }
    const TGraphTab& GraphTab() const { return FGraphTab; }
    // Decimal separator of the real numbers the tables show (the user's locale).
    char DecimalSeparator() const { return FDecimalSeparator; }

    // ---- Full-set comparison files (one per method with a full set, in the folder Prefetchs)
    bool PrefetchsEnabled() const { return FFormKeys.PrefetchsEnabled; }
    // Stores the setting at once and builds the missing files when it is switched on.
    void SetPrefetchsEnabled(bool on);
    std::filesystem::path FullSetFile(int method) const;
    // The method's full set for the norms of a table: none unless the comparison is on and the
    // method has a full set. A missing, empty or damaged file is built first; failures are
    // shown and give none (the table is then computed without norms).
    std::optional<TFullSet> OpenFullSet(int method);
    // The same whatever the comparison setting says.
    std::optional<TFullSet> LoadFullSet(int method);
    // Writes the file of one method; none, with the message, when that fails (no file is left).
    std::optional<TFullSet> BuildFullSetFile(int method);
    // Builds every missing file and rebuilds the existing ones of the groups in the set (bit g =
    // group g); does nothing unless forced or the comparison is on.
    void BuildFullSetFiles(bool force, uint16_t groups);

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

    // ---- Combination list (failures of file, paste and generation are shown, not raised)
    const TCombsStore& Combs() const { return FCombs; }
    // Builds the working list by the mode. Interactive: busy state, status text, journal cleared,
    // undo copy and buffer emptied, views told.
    // False when the list could not be made (the error has been shown); the list is then empty.
    bool GenerateCombs(const TCombsGenParams& params, bool interactive);
    // GenerateCombs, interactive, for one of a run of variants: a list start already holds for the
    // same parameters is copied instead of made again; a new one is kept there.
    bool StartCombs(const TCombsGenParams& params, TStartList& start);
    // Makes params the stored defaults and writes them to the configuration file at once.
    void SaveCombsGenDefaults(const TCombsGenParams& params);
    void SaveCombsUndo(bool interactive);
    void RestoreCombsUndo(bool interactive);
    void CombsUndo();  // restore and drop the last journal row
    // Rebuilds the list from the undo copy without the draws of the last n (from the current draw).
    void ExcludeLastDraws(int n);
    void CombsDelExists(int n);  // undo copy, then ExcludeLastDraws
    void DeleteSelectedCombs(const std::vector<int>& rows);  // undo copy, then the deletion
    bool LoadCombsFile(const std::filesystem::path& file);
    bool SaveCombsFile(const std::filesystem::path& file);
    void OpenCombs(const std::filesystem::path& file);
    std::string CombsCopyText(const std::vector<int>& rows);
    void PasteCombs(const std::string& text);
    void FindCombInArchive(TCombCode code);
    void CheckUniqueNumbers();
    void StoreCombsBuffer(int offset, int n);
    bool LoadCombsBuffer(int offset, int n);
    void ResetCombsBuffer() { FCombs.ResetBuffer(); }
    bool CombsContains(TCombCode code) const { return FCombs.Contains(code); }
    void AddJournalRow(bool remove, const std::string& caption, const std::string& values);
    void AddUndoJournalRow();
    void DropLastJournalRow();
    void ClearJournal();

    // ---- Statistic filters
    // Keeps (exclude false) or removes the undo copy's combinations whose value matches one of
    // rows, rebuilding the working list, and adds the journal row with caption and values. With
    // an empty undo copy the list ends empty and no row is added.
    void FilterByRows(TCustomStat& stat, std::span<const TStatDraw> rows, bool exclude, const std::string& caption,
                      const std::string& values);
    // The same for the rows selected on the statistics tab (nothing when none is selected).
    void FilterBySelection(TCustomStat* stat, bool exclude);
    // "Оставить выделенные" / "Удалить выделенные": the undo copy, then the filter.
    bool StatFilterEnabled() const;
    void StatFilterInclude();
    void StatFilterExclude();
    // A variant of a script line: its parts in order, each only while more than one combination
    // is left. Lines of the log go to log when it is given.
    using TLogSink = std::function<void(const std::string&)>;
    void ApplyFilterRec(const TFilterRec& rec, const TLogSink& log);
    void ApplyFilterPart(const TFilterPart& part, const TLogSink& log);
    // The stop request of a running script; long walks poll it.
    bool StopRequested() const { return FStopRequested; }
    void RequestStop(bool stop = true) { FStopRequested = stop; }

    // ---- Views
    void AddObserver(TWorkspaceObserver* observer);
    void RemoveObserver(TWorkspaceObserver* observer);
    void RefreshViews(bool force);
    // The statistics tab's table, recomputed when forced or when an input of it changed; true when
    // it computed.
    bool RefreshStatTable(bool force) { return FStatTab.Refresh(force); }
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
    void CombsListChanged();
    // What a new list forgets: the journal, the undo copy and the buffer's combinations.
    void ForgetCombsHistory();
    void RegisterStats();
    void UpdateStatsConfig();

    TShell& FShell;
    TWorkspaceOptions FOptions;
    TProgramPaths FPaths;

    TConfigData FConfig;
    uint64_t FConfigRevision = 1;
    TCombsGenParams FCombsGen;
    TShreddingFormulas FShredding;
    TProxy FProxy;
    TMainFormKeys FFormKeys;
    std::mt19937 FRandom;

    TDrawsArchive FArchive;
    TStatList FStats;
    int FDrawsOffset = 0;
    TExclusiveFile FStakesLock;
    TCombsStore FCombs;
    TStatTab FStatTab{*this};
    TGraphTab FGraphTab{*this};
    char FDecimalSeparator = '.';

    std::vector<TWorkspaceObserver*> FObservers;
    int FViewsSuspended = 0;
    bool FQuitRequested = false;
    bool FStopRequested = false;
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
