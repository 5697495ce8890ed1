#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Longest list a number list may expand to. Longer ranges cannot be filtered in any useful time
// and would exhaust memory first, so they are refused with the too-many-variants message.
inline constexpr int64_t kNumberListLimit = 1000000;

// Window lengths, thresholds and list values: "10", "10,20;30" (whole numbers separated by "," or
// ";"), or a range "low-high;step" / "low-high,step" giving low, low+step, ... up to high. A "-" in
// the first position belongs to the low number. Anything else gives the empty list, and so does a
// step of zero or less (no range can run for ever).
std::vector<int32_t> ParseNumberList(std::string_view text);
std::string NumberListText(const std::vector<int32_t>& values, std::string_view separator);

} // namespace qx
