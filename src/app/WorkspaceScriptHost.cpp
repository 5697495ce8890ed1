#include "app/WorkspaceScriptHost.h"

#include "app/Workspace.h"
#include "scripts/ScriptSettings.h"
#include "stakes/Systems.h"

namespace qx {
namespace {

class TWorkspaceScriptHost final : public TScriptHost {
public:
    explicit TWorkspaceScriptHost(TWorkspace& ws) : FWs(ws) {}

    TShell& Shell() override { return FWs.Shell(); }
    const TStatList& Registry() const override { return FWs.Stats(); }
    const TConfigData& Config() const override { return FWs.Config(); }
    std::filesystem::path ProgramDir() const override { return FWs.Paths().Dir; }
    bool LogEnabled() const override { return FWs.FormKeys().ScriptLogEnabled; }
    bool CheckOnLine() const override { return FWs.FormKeys().StakesCheckOnLine; }
    std::mt19937& Random() override { return FWs.Random(); }

    bool StopRequested() const override { return FWs.StopRequested(); }
    void RequestStop(bool stop) override { FWs.RequestStop(stop); }

    int DrawsOffset() const override { return FWs.DrawsOffset(); }
    void SetDrawsOffset(int offset) override { FWs.SetDrawsOffset(offset); }
    int64_t NextDrawNumber() const override { return FWs.ProposedStakeDraw(); }

    std::pair<int, bool> StatSort() const override {
        return {FWs.StatTab().SortColumn(), FWs.StatTab().Descending()};
    }
    void SetStatSort(int column, bool descending) override { FWs.StatTab().SetSort(column, descending); }

    void RunStarted() override {
        FWs.SuspendViews();
        FWs.StatTab().SetFactsOnDemand(true);
        FWs.DeferSaves(true);
        FWs.StakeLogs().Hold(true);
        FStart = TStartList{};
    }
    void PassEnded() override { FWs.SaveDeferred(); }
    void RunEnded() override {
        FStart = TStartList{};
        FWs.StakeLogs().Hold(false);
        FWs.DeferSaves(false);
        FWs.StatTab().SetFactsOnDemand(false);
        FWs.ResumeViews();
        FWs.RefreshViews(true);
    }
    void RunStateChanged() override { FWs.RefreshScriptRun(); }

    void BackupWeights() override { FWs.Stats().BackupWeights(); }
    void RestoreWeights() override { FWs.Stats().RestoreWeights(); }
    void ResetCombsBuffer() override { FWs.ResetCombsBuffer(); }
    void ClearCombsUndo() override { FWs.ClearCombsUndo(); }
    void MakeStartList(const TScriptSettings& s) override {
        FWs.StartCombs(FWs.CombsGenDefaults(), FStart);
        if (s.Source != ssExcl || s.ExcludeCount <= 0) return;
        const int offset = FWs.DrawsOffset();
        if (FWs.LoadCombsBuffer(offset, s.ExcludeCount)) return;
        FWs.SaveCombsUndo(false);
        FWs.ExcludeLastDraws(s.ExcludeCount);
        FWs.StoreCombsBuffer(offset, s.ExcludeCount);
    }
    const TCombsArray& Combs() const override { return FWs.Combs().List(); }
    bool CombsContains(TCombCode code) const override { return FWs.CombsContains(code); }
    void ApplyFilterRec(const TFilterRec& rec, const TLogSink& log) override { FWs.ApplyFilterRec(rec, log); }

    void StakesBeginGroup() override { FWs.StakesBeginGroup(); }
    bool StakeFind(int32_t draw, const TStakeNumbers& numbers) override { return FWs.StakeFind(draw, numbers); }
    bool StakesAdd(const TStakeRecord& record, bool batch) override { return FWs.StakesAdd(record, 1, batch); }
    void StakesCheck() override {
        FWs.StakesCheck();
        FWs.StakesRefresh(true, false);
    }
    bool StakesClear() override {
        const bool cleared = FWs.StakesClear();
        FWs.StakesRefresh(true, false);
        return cleared;
    }
    void StakesRefresh(bool refresh, bool selectLast) override { FWs.StakesRefresh(refresh, selectLast); }
    bool SystemLoad(const TByteArray& map, std::vector<TCombCode>& combs, std::string& fileName) override {
        return qx::SystemLoad(FWs.Shell(), FWs.Paths().Dir / kSystemsFolder, map, combs, fileName);
    }

private:
    TWorkspace& FWs;
    TStartList FStart;
};

} // namespace

std::unique_ptr<TScriptHost> MakeWorkspaceScriptHost(TWorkspace& workspace) {
    return std::make_unique<TWorkspaceScriptHost>(workspace);
}

} // namespace qx
