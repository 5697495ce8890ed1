#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/Game.h"

namespace qx {

class TShell;
class TStatList;
struct TConfigData;
struct TFilterRec;
struct TScriptSettings;
struct TStakeNumbers;
struct TStakeRecord;

// What the script executor drives: the working list, the filter steps, the stakes, the offset
// and the views of the run's owner. The workspace is the one host; the executor needs nothing
// else of it.
class TScriptHost {
public:
    using TLogSink = std::function<void(const std::string&)>;
    virtual ~TScriptHost() = default;

    virtual TShell& Shell() = 0;
    virtual const TStatList& Registry() const = 0;
    virtual const TConfigData& Config() const = 0;
    virtual std::filesystem::path ProgramDir() const = 0;
    virtual bool LogEnabled() const = 0;   // ScriptLogEnabled
    virtual bool CheckOnLine() const = 0;  // StakesCheckOnLine
    virtual std::mt19937& Random() = 0;

    // The stop request, shared with the filter walks that poll it.
    virtual bool StopRequested() const = 0;
    virtual void RequestStop(bool stop) = 0;

    virtual int DrawsOffset() const = 0;
    virtual void SetDrawsOffset(int offset) = 0;
    // The number of the draw after the current one.
    virtual int64_t NextDrawNumber() const = 0;

    // The statistics table's sort column and direction.
    virtual std::pair<int, bool> StatSort() const = 0;
    virtual void SetStatSort(int column, bool descending) = 0;

    // The run's frame: what the host arranges for a run and puts back after it (views, files).
    virtual void RunStarted() = 0;
    virtual void PassEnded() = 0;
    virtual void RunEnded() = 0;
    // The run's state changed: panels, the line being run, running or not.
    virtual void RunStateChanged() = 0;

    virtual void BackupWeights() = 0;
    virtual void RestoreWeights() = 0;
    virtual void ResetCombsBuffer() = 0;
    virtual void ClearCombsUndo() = 0;
    // The start list of a variant for the sources FULL and EXCL: the generated list, without the
    // draws of the last ExcludeCount for EXCL (through the combination buffer).
    virtual void MakeStartList(const TScriptSettings& settings) = 0;
    virtual const TCombsArray& Combs() const = 0;
    virtual bool CombsContains(TCombCode code) const = 0;
    virtual void ApplyFilterRec(const TFilterRec& rec, const TLogSink& log) = 0;

    virtual void StakesBeginGroup() = 0;
    virtual bool StakeFind(int32_t draw, const TStakeNumbers& numbers) = 0;
    // One stake appended (batch: the caller's loop holds the busy state); false, shown, on failure.
    virtual bool StakesAdd(const TStakeRecord& record, bool batch) = 0;
    // StakesCheck, then the grid refreshed.
    virtual void StakesCheck() = 0;
    // StakesClear, StakesFlush and the grid refreshed; false, shown, on failure.
    virtual bool StakesClear() = 0;
    virtual void StakesRefresh(bool refresh, bool selectLast) = 0;
    // SystemLoad for the map: the system's combinations and its file; on failure its box has
    // been shown and fileName holds the short reason.
    virtual bool SystemLoad(const TByteArray& map, std::vector<TCombCode>& combs, std::string& fileName) = 0;
};

} // namespace qx
