#include "core/Cp1251Case.h"

#include <array>

namespace qx {
namespace {

// Capital -> small for the Cyrillic letters outside the А..Я block.
constexpr std::pair<uint8_t, uint8_t> kExtraPairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3},
    {0xBD, 0xBE},
};

constexpr std::array<uint8_t, 256> MakeLowerTable() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    for (int c = 'A'; c <= 'Z'; ++c) t[static_cast<size_t>(c)] = static_cast<uint8_t>(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) t[static_cast<size_t>(c)] = static_cast<uint8_t>(c + 32);
    for (auto [capital, small] : kExtraPairs) t[capital] = small;
    return t;
}
constexpr std::array<uint8_t, 256> kLower = MakeLowerTable();

// Sorting weight of a small letter: ё sorts right after е, everything else by its code.
int Weight(uint8_t small) {
    if (small == 0xB8) return 0xE5 * 2 + 1;  // ё after е
    return small * 2;
}

} // namespace

uint8_t LowerCp1251(uint8_t c) { return kLower[c]; }

std::string LowerCp1251(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(kLower[static_cast<uint8_t>(c)]);
    return s;
}

bool SameTextCp1251(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (kLower[static_cast<uint8_t>(a[i])] != kLower[static_cast<uint8_t>(b[i])]) return false;
    return true;
}

int CompareTextCp1251(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int wa = Weight(kLower[static_cast<uint8_t>(a[i])]);
        const int wb = Weight(kLower[static_cast<uint8_t>(b[i])]);
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Otherwise equal: the first difference in case decides, a small letter first.
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<uint8_t>(a[i]), cb = static_cast<uint8_t>(b[i]);
        if (ca == cb) continue;
        const bool smallA = kLower[ca] == ca;
        const bool smallB = kLower[cb] == cb;
        if (smallA != smallB) return smallA ? -1 : 1;
        return ca < cb ? -1 : 1;
    }
    return 0;
}

} // namespace qx
