#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ViewGrid.h"
#include "app/ViewRefresh.h"
#include "core/DrawHelpers.h"
#include "core/Game.h"

namespace qx {

class TWorkspace;

// One digit found in a window of draws.
struct TShemaCell {
    int32_t Value = 0;
    int32_t Hits = 0;     // every position counts: a digit drawn twice in a draw counts twice
    int32_t LastDraw = 0; // number of the newest draw of the window holding it
    friend bool operator==(const TShemaCell&, const TShemaCell&) = default;
};
using TShemaArray = std::vector<TShemaCell>;

// The digits of the draws first ... last (archive indexes), walked from the newest draw back and
// in each draw from position 1 to 4, as stored (never sorted); cells in order of first occurrence.
TShemaArray CountShemaCells(const TDrawsArray& draws, int first, int last);

// The layout scheme: rows headed by the distinct counts, columns by the distinct last draws (both
// largest first); each digit sits at its count and last draw, in square brackets when the
// following draw holds it, several digits of one cell joined by ", ".
struct TLayoutScheme {
    TShemaArray Cells;
    TTextGrid Grid{2, 2};
};
TLayoutScheme BuildLayoutScheme(const TDrawsArray& draws, int current, int length,
                                const TByteArray& following);

// The background of a data cell of the scheme: lime for a digit of the following draw, else the
// gradient or the checkerboard of 5 x 5 blocks. None for the header row and column.
std::optional<TColour> LayoutCellColour(const TTextGrid& grid, int column, int row, bool gradient);

// One comparison list: its range caption and, per distinct count, the digits with that count.
struct TLayoutCompareRow {
    int32_t Hits = 0;
    std::string Digits; // "3, 7"
    friend bool operator==(const TLayoutCompareRow&, const TLayoutCompareRow&) = default;
};
struct TLayoutCompareList {
    std::string Caption; // "first number - current number"
    std::vector<TLayoutCompareRow> Rows;
    friend bool operator==(const TLayoutCompareList&, const TLayoutCompareList&) = default;
};
TLayoutCompareList BuildLayoutCompare(const TDrawsArray& draws, int current, int length);

inline constexpr int kLayoutCompareLists = 5;
inline constexpr const char* kLayoutProgress = "Построение схемы выпадения номеров...";

// The layout tab as the engine keeps it: the scheme and the five comparison lists, each with the
// inputs of its last computation.
class TLayoutTab {
public:
    explicit TLayoutTab(TWorkspace& workspace);

    // While the tab is shown: forced, or when the archive, the offset or the scheme's length
    // changed. True when it rebuilt.
    bool Refresh(bool force);
    // The same for the lists; their five lengths are not compared, so a changed length waits for
    // a forced refresh (or another archive or offset).
    bool RefreshCompare(bool force);
    void ResetCache() {
        FScheme.Reset();
        FCompare.Reset();
    }

    const TLayoutScheme& Scheme() const { return FSchemeData; }
    const std::array<TLayoutCompareList, kLayoutCompareLists>& Compare() const { return FLists; }
    uint64_t Revision() const { return FScheme.Revision(); }
    uint64_t CompareRevision() const { return FCompare.Revision(); }

private:
    TWorkspace& FWs;
    TViewRefresh FScheme;
    TViewRefresh FCompare;
    TLayoutScheme FSchemeData;
    std::array<TLayoutCompareList, kLayoutCompareLists> FLists;
};

} // namespace qx
