#include "stats/GroupBases.h"

#include <algorithm>
#include <cstdio>

namespace qx {

const TConfigData& ConfigOf(const TStatEnv& env) {
    static const TConfigData kDefaults;
    return env.Config ? *env.Config : kDefaults;
}

std::string ChannelText(int channel, int width) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2d [%d-%d]", channel, width * (channel - 1), width * channel - 1);
    return text;
}

std::vector<int> SegmentNumbers(const TMatrixSegments& segments) {
    std::vector<int> numbers;
    for (const auto& block : segments)
        for (uint8_t s : block)
            if (std::find(numbers.begin(), numbers.end(), s) == numbers.end()) numbers.push_back(s);
    return numbers;
}

} // namespace qx
