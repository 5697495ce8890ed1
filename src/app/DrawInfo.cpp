#include "app/DrawInfo.h"

#include "app/Workspace.h"
#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/Text.h"
#include "stats/StatBases.h"

namespace qx {

std::vector<TPropertyRow> MethodValueRows(const TStatList& stats, TCombCode code, int latest, bool sorted) {
    std::vector<TPropertyRow> rows;
    for (int i = 0; i < stats.Count(); ++i) {
        if (!stats.IsGraph(i) || !stats.IsAvailable(i)) continue;
        auto stat = stats.CreateStat(i);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        if (!graph) continue;
        // As for a draw's own value: the latest draw (and the reference draw) prepared first.
        graph->Prepare(latest, latest, sorted);
        rows.push_back({stats.Items(i).FullName(), IntToStr(graph->CombValue(code, latest, sorted, latest))});
    }
    return rows;
}

std::vector<TPropertyRow> DrawInfoRows(const TWorkspace& ws, int archiveIndex) {
    const TDrawsArray& draws = ws.Draws();
    if (archiveIndex < 0 || archiveIndex >= static_cast<int>(draws.size()))
        throw TAppError(
            FormatText("Запись со индексом %d в файле данных не найдена!", {std::to_string(archiveIndex)}));
    const TDrawRecord& d = draws[static_cast<size_t>(archiveIndex)];
    std::vector<TPropertyRow> rows = {{"Номер тиража:", std::to_string(d.Number)}, {"Дата тиража:", d.DateLabel()}};
    // The draw as the analysis sees it: digits sorted in the sorted view.
    const TCombCode code = CodeOfDraw(ws.ViewDraws()[static_cast<size_t>(archiveIndex)]);
    for (TPropertyRow& row : MethodValueRows(ws.Stats(), code, archiveIndex, ws.SortedDraws()))
        rows.push_back(std::move(row));
    return rows;
}

std::vector<TPropertyRow> CombInfoRows(const TWorkspace& ws, TCombCode code) {
    return MethodValueRows(ws.Stats(), code, ws.CurrentDrawIndex(), ws.SortedDraws());
}

} // namespace qx
