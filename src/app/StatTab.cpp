#include "app/StatTab.h"

#include <algorithm>
#include <unordered_map>

#include "app/Workspace.h"
#include "stats/StatRows.h"
#include "stats/TableSort.h"

namespace qx {

TStatTab::TStatTab(TWorkspace& workspace) : FWs(workspace) {}

int TStatTab::WindowLength() const { return FWs.FormKeys().DrawsStatLen; }

void TStatTab::SetWindowLength(int length) { FWs.FormKeys().DrawsStatLen = std::max(1, length); }

TViewCacheKey CurrentViewKey(const TWorkspace& ws, int window, const TMethodChooser& chooser) {
    TViewCacheKey k;
    k.ArchiveRevision = ws.Archive().Revision();
    k.Offset = ws.DrawsOffset();
    k.Window = window;
    k.Entry = chooser.Selected();
    k.Method = chooser.SelectedMethod();
    k.Sorted = ws.SortedDraws();
    k.Prefetchs = ws.PrefetchsEnabled();
    k.Weights = ws.Stats().Config().Weights;
    k.ConfigRevision = ws.ConfigRevision();
    return k;
}

void TStatTab::Clear() {
    FTable = TStatTable{};
    FFullSet.reset();
    FChart = TStatChart{};
    FSelection.clear();
    ++FRevision;
}

bool TStatTab::Refresh(bool force) {
    TViewCacheKey key = CurrentViewKey(FWs, WindowLength(), FChooser);
    key.Facts = FactsWanted();
    if (!force && FCache && *FCache == key) return false;
    FCache = key;
    Clear();
    if (key.Method < 0 || FWs.Archive().Empty()) return true;

    TBusyScope busy(FWs.Shell(), "Анализ тиражей и расчет статистики...");
    auto stat = FWs.Stats().CreateStat(key.Method);
    FFullSet = FWs.OpenFullSet(key.Method);
    TStatTableParams params = FWs.StatTableParams(key.Window);
    params.Facts = key.Facts;
    if (FFullSet) params.FullSet = &*FFullSet;
    FTable = ComputeTable(*stat, params);
    if (FTable.Rows.size() > 1) MakeChart(*stat);
    SortStatTable(FTable, FSortColumn, FDescending);
    ++FRevision;
    return true;
}

void TStatTab::ToggleTotalLine() {
    TBusyScope busy(FWs.Shell(), "Создание графиков...");
    FWs.SetFormKey("ShowTotalLine", !FWs.FormKeys().ShowTotalLine);
    Refresh(true);
}

void TStatTab::MakeChart(TCustomStat& stat) {
    // Labels are the method's value texts, made once per method and copied here.
    if (FTable.HasNorms && FFullSet) {
        const long double h = NormScale(FTable.Summary, *FFullSet);
        std::unordered_map<uint64_t, size_t> rowOfKey;
        for (size_t r = 0; r < FTable.Rows.size(); ++r) rowOfKey.emplace(FTable.Rows[r].Row.Key.Raw(), r);
        TValueTexts::TLookup values(*FTable.ValueTexts, stat);
        int k = 0;
        for (const TFullSetRecord& rec : FFullSet->Records) {
            ++k;
            FChart.Total.push_back({double(k), double(rec.Count * h), values.Get(rec.Key)->Text});
            if (auto it = rowOfKey.find(rec.Key.Raw()); it != rowOfKey.end()) {
                const TStatTableRow& row = FTable.Rows[it->second];
                FChart.Actual.push_back({double(k), double(row.Row.Count), row.ValueText()});
            }
        }
        return;
    }
    std::vector<const TStatTableRow*> byKey;
    for (const auto& r : FTable.Rows) byKey.push_back(&r);
    std::stable_sort(byKey.begin(), byKey.end(),
                     [](const TStatTableRow* a, const TStatTableRow* b) { return KeyOrderLess(a->Row.Key, b->Row.Key); });
    for (size_t i = 0; i < byKey.size(); ++i)
        FChart.Actual.push_back({double(i), double(byKey[i]->Row.Count), byKey[i]->ValueText()});
}

void TStatTab::SetSort(int column, bool descending) {
    std::vector<uint64_t> selectedKeys;
    for (int r : FSelection) selectedKeys.push_back(FTable.Rows[size_t(r)].Row.Key.Raw());
    FSortColumn = column;
    FDescending = descending;
    SortStatTable(FTable, column, descending);
    FSelection.clear();
    for (size_t r = 0; r < FTable.Rows.size(); ++r)
        if (std::find(selectedKeys.begin(), selectedKeys.end(), FTable.Rows[r].Row.Key.Raw()) != selectedKeys.end())
            FSelection.push_back(int(r));
    ++FRevision;
}

void TStatTab::SetSelection(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](int r) { return r < 0 || r >= int(FTable.Rows.size()); });
    FSelection = std::move(rows);
}

std::vector<TStatDraw> TStatTab::SelectedRows() const {
    std::vector<TStatDraw> rows;
    for (int r : FSelection) rows.push_back(FTable.Rows[size_t(r)].Row);
    return rows;
}

std::string TStatTab::SelectedValuesText() const {
    std::string text;
    for (int r : FSelection) {
        if (!text.empty()) text += "; ";
        text += FTable.Rows[size_t(r)].ValueText();
    }
    return text;
}

TStatValues TStatTab::StatValuesOfItem(int row) const {
    if (row < 0 || row >= int(FTable.Rows.size())) return {};
    return StatValuesOf(FTable, row);
}

} // namespace qx
