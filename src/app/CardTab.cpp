#include "app/CardTab.h"

#include "app/Workspace.h"
#include "core/Text.h"

namespace qx {
namespace {

constexpr TColour kBothNeighbours{255, 255, 0};
constexpr TColour kVerticalNeighbour{0, 255, 0};
constexpr TColour kHorizontalNeighbour{0, 255, 255};

} // namespace

TCard TCard::Build(const TDrawsArray& draws) {
    TCard card;
    card.FNumbers.reserve(draws.size());
    card.FDigits.reserve(draws.size());
    for (size_t i = draws.size(); i-- > 0;) {
        uint16_t set = 0;
        for (uint8_t d : draws[i].Digits)
            if (d < kDigitCount) set = uint16_t(set | 1u << d);
        card.FNumbers.push_back(draws[i].Number);
        card.FDigits.push_back(set);
    }
    return card;
}

bool TCard::Has(int row, int digit) const {
    if (row < 1 || row > int(FDigits.size()) || digit < 0 || digit >= kDigitCount) return false;
    return (FDigits[size_t(row - 1)] >> digit) & 1u;
}

std::string TCard::Text(int column, int row) const {
    if (row == 0) return column == 0 ? std::string() : IntToStr(column - 1);
    if (row > int(FNumbers.size())) return {};
    if (column == 0) return IntToStr(FNumbers[size_t(row - 1)]);
    return Has(row, column - 1) ? IntToStr(column - 1) : std::string();
}

std::optional<TColour> TCard::Colour(int column, int row, const TCardColourOptions& options) const {
    if (row < 1 || column < 1 || column > kDigitCount) return std::nullopt;
    const int d = column - 1;
    std::optional<TColour> channel;
    if (options.ColorCard) channel = ChannelColour(d, options.ChannelWidth);
    if (!options.Sequences || !Has(row, d)) return channel;
    const bool vertical = Has(row - 1, d) || Has(row + 1, d);
    const bool horizontal = Has(row, d - 1) || Has(row, d + 1);
    if (vertical && horizontal) return kBothNeighbours;
    if (vertical) return kVerticalNeighbour;
    if (horizontal) return kHorizontalNeighbour;
    return channel;
}

void TCard::CollectValues(const TGridRect& rect, TViewFilterValues& values) const {
    values.AddCells(rect,
                    [this](int column, int row) { return row > 0 ? Text(column, row) : std::string(); });
}

TCardTab::TCardTab(TWorkspace& workspace) : FWs(workspace) {}

bool TCardTab::Refresh(bool force) {
    // The whole archive whatever the offset: only the archive itself is an input.
    TViewCacheKey key;
    key.ArchiveRevision = FWs.Archive().Revision();
    if (!FRefresh.Needed(FWs.FormKeys().TabCard, force, key)) return false;
    TBusyScope busy(FWs.Shell(), "Обновление карты тиражей...");
    FCard = TCard::Build(FWs.Draws());
    return true;
}

TCardColourOptions TCardTab::ColourOptions() const {
    const TMainFormKeys& keys = FWs.FormKeys();
    return {keys.ColorCard, keys.ColorCardSequences, FWs.Config().ChannelWidth()};
}

} // namespace qx
