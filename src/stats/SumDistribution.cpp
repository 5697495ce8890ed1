#include "stats/SumDistribution.h"

#include <map>

#include "core/Text.h"

namespace qx {
namespace {

int SumOf(TCombCode code) {
    int s = 0;
    for (int p = 0; p < kPositions; ++p) s += DigitOfCode(code, p);
    return s;
}

TSumBand Band(const std::vector<std::pair<int, int64_t>>& theory, int64_t threshold) {
    TSumBand band;
    band.Threshold = threshold;
    const size_t middle = theory.size() / 2;
    for (size_t i = 0; i <= middle && i < theory.size(); ++i)
        if (theory[i].second >= threshold) {
            band.Low = theory[i].first;
            break;
        }
    for (size_t i = theory.size(); i-- > middle;)
        if (theory[i].second >= threshold) {
            band.High = theory[i].first;
            break;
        }
    return band;
}

} // namespace

TSumDistribution ComputeSumDistribution(const TDrawsArray& draws) {
    TSumDistribution d;
    std::array<int64_t, kSumCount> theory{};
    for (int i = 0; i < kCombCount; ++i) ++theory[static_cast<size_t>(SumOf(CodeOfIndex(i)))];
    for (int s = 0; s < kSumCount; ++s) d.Theory.emplace_back(s, theory[static_cast<size_t>(s)]);
    // A damaged draw (a digit above 9) keeps its own sum rather than indexing past the table.
    std::map<int, int64_t> actual;
    for (const TDrawRecord& draw : draws) {
        int s = 0;
        for (uint8_t digit : draw.Digits) s += digit;
        ++actual[s];
    }
    d.Actual.assign(actual.begin(), actual.end());
    d.TheoryMax = d.TheoryMin = d.Theory.front().second;
    for (const auto& [sum, count] : d.Theory) {
        d.TheoryMax = std::max(d.TheoryMax, count);
        d.TheoryMin = std::min(d.TheoryMin, count);
    }
    for (const auto& [sum, count] : d.Actual) d.ActualMax = std::max(d.ActualMax, count);
    const int64_t t = d.TheoryMin;
    const double n = static_cast<double>(d.TheoryMax - t + 1);
    const double fractions[3] = {n / 3, n / 2, 2 * n / 3};
    for (int k = 0; k < 3; ++k)
        d.Bands[static_cast<size_t>(k)] = Band(d.Theory, t + static_cast<int64_t>(fractions[k]));
    return d;
}

std::string SumBandTitle(const TSumDistribution& d, int band) {
    static const char* const parts[3] = {"1/3", "1/2", "2/3"};
    const TSumBand& b = d.Bands[static_cast<size_t>(band)];
    return FormatText("Диапазон %d (от %s и выше по оси Y) - суммы %d-%d",
                      {std::to_string(band + 1), parts[band], std::to_string(b.Low), std::to_string(b.High)});
}

TGraphPlot SumDistributionPlot(const TSumDistribution& d) {
    TGraphPlot plot;
    plot.Caption = kSumDistributionCaption;
    const double scale =
        d.TheoryMax > 0 ? static_cast<double>(d.ActualMax) / static_cast<double>(d.TheoryMax) : 0;
    for (const auto& [sum, count] : d.Actual)
        plot.Add(sum, kActualSumsTitle, static_cast<double>(count), true, true, Rgb(255, 0, 0));
    for (const auto& [sum, count] : d.Theory)
        plot.Add(sum, kTheorySumsTitle, static_cast<double>(count) * scale, false, false, Rgb(128, 0, 0));
    const uint32_t colours[3] = {Rgb(0, 128, 0), Rgb(0, 0, 255), Rgb(255, 0, 255)};
    for (int k = 0; k < 3; ++k) {
        const std::string title = SumBandTitle(d, k);
        const double level = static_cast<double>(d.Bands[static_cast<size_t>(k)].Threshold) * scale;
        for (const auto& entry : d.Theory) plot.Add(entry.first, title, level, false, false, colours[k]);
    }
    return plot;
}

} // namespace qx
