#pragma once
#include <array>
#include <cstdint>

#include "core/Game.h"
#include "stats/KeyTests.h"

namespace qx {

// The filter table of methods whose candidates match when any of their four digits, at any
// position, is K1 of a selected row: pass[ci] for every index 0..9999 of the full set.
inline void MatchAnyDigit(TSelectedRows selected, uint8_t* pass) {
    std::array<uint8_t, 10> chosen{};
    for (int d = 0; d <= 9; ++d) chosen[size_t(d)] = SelectedHasK(selected, 1, int16_t(d));
    int ci = 0;
    for (int a = 0; a <= 9; ++a)
        for (int b = 0; b <= 9; ++b)
            for (int c = 0; c <= 9; ++c) {
                const uint8_t abc = chosen[size_t(a)] | chosen[size_t(b)] | chosen[size_t(c)];
                for (int d = 0; d <= 9; ++d) pass[ci++] = abc | chosen[size_t(d)];
            }
}

// Matches of the same methods for one code (any byte, a byte above 9 included).
inline bool AnyDigitSelected(TCombCode code, TSelectedRows selected) {
    for (int p = 0; p < kPositions; ++p)
        if (SelectedHasK(selected, 1, int16_t(DigitOfCode(code, p)))) return true;
    return false;
}

} // namespace qx
