#include "LiteralRepeats.h"

#include <algorithm>

namespace qx::oracle {

std::vector<TLiteralRepeatsRow> LiteralRepeats(const TDrawsArray& draws, int64_t length, int64_t deep,
                                               int* maxMatches) {
    std::vector<TLiteralRepeatsRow> rows;
    int largest = 0;
    const int64_t a = static_cast<int64_t>(draws.size()) - 1;
    const int64_t s = std::max<int64_t>(0, a - length + 1);
    for (int64_t p = a; p >= s; --p) {
        const size_t first = rows.size();
        for (int64_t q = p - 1; q >= std::max<int64_t>(0, p - deep); --q) {
            int r = 0;
            for (int k = 0; k < kPositions; ++k)
                if (draws[static_cast<size_t>(p)].Digits[k] == draws[static_cast<size_t>(q)].Digits[k]) ++r;
            if (r > 0) {
                bool found = false;
                for (size_t i = first; i < rows.size(); ++i)
                    if (rows[i].Matches == r) {
                        ++rows[i].Count;
                        rows[i].List += " " + std::to_string(draws[static_cast<size_t>(q)].Number);
                        found = true;
                        break;
                    }
                if (!found)
                    rows.push_back({draws[static_cast<size_t>(p)].Number, r, 1,
                                    std::to_string(draws[static_cast<size_t>(q)].Number)});
            }
            largest = std::max(largest, r);
        }
    }
    if (maxMatches) *maxMatches = largest;
    return rows;
}

} // namespace qx::oracle
