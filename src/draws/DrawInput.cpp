#include "draws/DrawInput.h"

#include <string>
#include <vector>

#include "core/Text.h"

namespace qx {

std::optional<TDigits> ParseDrawDigits(std::string_view text) {
    const std::vector<std::string_view> words = SplitWords(text, ";,");
    if (words.size() != kPositions) return std::nullopt;
    TDigits digits{};
    for (int p = 0; p < kPositions; ++p) {
        auto v = TryStrToInt(words[p]);
        if (!v || *v < 0 || *v > 9) return std::nullopt;
        digits[p] = static_cast<uint8_t>(*v);
    }
    return digits;
}

TDrawRecord DrawDialogResult(const TDrawRecord& original, int32_t number, const TDigits& digits,
                             std::optional<TDateTime> when) {
    TDrawRecord r = original;
    r.Number = number;
    for (int p = 0; p < kPositions; ++p) r.Digits[p] = digits[p];
    if (when) r.SetDateLabel(FormatDrawLabel(*when));
    return r;
}

} // namespace qx
