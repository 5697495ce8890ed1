#include "app/ConfigForm.h"

#include <algorithm>

#include "core/Text.h"

namespace qx {
namespace {

TMoney MoneyField(TMoney stored, const std::string& shown, const std::string& edited) {
    if (edited == shown) return stored;
    return MoneyFromDecimal(StrToFloatDef(edited, 0));
}

} // namespace

std::string WeightText(long double v) {
    std::string s = FormatReal(v, TRealFormat::Fixed, 3);
    return s == "-0.000" ? "0.000" : s;
}

long double WeightField(long double stored, const std::string& shown, const std::string& edited) {
    if (edited == shown) return stored;
    return StrToFloatDef(edited, stored);
}

int SegmentGridColumns(int matrixCols) {
    return std::clamp(matrixCols, 1, static_cast<int>(std::tuple_size_v<TMatrixSegments>));
}

TConfigForm ConfigFormFromData(const TConfigData& c) {
    TConfigForm f;
    f.MatrixCols = c.MatrixCols;
    f.ChannelSize = c.ChannelSize;
    f.Cost = MoneyToFixed(c.Cost, 2);
    for (int k = 0; k < kProfitRows; ++k) {
        TMoney prize = k < static_cast<int>(c.Profits.size()) ? c.Profits[static_cast<size_t>(k)].Profit : 0;
        f.Profits[static_cast<size_t>(k)] = MoneyToFixed(prize, 2);
    }
    f.Weights = {WeightText(c.Weights.Count), WeightText(c.Weights.Deviation), WeightText(c.Weights.Level)};
    f.UsePercents = c.Weights.UsePercents;
    f.UseAbsValues = c.Weights.UseAbsValues;
    for (int p = 0; p < SegmentGridColumns(c.MatrixCols); ++p) {
        std::array<std::string, 10> block;
        for (int d = 0; d < 10; ++d)
            block[static_cast<size_t>(d)] =
                std::to_string(c.MatrixSegments[static_cast<size_t>(p)][static_cast<size_t>(d)]);
        f.Segments.push_back(block);
    }
    return f;
}

std::optional<std::string> SegmentCellError(std::string_view text) {
    if (text.empty()) return std::nullopt;
    auto v = TryStrToInt(text);
    if (v && *v >= 1 && *v <= 9) return std::nullopt;
    return FormatText("Некорректное значение: %s!\r\rУкажите любое число от 1 до 9", {std::string(text)});
}

bool IsMoneyInputChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || c < 32 || c == 127 || c == U'.' || c == U',';
}

TConfigData ConfigDataFromForm(const TConfigData& original, const TConfigForm& shown,
                               const TConfigForm& edited) {
    TConfigData c = original;
    c.MatrixCols = edited.MatrixCols;
    c.ChannelSize = edited.ChannelSize;
    c.Cost = MoneyField(original.Cost, shown.Cost, edited.Cost);
    c.Profits.clear();
    for (int k = 0; k < kProfitRows; ++k) {
        const auto i = static_cast<size_t>(k);
        TMoney stored = i < original.Profits.size() ? original.Profits[i].Profit : 0;
        c.Profits.push_back(
            {static_cast<uint8_t>(k), MoneyField(stored, shown.Profits[i], edited.Profits[i])});
    }
    c.Weights.Count = WeightField(original.Weights.Count, shown.Weights[0], edited.Weights[0]);
    c.Weights.Deviation = WeightField(original.Weights.Deviation, shown.Weights[1], edited.Weights[1]);
    c.Weights.Level = WeightField(original.Weights.Level, shown.Weights[2], edited.Weights[2]);
    c.Weights.UsePercents = edited.UsePercents;
    c.Weights.UseAbsValues = edited.UseAbsValues;
    // Blocks beyond the visible columns keep their values.
    for (size_t p = 0; p < edited.Segments.size() && p < c.MatrixSegments.size(); ++p)
        for (size_t d = 0; d < 10; ++d) {
            auto v = TryStrToInt(edited.Segments[p][d]);
            c.MatrixSegments[p][d] = static_cast<uint8_t>(v && *v >= 1 && *v <= 9 ? *v : 1);
        }
    return c;
}

std::vector<int> ChangedStatGroups(const TConfigData& before, const TConfigData& after) {
    std::vector<int> groups;
    if (before.ChannelSize != after.ChannelSize) groups.push_back(kStatGroupChannels);
    if (before.MatrixCols != after.MatrixCols) groups.push_back(kStatGroupMatrix);
    if (before.MatrixSegmentsText() != after.MatrixSegmentsText()) groups.push_back(kStatGroupSegments);
    return groups;
}

} // namespace qx
