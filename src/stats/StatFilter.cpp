#include "stats/StatFilter.h"

#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

#include "stats/DigitValues.h"
#include "stats/OwnPasses.h"

namespace qx {
namespace {

// Marks which values of the method's table match the selected rows.
void MatchValues(const TDigitValuesSource& source, const TDigitValueTable& table, TSelectedRows selected,
                 TFilterScratch& scratch) {
    std::vector<char>& matched = scratch.Matched;
    matched.assign(size_t(table.ValueCount()), 0);
    if (source.MatchesByPart() && source.MatchPart() == TKeyPart::Whole) {
        // Whole keys: each selected row names at most one value, found in the table's key index
        // (a method with thousands of values must not search the selection once per value).
        for (const TStatDraw& r : selected)
            if (const int v = table.FindValue(r.Key); v >= 0) matched[size_t(v)] = 1;
    } else if (source.MatchesByPart()) {
        const TKeyPart part = source.MatchPart();
        std::vector<uint64_t>& parts = scratch.Parts;
        parts.clear();
        for (const TStatDraw& r : selected) parts.push_back(KeyPartValue(r.Key, part));
        std::sort(parts.begin(), parts.end());
        for (int v = 0; v < table.ValueCount(); ++v)
            matched[size_t(v)] = std::binary_search(parts.begin(), parts.end(), KeyPartValue(table.Key(uint32_t(v)), part));
    } else {
        for (int v = 0; v < table.ValueCount(); ++v)
            matched[size_t(v)] = source.ValueMatches(table.Key(uint32_t(v)), selected);
    }
}

// Not zero when a byte of the code is above 9: b + 0x76 reaches bit 7 exactly when a byte b
// below 0x80 is 10 or more.
inline uint32_t NotDigits(TCombCode c) { return (c | (c + 0x76767676u)) & 0x80808080u; }

// The code's place in the full set when all its bytes are digits, in two multiplications: the
// first makes 10 * d1 + d2 and 10 * d3 + d4, the second 100 * (10 * d1 + d2) + 10 * d3 + d4. Any other
// code gives a number that callers keep inside the table and do not use.
inline unsigned DigitCodeIndex(TCombCode c) {
    const uint32_t pairs = ((c * 2561u) >> 8) & 0x00FF00FFu;
    return std::min((pairs * 6553601u) >> 16, unsigned(kCombCount - 1));
}

// A test of candidates by a table of the answer for every code of the full set.
struct TPassTable {
    const uint8_t* Passes;
    bool FullSet;  // the candidates are the full set in its order: a candidate's place is its index
    bool operator()(TCombCode code) const { return Passes[DigitCodeIndex(code)] != 0; }
};

// True when the candidates are the whole full set in its order (a first filter step): each
// candidate's place is then its index, and no byte lies above 9.
bool IsFullSet(std::span<const TCombCode> candidates) {
    static const std::vector<TCombCode> kFullSet = [] {
        std::vector<TCombCode> codes(kCombCount);
        for (int ci = 0; ci < kCombCount; ++ci) codes[size_t(ci)] = CodeOfIndex(ci);
        return codes;
    }();
    if (candidates.size() != size_t(kCombCount)) return false;
    // A fixed count lets the compiler compare several codes at once.
    const TCombCode* const in = candidates.data();
    const TCombCode* const full = kFullSet.data();
    uint32_t differ = 0;
    for (int i = 0; i < kCombCount; ++i) differ |= in[i] ^ full[i];
    return differ == 0;
}

// Writes each candidate that survives; test(code) tells whether its value matches. Survivors may
// be the very array the candidates lie in: a survivor is written at or before its own place.
template <class Test>
void Sieve(std::span<const TCombCode> candidates, bool exclude, TCombsArray& survivors, Test&& test) {
    const size_t count = candidates.size();
    if (candidates.data() != survivors.data()) {
        survivors.clear();
        survivors.resize(count);
    }
    const TCombCode* in = candidates.data();
    TCombCode* out = survivors.data();
    size_t n = 0;
    if constexpr (std::is_same_v<std::decay_t<Test>, TPassTable>) {
        const uint8_t* const passes = test.Passes;
        if (test.FullSet) {
            for (size_t i = 0; i < count; ++i) {
                out[n] = in[i];
                n += (passes[i] != 0) != exclude;
            }
        } else {
            for (size_t i = 0; i < count; ++i) {
                const TCombCode code = in[i];
                out[n] = code;
                n += (passes[DigitCodeIndex(code)] != 0) != exclude;
            }
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            const TCombCode code = in[i];
            out[n] = code;
            n += test(code) != exclude;
        }
    }
    survivors.resize(n);
}

bool AllDigitCodes(std::span<const TCombCode> codes) {
    uint32_t bad = 0;
    for (TCombCode c : codes) bad |= NotDigits(c);
    return bad == 0;
}

// passes[ci] := some value of code ci is matched, from the padded rows of the table.
template <int Width>
void PassesOfWidth(const uint32_t* ids, const char* matched, uint8_t* passes) {
    for (int ci = 0; ci < kCombCount; ++ci, ids += Width) {
        char any = 0;
        for (int k = 0; k < Width; ++k) any |= matched[ids[k]];
        passes[ci] = any != 0;
    }
}
template <int... Widths>
void PassesOfPadded(const TDigitValueTable& table, const char* matched, uint8_t* passes,
                    std::integer_sequence<int, Widths...>) {
    ((table.PaddedWidth() == Widths + 1 ? PassesOfWidth<Widths + 1>(table.PaddedData(), matched, passes) : void()), ...);
}
void PassesOfPadded(const TDigitValueTable& table, const char* matched, uint8_t* passes) {
    PassesOfPadded(table, matched, passes, std::make_integer_sequence<int, int(TDigitValueTable::kMaxPaddedWidth)>());
}

// Runs pass(test) with the fastest test of whether a candidate matches the selected rows. A
// method of digit values is tested through its table, a method with its own filter table through
// that; a code with a byte above 9 lies outside both and only the method itself can judge it, so
// a list holding one is tested by the method throughout. A long list is tested through the answer
// for every code, worked out once.
template <class Pass>
void RunMatchTest(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                  std::span<const TCombCode> candidates, TFilterScratch& scratch, Pass&& pass) {
    const int lref = L < 0 ? 0 : L;
    stat.Prepare(-1, lref, sorted);
    auto byMethod = [&](TCombCode code) { return stat.Matches(code, selected, exclude, sorted, lref); };
    const auto* source = stat.DigitSource();
    TOwnCodeFilter* own = source ? nullptr : stat.OwnCodeFilter();
    if (!source && !own) return pass(byMethod);
    const bool fullSet = IsFullSet(candidates);
    if (!fullSet && !AllDigitCodes(candidates)) return pass(byMethod);
    scratch.Passes.resize(kCombCount);
    uint8_t* const passes = scratch.Passes.data();
    if (own) {
        own->MatchTable(selected, exclude, sorted, lref, passes);
        return pass(TPassTable{passes, fullSet});
    }
    const TDigitValueTable& table = source->Table();
    MatchValues(*source, table, selected, scratch);
    const bool wide = candidates.size() >= size_t(kCombCount / 8);
    if (table.HasMasks()) {
        uint64_t wanted = 0;
        for (int v = 0; v < table.ValueCount(); ++v)
            if (scratch.Matched[size_t(v)]) wanted |= uint64_t(1) << v;
        const uint64_t* const masks = table.MaskData();
        if (!wide) return pass([masks, wanted](TCombCode code) { return (masks[DigitCodeIndex(code)] & wanted) != 0; });
        for (int ci = 0; ci < kCombCount; ++ci) passes[ci] = (masks[ci] & wanted) != 0;
        return pass(TPassTable{passes, fullSet});
    }
    if (wide && table.PaddedWidth() > 0) {
        scratch.Matched.push_back(0);  // the filler id matches nothing
        PassesOfPadded(table, scratch.Matched.data(), passes);
        return pass(TPassTable{passes, fullSet});
    }
    const char* const hit = scratch.Matched.data();
    const auto matches = [&table, hit](unsigned ci) {
        for (uint32_t h : table.Hits(int(ci)))
            if (hit[h & ~TDigitValueTable::kPeriodsBit]) return true;
        return false;
    };
    if (!wide) return pass([&matches](TCombCode code) { return matches(DigitCodeIndex(code)); });
    for (int ci = 0; ci < kCombCount; ++ci) passes[ci] = matches(unsigned(ci));
    pass(TPassTable{passes, fullSet});
}

} // namespace

void FilterCombinations(TCustomStat& stat, TSelectedRows selected, bool exclude, bool sorted, int L,
                        std::span<const TCombCode> candidates, TCombsArray& survivors) {
    TFilterScratch scratch;
    RunMatchTest(stat, selected, exclude, sorted, L, candidates, scratch,
                 [&](auto&& test) { Sieve(candidates, exclude, survivors, test); });
}

int CountMatches(TCustomStat& stat, TSelectedRows selected, bool sorted, int L,
                 std::span<const TCombCode> candidates, TFilterScratch& scratch, bool exclude) {
    int count = 0;
    RunMatchTest(stat, selected, exclude, sorted, L, candidates, scratch, [&](auto&& test) {
        int n = 0;
        for (const TCombCode code : candidates) n += test(code);
        count = n;
    });
    return count;
}

} // namespace qx
