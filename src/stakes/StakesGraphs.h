#pragma once
#include <string>
#include <vector>

#include "core/GraphPlot.h"

namespace qx {

class TStakesBook;

inline constexpr const char* kGraphDrawsMessage =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!";
inline constexpr int kGraphLastDraws = 100;

// "Суммарный профит по тиражам": every record with a draw number >= 0 (unchecked stakes with
// their profit of minus the cost) summed per draw in order of first appearance; the draw's total
// (green), the mean (blue) and the running total (red), in money units. Raises the message above
// when there is no draw.
TGraphPlot ProfitByDrawsPlot(const TStakesBook& book);

// "График совпадений ставок" / "График профита ставок": over the newest 100 distinct checked
// draws, every checked stake whose comment equals one of the captions (Windows-1251 rating keys,
// letter case ignored) adds a point to the series of its comment: its match count, or its profit
// in money units. Raises the message above without captions or with fewer than two draws.
TGraphPlot StakesByCommentsPlot(TStakesBook& book, const std::vector<std::string>& captions, bool profits);

} // namespace qx
