#include "app/LayoutTab.h"

#include <algorithm>
#include <functional>

#include "app/Workspace.h"
#include "core/ArchiveQueries.h"
#include "core/Text.h"
#include "stats/StatFormat.h"

namespace qx {
namespace {

constexpr TColour kFollowingDigit{0, 255, 0};
constexpr TColour kEvenBlocks{234, 255, 234};
constexpr TColour kMixedBlocks{255, 234, 234};
constexpr int kBlock = 5;
constexpr int kLastBlockIndex = 95;

int FirstOfWindow(int current, int length) {
    return std::max(0, current - length + 1);
}

// Distinct values, largest first.
std::vector<int32_t> DistinctDescending(std::vector<int32_t> values) {
    std::sort(values.begin(), values.end(), std::greater<>());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

int PlaceOf(const std::vector<int32_t>& descending, int32_t value) {
    return int(std::lower_bound(descending.begin(), descending.end(), value, std::greater<>()) -
               descending.begin());
}

bool InEvenBlock(int index) {
    return ((index - 1) / kBlock) % 2 == 0 && index <= kLastBlockIndex;
}

} // namespace

TShemaArray CountShemaCells(const TDrawsArray& draws, int first, int last) {
    TShemaArray cells;
    for (int i = last; i >= first && i >= 0; --i) {
        const TDrawRecord& draw = draws[size_t(i)];
        for (uint8_t digit : draw.Digits) {
            auto it = std::find_if(cells.begin(), cells.end(),
                                   [&](const TShemaCell& c) { return c.Value == digit; });
            if (it != cells.end())
                ++it->Hits;
            else
                cells.push_back({digit, 1, draw.Number});
        }
    }
    return cells;
}

TLayoutScheme BuildLayoutScheme(const TDrawsArray& draws, int current, int length,
                                const TByteArray& following) {
    TLayoutScheme scheme;
    if (current < 0 || current >= int(draws.size())) return scheme;
    scheme.Cells = CountShemaCells(draws, FirstOfWindow(current, length), current);
    std::vector<int32_t> counts, lastDraws;
    for (const TShemaCell& c : scheme.Cells) {
        counts.push_back(c.Hits);
        lastDraws.push_back(c.LastDraw);
    }
    counts = DistinctDescending(std::move(counts));
    lastDraws = DistinctDescending(std::move(lastDraws));
    TTextGrid& grid = scheme.Grid;
    grid.Resize(int(lastDraws.size()) + 1, int(counts.size()) + 1);
    for (size_t r = 0; r < counts.size(); ++r) grid.At(0, int(r) + 1) = IntToStr(counts[r]);
    for (size_t c = 0; c < lastDraws.size(); ++c) grid.At(int(c) + 1, 0) = IntToStr(lastDraws[c]);
    for (const TShemaCell& cell : scheme.Cells) {
        const bool next = std::find(following.begin(), following.end(), cell.Value) != following.end();
        const std::string text = next ? "[" + IntToStr(cell.Value) + "]" : IntToStr(cell.Value);
        std::string& target = grid.At(PlaceOf(lastDraws, cell.LastDraw) + 1, PlaceOf(counts, cell.Hits) + 1);
        target += target.empty() ? text : ", " + text;
    }
    return scheme;
}

std::optional<TColour> LayoutCellColour(const TTextGrid& grid, int column, int row, bool gradient) {
    if (column < 1 || row < 1 || !grid.Contains(column, row)) return std::nullopt;
    if (grid.At(column, row).find('[') != std::string::npos) return kFollowingDigit;
    if (gradient) {
        const int64_t rows = grid.Rows(), columns = grid.Columns();
        return TColour{uint8_t(RoundRatio(255 * rows - 155 * row, rows)),
                       uint8_t(RoundRatio(255 * columns - 155 * column, columns)),
                       uint8_t(RoundRatio(100 * rows + 155 * row, rows))};
    }
    return InEvenBlock(row) == InEvenBlock(column) ? kEvenBlocks : kMixedBlocks;
}

TLayoutCompareList BuildLayoutCompare(const TDrawsArray& draws, int current, int length) {
    TLayoutCompareList list;
    if (current < 0 || current >= int(draws.size())) return list;
    const int first = FirstOfWindow(current, length);
    list.Caption = IntToStr(draws[size_t(first)].Number) + " - " + IntToStr(draws[size_t(current)].Number);
    for (const TShemaCell& cell : CountShemaCells(draws, first, current)) {
        auto it = std::find_if(list.Rows.begin(), list.Rows.end(),
                               [&](const TLayoutCompareRow& r) { return r.Hits == cell.Hits; });
        if (it != list.Rows.end())
            it->Digits += ", " + IntToStr(cell.Value);
        else
            list.Rows.push_back({cell.Hits, IntToStr(cell.Value)});
    }
    return list;
}

TLayoutTab::TLayoutTab(TWorkspace& workspace) : FWs(workspace) {}

bool TLayoutTab::Refresh(bool force) {
    const int length = FWs.FormKeys().LayoutLen;
    if (!FScheme.Needed(FWs.FormKeys().TabLayout, force, WindowViewKey(FWs, length))) return false;
    TBusyScope busy(FWs.Shell(), kLayoutProgress);
    FSchemeData = BuildLayoutScheme(FWs.Draws(), FWs.CurrentDrawIndex(), length,
                                    FollowingDigitSet(FWs.Draws(), FWs.DrawsOffset()));
    return true;
}

bool TLayoutTab::RefreshCompare(bool force) {
    if (!FCompare.Needed(FWs.FormKeys().TabLayout, force, WindowViewKey(FWs, 0))) return false;
    TBusyScope busy(FWs.Shell(), kLayoutProgress);
    for (size_t k = 0; k < FLists.size(); ++k)
        FLists[k] =
            BuildLayoutCompare(FWs.Draws(), FWs.CurrentDrawIndex(), FWs.FormKeys().LayoutCompareLen[k]);
    return true;
}

} // namespace qx
