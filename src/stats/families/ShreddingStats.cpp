// The user's formulas over the digits of a draw and of the two draws before it, shredded: the
// first decimals of the fractional part of the result are the value.
#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/DrawHelpers.h"
#include "stats/Expression.h"
#include "stats/KeyTests.h"
#include "stats/OwnPasses.h"
#include "stats/StatBases.h"
#include "stats/StatClassOf.h"
#include "stats/families/ShreddingStat.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

using TCodeValues = std::vector<int32_t>;  // a value per index of the full set

// The values of the 10,000 codes under one formula after one pair of previous draws, kept for a
// while: a second filter at the same draw reads them instead of evaluating again.
class TCodeValuesCache {
public:
    std::shared_ptr<const TCodeValues> Get(const TShredFormula& formula, const std::string& text, int places,
                                           char separator, TCombCode p, TCombCode t) {
        if (!formula.UsesPrevious()) p = t = 0;
        {
            std::lock_guard lock(FLock);
            for (const TEntry& e : FEntries)
                if (e.Formula == text && e.Places == places && e.Separator == separator && e.P == p && e.T == t)
                    return e.Values;
        }
        auto values = std::make_shared<TCodeValues>(size_t(kCombCount));
        for (int ci = 0; ci < kCombCount; ++ci) (*values)[size_t(ci)] = formula.Value(CodeOfIndex(ci), p, t);
        std::lock_guard lock(FLock);
        if (FEntries.size() >= kEntries) FEntries.erase(FEntries.begin());
        FEntries.push_back({text, places, separator, p, t, values});
        return values;
    }

private:
    static constexpr size_t kEntries = 6;  // three methods, a current draw and one before it
    struct TEntry {
        std::string Formula;
        int Places;
        char Separator;
        TCombCode P, T;
        std::shared_ptr<const TCodeValues> Values;
    };
    std::mutex FLock;
    std::vector<TEntry> FEntries;
};

TCodeValuesCache& CodeValuesCache() {
    static TCodeValuesCache cache;
    return cache;
}

const TShreddingFormulas kDefaultFormulas;

} // namespace

const TShreddingFormulas& TstShreddingStat::FormulasOf(const TStatEnv& env) {
    return env.Formulas ? *env.Formulas : kDefaultFormulas;
}

void TstShreddingStat::MatchTable(TSelectedRows selected, bool, bool sorted, int L, uint8_t* pass) {
    const auto values = CodeValuesCache().Get(FCompiled, Formula, Places, FSeparator, CodeAt(L, sorted),
                                              CodeAt(L - 1, sorted));
    std::vector<int32_t> keys;
    for (const TStatDraw& row : selected) keys.push_back(row.Key.KeyA());
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (int ci = 0; ci < kCombCount; ++ci)
        pass[ci] = std::binary_search(keys.begin(), keys.end(), (*values)[size_t(ci)]);
}

std::vector<const TStatClass*> ShreddingClasses() { return {&StatClassOf<TstShreddingStat>()}; }

} // namespace qx
