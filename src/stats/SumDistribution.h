#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Game.h"
#include "core/GraphPlot.h"

namespace qx {

// The distribution of the digit sums of the archived draws beside that of all 10,000
// combinations, with three bands of the most frequent sums.

inline constexpr int kSumCount = 9 * kPositions + 1; // sums 0..36

// A band: the sums whose theoretical count reaches the threshold (0 for a bound never reached).
struct TSumBand {
    int64_t Threshold = 0;
    int Low = 0;
    int High = 0;
};

struct TSumDistribution {
    std::vector<std::pair<int, int64_t>> Theory; // (sum, combinations), by sum
    std::vector<std::pair<int, int64_t>> Actual; // (sum, draws) for the sums the draws have, by sum
    int64_t TheoryMax = 0;                       // T
    int64_t TheoryMin = 0;                       // t
    int64_t ActualMax = 0;                       // A
    std::array<TSumBand, 3> Bands;               // thresholds t + n/3, t + n/2, t + 2n/3 with n = T - t + 1
};

TSumDistribution ComputeSumDistribution(const TDrawsArray& draws);

// "Диапазон %d (от %s и выше по оси Y) - суммы %d-%d" of band 0..2.
std::string SumBandTitle(const TSumDistribution& d, int band);

inline constexpr const char* kActualSumsTitle = "Фактическое распределение сумм (по тиражам)";
inline constexpr const char* kTheorySumsTitle = "Теоретическое распределение сумм (по комбинациям)";
inline constexpr const char* kSumDistributionCaption =
    "Распределение сумм тиражей и всех возможных комбинаций";

// The chart window's points: the actual counts (red, points and marks), the theoretical curve
// scaled by A / T (dark red) and the three bands as level lines scaled alike (green, blue,
// magenta).
TGraphPlot SumDistributionPlot(const TSumDistribution& d);

} // namespace qx
