#include "app/TestCountForm.h"

#include <algorithm>
#include <climits>

#include "core/Text.h"

namespace qx {

TTestCountRange TestCountRange(int64_t drawsCount) {
    TTestCountRange range;
    range.Max = static_cast<int>(std::clamp<int64_t>(drawsCount - 1, 0, INT_MAX));
    range.Default = std::min(kTestCountDefault, range.Max);
    if (range.Empty()) range.Refusal = kTestNeedsTwoDraws;
    return range;
}

std::optional<std::string> RefuseTestCount(int64_t count, int64_t drawsCount) {
    const TTestCountRange range = TestCountRange(drawsCount);
    if (range.Empty()) return range.Refusal;
    if (count < range.Min || count > range.Max)
        return FormatText("Количество тестов должно быть от 1 до %d!", {std::to_string(range.Max)});
    return std::nullopt;
}

} // namespace qx
