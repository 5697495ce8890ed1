#pragma once
#include <bitset>
#include <string>
#include <string_view>

#include "core/Config.h"
#include "core/Game.h"

namespace qx {

// Captions of the generation modes 0..4, in the order of the mode list.
extern const char* const kCombsGenModeCaptions[5];

// The user's own numbers: words split at "," and ";", each read as an integer (0 when it is not
// one); values 0..255 set their bit, others are ignored.
std::bitset<256> ParseOwnNumbers(std::string_view text);

// Modes 0..3: every combination 0000..9999 in ascending order that the mode keeps, appended to out.
void GenerateByNumbers(int mode, const std::bitset<256>& numbers, TCombsArray& out);

} // namespace qx
