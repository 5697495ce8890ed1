#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/Config.h"
#include "core/FileIO.h"
#include "core/FormState.h"
#include "core/GraphPlot.h"
#include "core/Game.h"
#include "core/Platform.h"
#include "core/ProgramPaths.h"
#include "core/Shell.h"
#include "core/Switches.h"
#include "app/FilterPreview.h"
#include "app/CardTab.h"
#include "app/FavouritesForm.h"
#include "app/GraphTab.h"
#include "app/LayoutTab.h"
#include "app/StatTab.h"
#include "app/ScriptLibrary.h"
#include "app/SystemsCatalogue.h"
#include "app/ViewGrid.h"
#include "app/WeekTab.h"
#include "combs/CombsGen.h"
#include "combs/CombsStore.h"
#include "combs/FilterItem.h"
#include "draws/DrawsArchive.h"
#include "draws/DrawsCsv.h"
#include "online/CatalogueClient.h"
#include "online/HttpClient.h"
#include "online/OnlineSettings.h"
#include "online/ProxyAgent.h"
#include "online/SelfUpdate.h"
#include "scripts/Ratings.h"
#include "stakes/Regulars.h"
#include "scripts/Script.h"
#include "stakes/StakeLog.h"
#include "stakes/StakesBook.h"
#include "stakes/Systems.h"
#include "stats/Repeats.h"
#include "stats/SumDistribution.h"
#include "stats/FullSet.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"

namespace qx {

class TScriptExecutor;
class TScriptHost;

struct TWorkspaceOptions {
    std::filesystem::path ProgramDir;
    std::string ExeName = kProgramBaseName;
    TSwitches Switches;
    // False for the command-line tool: start-up asks nothing and contacts nobody.
    bool Interactive = true;
    // Decimal separator of table texts; 0 takes the user's locale.
    char DecimalSeparator = 0;
    // A run that only reads the program's files (the command-line tool's reading commands): it
    // takes no lock and creates, writes or removes nothing in the program directory, so it works
    // in a read-only directory and beside a running window.
    bool ReadOnly = false;
    // Builds the working combination list at start-up; commands that do not use it go without,
    // so a stored list file that is missing or hostile cannot stop them.
    bool BuildCombsList = true;
};

// How the last draw download went: each range asked for, with its new and unreadable results.
struct TDownloadRange {
    int From = 0;
    int To = 0;
    int Added = 0;
    int Skipped = 0;
};
struct TDownloadReport {
    std::vector<TDownloadRange> Ranges;
    int Added = 0;
    bool Failed = false;    // ended by "No" to the retry question
    std::string LastError;  // the reason of the last failed attempt
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
    // The stakes file changed (StakesRefresh): refresh repaints the grid, selectLast makes the
    // last record the current row; with neither the grid keeps its rows.
    virtual void StakesChanged(bool refresh, bool selectLast) { (void)refresh, (void)selectLast; }
    // The ratings changed: rows, their order or the efficiency mode.
    virtual void RatingsChanged() {}
    // The regular table stakes changed (loaded, freed, added, advanced or deleted).
    virtual void TablesChanged() {}
    // The script's lines changed.
    virtual void ScriptChanged() {}
    // A script run began or ended, or its panels or current line changed.
    virtual void ScriptRunChanged() {}
    // The online script library's entries or selection changed.
    virtual void ScriptLibraryChanged() {}
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
    // The formula dialog's OK: the formulas are in force at once (the next refresh computes them),
    // SHREDDING is written, the full-set files of the shredding methods rebuilt, the registry
    // renamed and the choosers refilled. A write failure is raised after all that.
    void ChangeFormulas(const TShreddingFormulas& formulas);
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
    // ---- Favourites and custom names (the program's filter-name file)
    int InterfaceLanguage() const { return FInterfaceLanguage; }
    // Reads the file into the registry with its options; a failure is shown.
    void LoadFilterNames();
    // Writes favourites, options and custom names; raises the save failure.
    void SaveFilterNames();
    // The manager's OK: applies the form, writes the file, refills the choosers, refreshes.
    void ApplyFavourites(const TFavouritesForm& form);
    // Every method favourite again (after the question), written and offered.
    void ResetFavourites();
    // The favourite codes joined by "," (empty: all), as the manager's OK would leave them.
    void SetFavouriteCodes(std::string_view codes);
    // A name set read into the registry at once (the manager's import; the caller writes).
    void ImportNames(const std::filesystem::path& file);
    // Every method with the form's names (or the registry's, without a form) written to file; the
    // registry's custom names are then read back from the program's file, so it keeps its own.
    void ExportNames(const std::filesystem::path& file, const TFavouritesForm* form);

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
    // What OpenFullSet would give as the files are now, building and showing nothing: none when
    // the comparison is off or the file is missing or unreadable. For previews.
    std::optional<TFullSet> ExistingFullSet(int method) const;
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
    // Writes the archive; shows the failure and answers false. Refused (with the load error)
    // when the archive could not be loaded: the file is never replaced by what was read of it.
    bool SaveDraws();
    void RefreshDrawsList(bool force);
    // The load failure of this run's archive; commands that would write the archive refuse with it.
    const std::optional<std::string>& ArchiveLoadError() const { return FArchiveError; }

    // ---- Draw commands (failures raise; the caller's RunCommand shows them). A command whose save
    // fails raises the write error after the archive in memory took the change, so no success is
    // reported for it; after a failed load every command that would write the archive refuses.
    // A new draw as the add dialog proposes it: the next number, no label.
    TDrawRecord ProposedDraw() const;
    void AddDraw(const TDrawRecord& draw);
    void ReplaceDrawAtRow(int row, const TDrawRecord& draw);
    // Asks, then deletes the draws shown in the given list rows. False when the user said no.
    bool DeleteDrawRows(const std::vector<int>& rows);
    // Deletes, for each number, the draw that IndexOfNumber finds for it.
    void DeleteDrawNumbers(const std::vector<int32_t>& numbers);
    // Appends the file's new draws and saves only when there are some. A file that is not a
    // regular file, too large, UTF-16, binary, or whose lines hold no draw at all is refused.
    TCsvImportResult ImportDraws(const std::filesystem::path& file);
    // Writes the CSV to the user's target (refusing the program's own files); says whether that
    // was a stream such as /dev/stdout.
    TUserTargetKind ExportDraws(const std::filesystem::path& file);

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
    void ClearCombsUndo() { FCombs.ClearUndo(); }
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
    // What the two would leave of the working list for the rows selected now, touching neither
    // the list, its undo copy nor the journal; none while no row is selected. Answered from the
    // last counts while the list, the table and the selection stay the same.
    std::optional<TSelectionPreview> PreviewSelection();
    // What applying the part (as a script step does) would leave of the working list, computed
    // on copies: the list, the journal, the statistics tab and the weights stay as they are.
    // Raises what applying it would raise.
    int PreviewFilterPart(const TFilterPart& part);
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

    // ---- Draw download and proxy
    TProxyAgent& Proxy() { return FProxy; }
    // Section ONLINE of the configuration file, read afresh (defaults when it cannot be read).
    TOnlineSettings OnlineSettings() const;
    // Time-outs and limits of every HTTP client the workspace makes; the CA file comes from ONLINE.
    THttpOptions& HttpOptions() { return FHttpOptions; }
    THttpOptions HttpOptionsFor(const TOnlineSettings& online) const;
    // Today's date number (yyyymmdd); tests and the command line set the clock.
    int Today() const;
    void SetClock(std::function<int()> today) { FToday = std::move(today); }
    // The command "Загрузка": busy state and wait window around DownloadDraws, then the stakes
    // check. Returns the number of new draws.
    int DrawsDownload();
    // Ranges of at most 100 days from the newest draw's date to today, each saved as it arrives;
    // a failure asks whether to try again.
    int DownloadDraws();
    // One range [from, to] (yyyymmdd): fetched, read, and its new draws appended.
    int DownloadRange(int from, int to);
    const TDownloadReport& LastDownload() const { return FDownloadReport; }
    // Writes the PROXY section, with the status text when asked (as the proxy dialog does).
    void SaveProxy(bool withStatus);
    // The proxy dialog's OK: automatic mode forgets server, port and credentials.
    void ChangeProxy(const TProxy& settings);
    // Candidates from the proxy-list page for a target address; raises on failure.
    std::vector<std::string> DiscoverProxies(const std::string& target);
    // ---- Online catalogue (shared scripts and systems)
    // A client of the catalogue server as ONLINE sets it now: address, identity (AppId, UserName,
    // UserMail, this program's version, the interface language) and CA file. An empty address
    // gives a client whose every request fails with "Адрес сервера не задан", sending nothing.
    std::unique_ptr<TCatalogueClient> CatalogueClient() const;
    // The program's name as the catalogue shows it: the executable's name without extension.
    std::string CatalogueProgramName() const;
    // ---- Online script library (the panel under the script tab)
    TScriptLibrary& ScriptLibrary() { return FScriptLibrary; }
    bool ScriptLibraryShown() const { return FFormKeys.ScriptLibraryOn; }
    // "Online каталог сценариев": shows or hides the panel, stores it, reloads the list.
    void ScriptLibraryToggle();
    // A new filter list index (stored), then a reload.
    void ScriptLibrarySetFilter(int index);
    // Reloads the list through the stored filter when the panel is shown (an empty list when
    // hidden); the selected entry stays selected when still listed. A failure shows its box and
    // keeps the entries the list had. False on failure.
    bool ScriptLibraryLoad();
    // The same through a given filter number (-1..6), whether the panel is shown or not.
    bool ScriptLibraryLoadFilter(int fltid);
    // Selects the listed entry with this id; false when the list does not hold it.
    bool ScriptLibrarySelectId(int32_t id);
    // The start-up load: only with the panel shown and a server configured, silently otherwise.
    void ScriptLibraryStartupLoad();
    // The selected entry's script replaces the current script's lines (saved, view refreshed).
    // False on failure (its box shown) and when the answer held no script (nothing changed).
    bool ScriptLibraryDownload();
    // Rates the selected entry (1..5 with a comment), removes the rating (0) or hides it (-1);
    // the list is reloaded on success.
    bool ScriptLibraryRate(int value, const std::string& comment);
    // The properties dialog's check: raises TAppError when the catalogue cannot say.
    bool ScriptLibraryTitleFree(int32_t id, const std::string& title);
    // A new publication record: the user as author, the interface language.
    tScriptData ScriptLibraryNewData() const;
    // Publishes the current script under data (from the dialog): a new entry, selected.
    bool ScriptLibraryUpload(const tScriptData& data);
    // Replaces the selected entry's script with the current one under data (from the dialog).
    bool ScriptLibraryReplace(const tScriptData& data);
    // Asks, then deletes the selected entry from the catalogue and the list.
    bool ScriptLibraryDelete();
    // The users' ratings of the selected entry; nothing after a failure (its box shown).
    std::optional<std::vector<tScriptRate>> ScriptLibraryRates();

    // ---- Self-update
    // Whether the program may replace its own files here (see SelfUpdateAllowed); when not,
    // both update commands are off and start-up skips the check.
    bool SelfUpdateAllowed() const;
    // The updater's settings for the configured server (ONLINE read afresh); tests change the
    // running version and the wait limit through UpdateDefaults.
    TSelfUpdateOptions SelfUpdateOptions(const TOnlineSettings& online) const;
    TSelfUpdateOptions& UpdateDefaults() { return FUpdateDefaults; }
    // "Поиск обновлений" (quiet false) and the start-up check (quiet true): 0 nothing installed,
    // 1 installed (the program must restart), 2 failed. Without a server address the command
    // shows the search error and the quiet check does nothing.
    int SelfUpdate(bool quiet);
    // Asked with an offer; true installs it. None refuses every offer.
    void SetUpdateConsent(std::function<bool(const TUpdateOffer&)> consent) { FUpdateConsent = std::move(consent); }
    // The new program could not be started: the files of the last installation go back.
    void UpdateRollBack();
    // The language the descriptions are asked in (the window's interface language).
    void SetInterfaceLanguage(int lcid) { FInterfaceLanguage = lcid; }
    // Start-up installed an update: the window restarts the program instead of going on.
    bool RestartRequested() const { return FRestartRequested; }

    // ---- Stakes (the stakes file stays open and locked for the whole run)
    TStakesBook& Stakes() { return FStakes; }
    const TStakesBook& Stakes() const { return FStakes; }
    bool StakesOpen() const { return FStakes.IsOpen(); }
    int64_t StakesCount() const { return FStakes.Count(); }
    // Start-up: the version test of the open file ("Обнаружен файл ставок устаревшей версии..."
    // after keeping a backup). False, with the message shown, when the file cannot be used.
    bool StakesLoad();
    // The number the stake dialogs propose: the next draw at the current offset, in 64 bits.
    int64_t ProposedStakeDraw() const;
    // The stake dialog's starting record: a manual stake on the proposed draw with the manual
    // comment, the list size as sample and numbers (none without a combination). Raises
    // "Ошибка добавления записи в файл ставок!..." when the proposed number does not fit a record.
    TStakeRecord ProposedStake(std::optional<TCombCode> numbers) const;
    // A uniformly random combination of the working list (none when it is empty).
    std::optional<TCombCode> RandomComb();
    // StakeRead: a record (index from the end with fromEnd, -1 the last); none after showing
    // "Ошибка чтения записи из файла ставок!\r\r%s".
    std::optional<TStakeRecord> StakeRead(int64_t index, bool fromEnd = false);
    // StakeAdd: appends for draws consecutive draws, checks and refreshes selecting the last
    // row. StakesAdd: appends only (batches: the caller holds the busy state and status text and
    // checks when its loop ends); the grid follows when not a batch or while "Прокручивать
    // список при добавлении" is on. Both show
    // "Ошибка добавления записи в файл ставок!\r\r%s" and return false on failure.
    bool StakeAdd(const TStakeRecord& record, int64_t draws);
    bool StakesAdd(const TStakeRecord& record, int64_t draws, bool batch);
    // StakeAddSelected / StakeAddAll: a manual stake per combination in order, stopping at the
    // first failure; checks and refreshes when the last one succeeded.
    bool StakeAddCombs(const std::vector<TCombCode>& combs, int32_t drawNumber, int64_t draws,
                       const std::string& comment);
    // StakeFind ("Ошибка поиска записи в файле ставок!\r\r%s" and false on failure).
    bool StakeFind(int32_t drawNumber, const TStakeNumbers& numbers);
    void StakesBeginGroup();
    // StakesCheck: checks every unchecked stake whose draw is in the archive, adds each to the
    // ratings and the stake logs; when any was checked makes the file durable and re-sorts and
    // saves the ratings. True when at least one stake was checked. Failures are shown.
    bool StakesCheck();
    // A script run checks after every line. While deferred, a check leaves making the stakes file
    // durable, and a re-sort leaves writing the ratings file, to SaveDeferred (the end of each
    // pass); ending the deferral saves too. A crash then loses at most the pass under way.
    void DeferSaves(bool defer);
    void SaveDeferred();
    // How many stakes the last StakesCheck checked.
    int64_t LastCheckedCount() const { return FLastChecked; }
    // StakeDel: asks, deletes the records of grid rows firstRow..lastRow (record = row - 1),
    // checks and refreshes. False when declined or failed.
    bool StakeDel(int64_t firstRow, int64_t lastRow);
    bool StakesDeleteSelected(int64_t firstRow, int64_t lastRow);
    // StakeFilter's deletion by a comparison 0..4 of the match count with value 0..4.
    bool StakesDeleteByCondition(int condition, int value);
    // StakesClear: empties the file (length 0) and makes that durable. StakeClear: asks first,
    // then offers the ratings rebuild.
    bool StakesClear();
    bool StakeClear();
    void StakesRefresh(bool refresh, bool selectLast);
    // The stake graphs; they raise the graphs' message when there is nothing to draw.
    TGraphPlot StakesGraphDraws();
    TGraphPlot StakesGraphComments(const std::vector<int>& ratingRows, bool profits);
    // LogStakesDelete: deletes the stake logs through the delete-by-mask service.
    void LogStakesDelete();
    // Where the stake logs are written (program directory; the clock can be replaced in tests).
    TStakeLog& StakeLogs() { return FStakeLog; }

    // ---- Ratings
    const TRatings& Ratings() const { return FRatings; }
    const TRatingsSort& RatingsSort() const { return FRatingsSort; }
    // The list's sort; once the ratings are loaded the rows are re-sorted and saved.
    void SetRatingsSort(const TRatingsSort& sort);
    // RatingsAddStake (StakesCheck calls it for every stake it checks).
    void RatingsAddStake(const TStakeRecord& stake);
    // RatingsResort: sorts by the list's sort, saves the file, tells the views.
    void RatingsResort();
    // RatingsLoad (start-up): reads the file, then sorts and saves unless the read failed.
    void RatingsLoad();
    // RatingsRefresh: asks when there are rows, rebuilds from the stakes file, sorts and saves.
    // False when declined.
    bool RatingsRefresh();
    void RatingsExport(const std::filesystem::path& file);
    void RatingsClear();
    int RatingsEffMode() const { return FFormKeys.RatingsEffMode; }
    void SetRatingsEffMode(int mode);
    TGraphPlot RatingsGraphOverlap(const std::vector<int>& rows) const;

    // ---- Regular table stakes: held only while the tab "Регуляры" is shown (TabTables). Every
    // command below refuses while it is hidden, touching nothing.
    const TRegulars& Regulars() const { return FRegulars; }
    bool TablesVisible() const { return FFormKeys.TabTables; }
    // Raises the refusal of a command on regulars while the tab is hidden.
    void RequireTablesVisible() const;
    // TabTables: writes the key; showing loads the regulars file, hiding frees the regulars.
    void SetTablesVisible(bool visible);
    // TablesLoad (shown tab and an existing file): a read failure is shown and keeps the whole
    // records before it. TablesSave: rewrites the file; a failure is shown, gives false and leaves
    // array and file as they were.
    void TablesLoad();
    bool TablesSave();
    // TablesAdd with the record the dialog accepted (ProposedRegular + AcceptTableForm, so it
    // carries the number of selected combinations) and the lvCombs rows selected: one regular in
    // mode 1 or for a single selection, else one per selected row named comment + " (%d)" with
    // its list position from 1.
    void TablesAdd(const TRegularRecord& accepted, const std::vector<int>& selectedCombRows);
    // TablesDel: asks for the rows' count, removes them and saves. False when declined.
    bool TablesDel(const std::vector<int>& rows);
    // The stake the regular at index would make now: its advanced copy and the stake record
    // TFormStake starts from.
    struct TRegularStake {
        TRegularRecord Advanced;
        TStakeRecord Stake;
    };
    TRegularStake TablesProposedStake(int index) const;
    // The stake dialog's OK: appends the stake for draws draws (checked, grid updated); only once
    // it is in the file does the advanced copy replace the regular, and the regulars are saved.
    bool TablesStakeAdd(int index, const TRegularRecord& advanced, const TStakeRecord& stake, int64_t draws);
    // TablesStakeTest: for offsets count .. 1 every regular at rows (list order) is advanced and
    // staked; the first failed add ends the test. Views stay suspended meanwhile and are
    // refreshed once, forced, at the end; the offset is restored on every path. Raises for a
    // count outside 1 .. draws - 1 before touching anything.
    bool TablesStakeTest(const std::vector<int>& rows, int count);

    // ---- Systems
    std::filesystem::path SystemsDir() const { return FPaths.Dir / kSystemsFolder; }
    // SystemsOn: off at every start; switching writes SystemsEnabled.
    bool SystemsEnabled() const { return FSystemsEnabled; }
    void SetSystemsEnabled(bool on);
    // SystemPlay, first half: the number map of the working list and the system for its N. None
    // when SystemLoad failed (its messages have been shown).
    struct TSystemChoice {
        TByteArray Map;
        std::vector<TCombCode> Combs;
        std::string FileName;
    };
    std::optional<TSystemChoice> SystemPrepare();
    // SystemPlay, second half, with the multi-stake dialog's draw number, count and comment: a
    // group of system stakes (digits sorted; in ListedOnly mode only those the list holds),
    // ending at the first failed add, then the check. False when an add failed.
    bool SystemPlay(TSystemPlayMode mode, const TSystemChoice& system, int32_t drawNumber, int64_t draws,
                    const std::string& comment);

    // ---- Systems catalogue (the systems tab's list)
    const TSystemsCatalogue& SystemsCatalogue() const { return FSystemsCatalogue; }
    // The catalogue's requests; tests put their own server here. Without one the requests go to
    // the configured catalogue address (none configured: the command fails with
    // "Адрес сервера не задан").
    using TSystemsServerFactory = std::function<std::unique_ptr<TSystemsServer>()>;
    void SetSystemsServer(TSystemsServerFactory factory) { FSystemsServerFactory = std::move(factory); }
    // The user's catalogue identity: ownership of the systems and the author of new ones.
    std::string CatalogueUserName() const;
    std::string CatalogueUserMail() const;
    TSystemOwner SystemsOwner(size_t row) const;
    // SystemsRefresh (and showing the tab): status "Загрузка списка систем...". False on failure.
    bool SystemsLoad();
    // SystemsDownload: fetches the rows in the order given; false when one failed.
    bool SystemsDownload(const std::vector<size_t>& rows);
    // SystemsAdd: the record the dialog starts from, then publishing what it returned. The new
    // row's index, or none after the error box.
    tSystemData SystemsNewData() const;
    std::optional<size_t> SystemsAdd(const tSystemData& data);
    // SystemsProp: the row's system with its content (none after the error box), then storing the
    // changes of an own system.
    std::optional<tSystemData> SystemsData(size_t row);
    bool SystemsChange(size_t row, const tSystemData& data);
    // SystemsDel: refuses another's system, asks, deletes. True when the row went.
    bool SystemsDelete(size_t row);

    // ---- Analyses over the whole archive (the draws offset does not apply)
    // AnalyzeRepeats' computation, with the progress window "Идет сбор статистики....".
    TRepeatsResult AnalyzeRepeats(int64_t length, int64_t deep);
    // TotalSumCombs' distributions.
    TSumDistribution TotalSumCombs();
    // ---- Script (the lines, their file and the run)
    const TScript& Script() const { return FScript; }
    // AppendScriptLine: appends, saves and refreshes; the new line's index.
    int AppendScriptLine(const std::string& line);
    // ReplaceScriptLine / GetScriptLine raise "Запись со индексом %d в файле данных не найдена!".
    void ReplaceScriptLine(int index, const std::string& line);
    const std::string& GetScriptLine(int index) const { return FScript.Line(index); }
    // LoadScript: the file's lines replace the script, or are appended after a separator; a file
    // that cannot be read keeps the script ("Ошибка чтения файла..." shown, false).
    bool LoadScript(const std::filesystem::path& file, bool append);
    // SaveScript (the status text, then the lines; failures shown, false) and SaveCurrentScript
    // (the same to Quadrix_4d10.lss, after every change).
    bool SaveScript(const std::filesystem::path& file);
    bool SaveCurrentScript();
    void RefreshScriptView();
    // The run began or ended, or its panels or current line changed.
    void RefreshScriptRun();
    // The editing commands. Each writes Quadrix_4d10.lss; those that add return the new index.
    bool ScriptOpen(const std::filesystem::path& file);
    int ScriptEmpty();
    bool ScriptLoad(const std::filesystem::path& file);
    // ScriptDel asks about the rows, ScriptClr about all lines; false when declined.
    bool ScriptDel(const std::vector<int>& rows);
    bool ScriptClr();
    // Swaps the line with its neighbour; the line's new index.
    int ScriptMove(int index, int by);
    // The executor's commands. ScriptTest refuses a count outside 1 … draws − 1 (and an archive of
    // one draw before asking anything); ScriptStop asks, then stops.
    bool ScriptCanRun() const;
    void ScriptRun();
    void ScriptTest(int count);
    void ScriptStop();
    TScriptExecutor& ScriptExecutor() { return *FScriptExecutor; }
    const TScriptExecutor& ScriptExecutor() const { return *FScriptExecutor; }
    bool ScriptRunning() const;
    // Panels of the script status bar: "Строк: %d", then the run's four.
    std::string ScriptPanelText(int panel) const;
    // LogToggle flips ScriptLogEnabled and stores it; LogsDelete removes the script logs.
    void LogToggle();
    void LogsDelete();
    // RatingsToScript: a line per selected rating row (in the order given); a row whose key gives
    // no filter is refused with its message. True when a line was added.
    bool RatingsToScript(const std::vector<int>& rows);

    // ---- Views
    void AddObserver(TWorkspaceObserver* observer);
    void RemoveObserver(TWorkspaceObserver* observer);
    void RefreshViews(bool force);
    // The statistics tab's table, recomputed when forced or when an input of it changed; true when
    // it computed.
    bool RefreshStatTable(bool force) { return FStatTab.Refresh(force); }
    // The card, layout and week tabs (each computes only while its tab is shown).
    TCardTab& CardTab() { return FCardTab; }
    const TCardTab& CardTab() const { return FCardTab; }
    TLayoutTab& LayoutTab() { return FLayoutTab; }
    const TLayoutTab& LayoutTab() const { return FLayoutTab; }
    TWeekTab& WeekTab() { return FWeekTab; }
    const TWeekTab& WeekTab() const { return FWeekTab; }
    // Keep (exclude false) or remove the combinations holding the digits of the selected cells:
    // the undo copy, then "В выделенном диапазоне нет значений для фильтра!" when the cells hold
    // none, else the digits' filter journalled under the tab's caption. Rectangles are in grid
    // coordinates; the week's rows do not matter, its columns give their digits.
    void CardFilter(const TGridRect& rect, bool exclude);
    void LayoutFilter(const TGridRect& rect, bool exclude);
    void WeekFilter(const TGridRect& rect, bool exclude);
    // The card's filters take only cells of the digit columns.
    static bool CardSelectionFilterable(const TGridRect& rect);
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
    // Raises why nothing may write the archive: a read-only run, or the load error.
    void RequireArchiveWritable() const;
    // Writes the archive, raising the write error; the draws list is refreshed either way.
    void StoreDraws();
    // Runs change on the archive, saves it and refreshes the views; raises what failed.
    void ChangeArchive(const std::function<void()>& change);
    // Takes the program directory's lock and the stakes file; false (with the message) when the
    // directory is another instance's or cannot be written.
    bool LockProgramDir();
    void CombsListChanged();
    // What a new list forgets: the journal, the undo copy and the buffer's combinations.
    void ForgetCombsHistory();
    void ScriptLinesChanged();
    void LoadStartScript();
    // Deletes the program directory's logs of that name mask, reporting what was done.
    void DeleteLogFiles(std::string_view mask);
    void SaveRatingsFile();
    void FlushStakes();
    void RegisterStats();
    void UpdateStatsConfig();
    // Registers again keeping favourites and names (written first) and refills the choosers.
    void ReregisterStats();
    void FillChoosers(bool keepSelection);
    std::string HttpGetText(const std::string& address);
    // Start-up's download: only when the results page is configured, asking first when told to.
    void StartupDownload(bool ask);
    // After every download: the stakes are checked against the archive and their grid refreshed.
    void StakesCheckAfterDownload();
    void FilterByDigits(const TViewFilterValues& values, bool exclude, const std::string& caption);
    void TablesChangedNotify();
    TStakeRecord RegularStake(const TRegularRecord& advanced, int offset) const;
    // The catalogue's systems requests; raises "Адрес сервера не задан" when none is configured.
    std::unique_ptr<TSystemsServer> SystemsServer() const;

    TShell& FShell;
    TWorkspaceOptions FOptions;
    TProgramPaths FPaths;

    TConfigData FConfig;
    uint64_t FConfigRevision = 1;
    TCombsGenParams FCombsGen;
    TShreddingFormulas FShredding;
    TProxyAgent FProxy;
    THttpOptions FHttpOptions;
    std::function<int()> FToday;
    // The download's client, one per download: its cookies last across the ranges.
    std::unique_ptr<THttpClient> FDownloadClient;
    TOnlineSettings FDownloadOnline;
    TDownloadReport FDownloadReport;
    int FDownloadAttempt = 1;
    TSelfUpdateOptions FUpdateDefaults;
    std::function<bool(const TUpdateOffer&)> FUpdateConsent;
    std::unique_ptr<TSelfUpdater> FUpdater;
    int FInterfaceLanguage = 1049;
    bool FRestartRequested = false;
    TMainFormKeys FFormKeys;
    TScriptLibrary FScriptLibrary;
    std::mt19937 FRandom;

    TDrawsArchive FArchive;
    TStatList FStats;
    int FDrawsOffset = 0;
    TDirectoryLock FDirLock;
    TExclusiveFile FStakesLock;
    std::optional<std::string> FArchiveError;
    TStakesBook FStakes{FStakesLock, FPaths.StakesFile()};
    TStakeLog FStakeLog{FPaths.Dir};
    TRatings FRatings;
    TRatingsSort FRatingsSort;
    bool FRatingsLoaded = false;
    bool FSavesDeferred = false;
    bool FRatingsUnsaved = false;
    bool FStakesUnflushed = false;
    int64_t FLastChecked = 0;
    TRegulars FRegulars;
    bool FSystemsEnabled = false;
    TSystemsCatalogue FSystemsCatalogue{FShell, FPaths.Dir / kSystemsFolder};
    TSystemsServerFactory FSystemsServerFactory;
    TCombsStore FCombs;
    TStatTab FStatTab{*this};
    TGraphTab FGraphTab{*this};
    TSelectionPreviewer FSelectionPreview;
    TCardTab FCardTab{*this};
    TLayoutTab FLayoutTab{*this};
    TWeekTab FWeekTab{*this};
    TScript FScript;
    std::unique_ptr<TScriptHost> FScriptHost;
    std::unique_ptr<TScriptExecutor> FScriptExecutor;
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
