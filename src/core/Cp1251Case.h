#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// Letter case of Windows-1251 bytes as records store them: Latin and every Cyrillic capital of
// the code page map to their small letters, other bytes stay.
uint8_t LowerCp1251(uint8_t c);
std::string LowerCp1251(std::string_view text);
// Equal when the texts differ at most in letter case.
bool SameTextCp1251(std::string_view a, std::string_view b);
// A locale-style order of two Windows-1251 texts: letters alphabetically (Ё beside Е), case
// deciding only between texts that are otherwise equal, small letters first.
int CompareTextCp1251(std::string_view a, std::string_view b);

} // namespace qx
