#pragma once
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

struct TCardColourOptions {
    bool ColorCard = true; // channel colours
    bool Sequences = true; // neighbours drawn in the same row or column
    int ChannelWidth = 2;
};

// The card of draws: the whole archive, newest draw in row 1 (row 0 heads the columns), the draw
// number in column 0 and, in column d + 1, the digit d when the draw holds it. Each row keeps only
// its number and the set of its digits, so even a very long archive costs a few bytes a row.
class TCard {
public:
    static constexpr int kColumns = 11;
    static TCard Build(const TDrawsArray& draws);

    // Grid rows with the header row: archive length + 1, and 2 for an empty archive.
    int Rows() const { return int(FNumbers.size()) + 1 + (FNumbers.empty() ? 1 : 0); }
    bool Has(int row, int digit) const;
    std::string Text(int column, int row) const;
    // The background of a data cell; none for the grid's default (and for column 0 and row 0).
    std::optional<TColour> Colour(int column, int row, const TCardColourOptions& options) const;
    // The selected cells' digits, column by column.
    void CollectValues(const TGridRect& rect, TViewFilterValues& values) const;

private:
    std::vector<int32_t> FNumbers; // grid row r at r - 1
    std::vector<uint16_t> FDigits; // bit d: the draw holds d
};

// The card tab as the engine keeps it: the card over the archive as it was last computed.
class TCardTab {
public:
    explicit TCardTab(TWorkspace& workspace);

    // Rebuilds while the tab is shown, when forced or when the archive changed (an edited draw
    // keeps the archive's length but changes its revision). True when it rebuilt.
    bool Refresh(bool force);
    void ResetCache() { FRefresh.Reset(); }
    const TCard& Card() const { return FCard; }
    uint64_t Revision() const { return FRefresh.Revision(); }
    TCardColourOptions ColourOptions() const;

private:
    TWorkspace& FWs;
    TViewRefresh FRefresh;
    TCard FCard;
};

} // namespace qx
