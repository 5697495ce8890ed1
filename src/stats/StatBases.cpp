#include "stats/StatBases.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/DrawHelpers.h"
#include "core/Text.h"

namespace qx {
namespace {
// Length of the UTF-8 character that starts with byte c.
size_t CharLength(unsigned char c) { return c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4; }

// A mask value's text, whatever its letters and number.
std::string ValueTextOf(int32_t pattern, std::string_view zero, std::string_view one) {
    std::string s;
    for (int bit = 3; bit >= 0; --bit) s += (pattern >> bit) & 1 ? one : zero;
    char number[24];
    std::snprintf(number, sizeof number, " (%.3d)", pattern);
    return s + number;
}
} // namespace

std::string TCustomGraphStat::ValueText(const TStatDraw& row) const { return IntToStr(row.Key.KeyA()); }

int32_t TCustomGraphStat::DrawValue(int drawIndex, int L, bool sorted) {
    Prepare(drawIndex, L, sorted);
    return CombValue(CodeOfDraw(Draw), drawIndex, sorted, L);
}

std::string TCustomRatioStat::ValueText(const TStatDraw& row) const {
    const int32_t a = row.Key.KeyA();
    return IntToStr(a) + ":" + IntToStr(4 - int64_t(a));
}

int32_t TCustomRatioStat::ParseValue(std::string_view text) const {
    const size_t colon = text.find(':');
    return colon == std::string_view::npos ? 0 : StrToIntDef(text.substr(0, colon), 0);
}

std::string TCustomValuesStat::ValueText(const TStatDraw& row) const { return IntToStr(row.Key.KeyA()); }

std::string TCustomNumbersStat::ValueText(const TStatDraw& row) const { return IntToStr(row.Key.KeyA()); }

std::string TCustomMaskStat::ValueText(const TStatDraw& row) const {
    const int32_t pattern = row.Key.KeyA();
    const std::string_view zero = ZeroLetter(), one = OneLetter();
    // Four letters and " (ddd)" put together once, for a string made in one step.
    char text[64];
    size_t n = 0;
    for (int bit = 3; bit >= 0; --bit) {
        const std::string_view letter = (pattern >> bit) & 1 ? one : zero;
        if (n + letter.size() > 32) return ValueTextOf(pattern, zero, one);
        std::memcpy(text + n, letter.data(), letter.size());
        n += letter.size();
    }
    if (pattern < 0 || pattern > 999) return ValueTextOf(pattern, zero, one);
    const char number[] = {' ', '(', char('0' + pattern / 100), char('0' + pattern / 10 % 10), char('0' + pattern % 10), ')'};
    std::memcpy(text + n, number, sizeof number);
    return std::string(text, n + sizeof number);
}

int32_t TCustomMaskStat::ParseValue(std::string_view text) const {
    const std::string_view one = OneLetter();
    int32_t pattern = 0;
    size_t i = 0;
    for (int position = 0; position < 4; ++position) {
        pattern <<= 1;
        if (i >= text.size()) continue;
        const size_t len = std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        if (text.substr(i, len) == one) pattern |= 1;
        i += len;
    }
    return pattern;
}

void TCustomMaskStat::InitValues(int L, TStatSink& rows) {
    TCustomStat::InitValues(L, rows);
    ListValues(rows, 0, 15);
}

} // namespace qx
