#pragma once
#include <array>

#include "stats/DigitValues.h"

namespace qx {

// The characteristic number of four digits: absolute differences of neighbours taken until two
// numbers are left, then their difference v. Mode 0 gives v; mode 1 gives their sum when v < 2;
// mode 2 gives their sum when v = 0, and the pair (1, sum) when v = 1.
struct TOgnevNumber {
    int Count = 1;
    std::array<int, 2> Values{};
};
TOgnevNumber Ognev(const TDigits& digits, int mode);

} // namespace qx
