#include "core/DrawHelpers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/Text.h"

namespace qx {

TCombCode CodeOfDraw(const TDrawRecord& draw) {
    TCombCode code;
    std::memcpy(&code, draw.Digits, sizeof code);
    return code;
}

void SortDigits(TDrawRecord& draw) { std::sort(draw.Digits, draw.Digits + kPositions); }

TCombCode SortedCode(TCombCode code) {
    uint8_t d[kPositions];
    std::memcpy(d, &code, sizeof code);
    std::sort(d, d + kPositions);
    std::memcpy(&code, d, sizeof code);
    return code;
}

std::string DigitsText(TCombCode code) {
    std::string s;
    for (int p = 0; p < kPositions; ++p) {
        if (p) s += ';';
        s += std::to_string(DigitOfCode(code, p));
    }
    return s;
}

std::string DigitsBlankText(TCombCode code) {
    std::string s;
    char buf[8];
    for (int p = 0; p < kPositions; ++p) {
        if (p) s += ' ';
        std::snprintf(buf, sizeof buf, "%02d", DigitOfCode(code, p));
        s += buf;
    }
    return s;
}

std::string DrawDescription(const TDrawRecord& draw) {
    return FormatText("Тираж № %d от %s, значения: %s",
                      {std::to_string(draw.Number), draw.DateLabel(), DigitsText(CodeOfDraw(draw))});
}

int EffectiveChannelWidth(int width) { return (width >= 1 && width <= 10) ? width : 2; }

int ChannelOf(int digit, int width) {
    if (digit < 0 || digit > 9) return 0;
    int w = EffectiveChannelWidth(width);
    return (digit + w) / w;  // ceil((digit + 1) / w)
}

TColour ChannelTableColour(int channel) {
    static const TColour kTable[19] = {
        {170, 255, 170}, {255, 255, 170}, {170, 255, 255}, {255, 170, 170}, {170, 170, 255},
        {255, 213, 170}, {213, 170, 255}, {212, 212, 212}, {170, 213, 255}, {255, 170, 213},
        {213, 255, 213}, {255, 255, 213}, {213, 255, 255}, {255, 213, 213}, {213, 213, 255},
        {255, 234, 213}, {234, 213, 255}, {233, 233, 233}, {213, 234, 255}};
    if (channel < 1) return {255, 0, 0};
    while (channel > 19) channel -= 19;
    return kTable[channel - 1];
}

TColour ChannelColour(int digit, int width) { return ChannelTableColour(ChannelOf(digit, width)); }

} // namespace qx
