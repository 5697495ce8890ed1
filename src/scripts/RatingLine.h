#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx {

class TStatList;

// The script line a rating row's key turns back into: the text after "@" with " + " read as
// field separators, padded to eight fields, then "|" and the comment before "@" (the label's
// line and variant prefix). None when no filter field 2..8 holds a filter description.
std::optional<std::string> ScriptLineOfRatingKey(std::string_view key, const TStatList& registry);

inline constexpr const char* kRatingLineRefused = "Строку\r\r%s\r\rневозможно добавить в сценарий!";

} // namespace qx
