#include "core/Config.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/DrawHelpers.h"

namespace qx {

TMoney MoneyFromDecimal(long double amount) {
    // A hand-edited "1e300" or "nan" must not convert out of range: clamp to what the type holds.
    const long double scaled = std::nearbyint(amount * static_cast<long double>(kMoneyScale));
    if (std::isnan(scaled)) return 0;
    constexpr long double kLimit = 9.2e18L;  // just inside the 64-bit range
    return static_cast<TMoney>(std::clamp(scaled, -kLimit, kLimit));
}

std::string MoneyToText(TMoney value) {
    bool negative = value < 0;
    uint64_t v = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    std::string s = std::to_string(v / kMoneyScale);
    uint64_t frac = v % kMoneyScale;
    if (frac) {
        std::string f = std::to_string(frac + kMoneyScale).substr(1);
        while (!f.empty() && f.back() == '0') f.pop_back();
        s += "." + f;
    }
    return negative ? "-" + s : s;
}

std::string MoneyToFixed(TMoney value, int decimals) {
    decimals = std::clamp(decimals, 0, 4);
    uint64_t unit = 1;
    for (int i = decimals; i < 4; ++i) unit *= 10;
    bool negative = value < 0;
    uint64_t v = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    v = (v + unit / 2) / unit;  // in units of the last shown decimal
    uint64_t scale = uint64_t(kMoneyScale) / unit;
    std::string s = std::to_string(v / scale);
    if (decimals > 0) s += "." + std::to_string(v % scale + scale).substr(1);
    return negative && v != 0 ? "-" + s : s;
}

TMatrixSegments TConfigData::DefaultSegments() {
    TMatrixSegments s;
    for (auto& block : s) block.fill(1);
    return s;
}

int TConfigData::ChannelWidth() const { return EffectiveChannelWidth(ChannelSize); }

std::string TConfigData::MatrixSegmentsText() const {
    std::string s;
    for (const auto& block : MatrixSegments)
        for (uint8_t v : block) s += static_cast<char>('0' + v % 10);
    return s;
}

void TConfigData::SetMatrixSegmentsText(std::string_view text) {
    size_t i = 0;
    for (auto& block : MatrixSegments)
        for (uint8_t& v : block) {
            char c = i < text.size() ? text[i] : '\0';
            v = (c >= '0' && c <= '9') ? static_cast<uint8_t>(c - '0') : 1;
            ++i;
        }
}

} // namespace qx
