#include "stats/StatFilter.h"

#include <algorithm>
#include <vector>

#include "stats/DigitValues.h"

namespace qx {
namespace {

// Which values of the method's table match the selected rows.
std::vector<char> MatchedValues(const TDigitValuesSource& source, const TDigitValueTable& table,
                                TSelectedRows selected) {
    std::vector<char> matched(size_t(table.ValueCount()), 0);
    if (source.MatchesByPart()) {
        const TKeyPart part = source.MatchPart();
        std::vector<uint64_t> parts;
        parts.reserve(selected.size());
        for (const TStatDraw& r : selected) parts.push_back(KeyPartValue(r.Key, part));
        std::sort(parts.begin(), parts.end());
        for (int v = 0; v < table.ValueCount(); ++v)
            matched[size_t(v)] = std::binary_search(parts.begin(), parts.end(), KeyPartValue(table.Key(uint32_t(v)), part));
    } else {
        for (int v = 0; v < table.ValueCount(); ++v)
            matched[size_t(v)] = source.ValueMatches(table.Key(uint32_t(v)), selected);
    }
    return matched;
}

// Writes each candidate that survives; test(code) tells whether its value matches. Survivors may
// be the very array the candidates lie in: a survivor is written at or before its own place.
template <class Test>
void Sieve(std::span<const TCombCode> candidates, bool exclude, TCombsArray& survivors, Test&& test) {
    if (candidates.data() != survivors.data()) {
        survivors.clear();
        survivors.resize(candidates.size());
    }
    TCombCode* out = survivors.data();
    size_t n = 0;
    for (TCombCode code : candidates) {
        out[n] = code;
        n += test(code) != exclude;
    }
    survivors.resize(n);
}

} // namespace

void FilterCombinations(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                        std::span<const TCombCode> candidates, TCombsArray& survivors) {
    const int lref = L < 0 ? 0 : L;
    stat.Prepare(-1, lref, sorted);
    const auto* source = dynamic_cast<const TDigitValuesSource*>(&stat);
    if (!source) {
        Sieve(candidates, exclude, survivors,
              [&](TCombCode code) { return stat.Matches(code, selected, exclude, sorted, lref); });
        return;
    }
    const TDigitValueTable& table = source->Table();
    const std::vector<char> matched = MatchedValues(*source, table, selected);
    // A code with a byte above 9 is outside the table: the method answers for it.
    auto slow = [&](TCombCode code) { return stat.Matches(code, selected, exclude, sorted, lref); };
    if (table.HasMasks()) {
        uint64_t wanted = 0;
        for (int v = 0; v < table.ValueCount(); ++v)
            if (matched[size_t(v)]) wanted |= uint64_t(1) << v;
        Sieve(candidates, exclude, survivors, [&](TCombCode code) {
            const int ci = CodeIndexOfCode(code);
            return ci >= 0 ? (table.Mask(ci) & wanted) != 0 : slow(code);
        });
    } else {
        Sieve(candidates, exclude, survivors, [&](TCombCode code) {
            const int ci = CodeIndexOfCode(code);
            if (ci < 0) return slow(code);
            for (uint32_t h : table.Hits(ci))
                if (matched[h & ~TDigitValueTable::kPeriodsBit]) return true;
            return false;
        });
    }
}

} // namespace qx
