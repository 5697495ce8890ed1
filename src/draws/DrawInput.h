#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/DateTime.h"
#include "core/Game.h"

namespace qx {

inline constexpr const char* kBadCombinationMessage = "Введена некорректная комбинация!";

using TDigits = std::array<uint8_t, kPositions>;

// The draw dialog's digits text: exactly four words separated by ";" or "," (a run of separators
// counts as one, blanks around words are ignored), each an integer 0..9 ("x" is no digit: storing
// it as 0 would record a draw that never happened). Nothing when the text is not acceptable.
std::optional<TDigits> ParseDrawDigits(std::string_view text);

// The record the draw dialog returns: number and digits as entered; with a date-time the label
// is formatted from it, without one the label stays; the reserved bytes keep their contents.
TDrawRecord DrawDialogResult(const TDrawRecord& original, int32_t number, const TDigits& digits,
                             std::optional<TDateTime> when);

} // namespace qx
