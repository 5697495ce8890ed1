#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Money: a signed count of ten-thousandths, shown divided by 10000.
using TMoney = int64_t;
inline constexpr TMoney kMoneyScale = 10000;
// Rounds amount * 10000 to the nearest money value, halves to even.
TMoney MoneyFromDecimal(long double amount);
// "1.5", "0", "-12.3456": exact decimal text of a money value.
std::string MoneyToText(TMoney value);
// Fixed decimals (0..4), rounded half away from zero: "1.50" for 15000 with two decimals.
std::string MoneyToFixed(TMoney value, int decimals);

struct TProfitEntry {
    uint8_t Overlap = 0;
    TMoney Profit = 0;
    friend bool operator==(const TProfitEntry&, const TProfitEntry&) = default;
};

// Coefficients of the statistics table's weight column (80-bit extended precision).
struct TStatWeights {
    long double Count = 0;
    long double Deviation = -1;
    long double Level = 1;
    bool UsePercents = false;
    bool UseAbsValues = false;
    friend bool operator==(const TStatWeights&, const TStatWeights&) = default;
};

using TMatrixSegments = std::array<std::array<uint8_t, 10>, 4>;

struct TConfigData {
    int32_t MatrixCols = 3;
    int32_t ChannelSize = 2;  // as stored; EffectiveChannelWidth() guards computations
    TMoney Cost = 0;
    int32_t MaxStake = 4;
    std::vector<TProfitEntry> Profits;
    TStatWeights Weights;
    TMatrixSegments MatrixSegments = DefaultSegments();

    static TMatrixSegments DefaultSegments();
    int ChannelWidth() const;
    // 40 digits, block after block.
    std::string MatrixSegmentsText() const;
    // Character by character; a missing or non-digit character gives 1.
    void SetMatrixSegmentsText(std::string_view text);
    friend bool operator==(const TConfigData&, const TConfigData&) = default;
};

// How the working combination list is built: a mode 0..4 and its parameter text (own numbers
// or a file name). The defaults live in the configuration file.
struct TCombsGenParams {
    static constexpr int32_t kModeCount = 5;
    int32_t Mode = 0;
    std::string Parameters;  // at most 255 characters

    // The mode lists are made by: a stored mode outside 0..4 (an edited file) means the full list.
    int32_t EffectiveMode() const { return Mode >= 0 && Mode < kModeCount ? Mode : 0; }
    friend bool operator==(const TCombsGenParams&, const TCombsGenParams&) = default;
};

// Shredding formulas and the decimal places of their results.
struct TShreddingFormulas {
    std::array<std::string, 3> Formula = {"(n1+n2)/(n3+n4)", "(n1+n3)/(n2+n4)", "(n3+n4)/(n1+n2)"};
    std::array<int32_t, 3> Digits = {2, 2, 2};
    friend bool operator==(const TShreddingFormulas&, const TShreddingFormulas&) = default;
};

// Proxy used by the draw download.
struct TProxy {
    uint8_t ProxyMode = 0;  // 0 none, 1 automatic choice, 2 given by the user
    std::string ProxyServer;
    int32_t ProxyPort = 0;
    std::string ProxyUsername;
    std::string ProxyPassword;
    bool Saved = false;  // the fields equal what the configuration file holds
    std::vector<std::string> Candidates;
};

} // namespace qx
