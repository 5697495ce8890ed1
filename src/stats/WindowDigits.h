#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Game.h"
#include "stats/DigitValues.h"

namespace qx {

// The digits of the archive's draws lo..hi as Prepare reads them (sorted when asked, all zero
// outside the archive), read once for a table or filter pass so a method looking at neighbouring
// draws does not prepare each draw again for every draw that looks back at it.
class TWindowDigits {
public:
    void Read(const TDrawsArray& draws, int lo, int hi, bool sorted) {
        FLow = lo;
        FDigits.assign(size_t(hi >= lo ? hi - lo + 1 : 0), TDigits{});
        const int count = static_cast<int>(draws.size());
        for (int i = std::max(lo, 0); i <= hi && i < count; ++i)
            FDigits[size_t(i - lo)] = DrawDigits(draws[size_t(i)], sorted);
    }
    // index must lie in lo..hi.
    const TDigits& operator[](int index) const { return FDigits[size_t(index - FLow)]; }
    // The same four digits as one combination code (byte k = digit of position k + 1).
    TCombCode Code(int index) const {
        TCombCode code;
        std::memcpy(&code, FDigits[size_t(index - FLow)].data(), sizeof code);
        return code;
    }

private:
    std::vector<TDigits> FDigits;
    int FLow = 0;
};

} // namespace qx
