#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "core/DrawHelpers.h"
#include "stats/Expression.h"
#include "stats/KeyTests.h"
#include "stats/OwnPasses.h"
#include "stats/StatBases.h"

namespace qx {

// A draw is valued with the draw before it as p and the one before that as t; a candidate is the
// draw after the current draw L, so its p is draw L and its t draw L - 1. The full set values every
// combination with p and t zero. A value is compared whole with the selected rows' KeyA.
class TstShreddingStat : public TCustomGraphStat, public TOwnWindowPass, public TOwnCodeFilter {
public:
    static constexpr std::string_view kClassName = "TstShreddingStat";
    static constexpr std::string_view kCodeFormat = "SHR%d";
    static constexpr std::string_view kNameFormat = "Метод шинковки %0:d: %%s";
    static constexpr std::string_view kHelpCodeFormat = "SHRx";
    static constexpr uint8_t kGroup = 12;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;
    static constexpr bool kHasParams = true;
    static TParamRange ParamRange(const TConfigData&) { return {1, 3}; }

    TstShreddingStat(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : TCustomGraphStat(cls, env, param), Formula(FormulasOf(env).Formula[Variant(param)]),
          Places(uint8_t(ShredPlaces(FormulasOf(env).Digits[Variant(param)]))), FSeparator(env.DecimalSeparator),
          FCompiled(Formula, Places, FSeparator) {}

    const std::string Formula;
    const uint8_t Places;

    // The shredded value of n after p and t: the compiled formula here, the literal
    // substitute-and-parse in the tests' oracle.
    virtual int32_t Shred(TCombCode n, TCombCode p, TCombCode t) const { return FCompiled.Value(n, p, t); }

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomGraphStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        Hit.Key = TStatKey::FromA(DrawValueAt(i, sorted));
        rows.AddHit(Hit, true);
    }
    void AddCombination(TCombCode code, TStatSink& rows) override {
        TCustomGraphStat::AddCombination(code, rows);
        Hit.Key = TStatKey::FromA(Shred(code, 0, 0));
        rows.AddHit(Hit, false);
    }
    int32_t CombValue(TCombCode code, int drawIndex, bool sorted, int) override {
        return Shred(code, CodeAt(drawIndex - 1, sorted), CodeAt(drawIndex - 2, sorted));
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool sorted, int L) override {
        return SelectedHasKeyPart(selected, 1, Shred(code, CodeAt(L, sorted), CodeAt(L - 1, sorted)));
    }

    // ---- The window pass: every draw's value once, ids in order of first appearance.
    TOwnWindowPass* OwnWindowPass() override { return this; }
    bool BeginPass(int first, int last, int, bool sorted) override {
        FFirst = first;
        std::vector<int32_t> values(size_t(last - first + 1));
        for (int i = first; i <= last; ++i) values[size_t(i - first)] = DrawValueAt(i, sorted);
        FKeys = values;
        std::sort(FKeys.begin(), FKeys.end());
        FKeys.erase(std::unique(FKeys.begin(), FKeys.end()), FKeys.end());
        FHits.resize(values.size());
        for (size_t k = 0; k < values.size(); ++k)
            FHits[k] = uint32_t(std::lower_bound(FKeys.begin(), FKeys.end(), values[k]) - FKeys.begin()) | kPeriodsBit;
        return true;
    }
    int ValueCount() const override { return static_cast<int>(FKeys.size()); }
    TStatKey ValueKey(uint32_t id) const override { return TStatKey::FromA(FKeys[id]); }
    int DrawHits(int i, uint32_t* ids) const override {
        ids[0] = FHits[size_t(i - FFirst)];
        return 1;
    }
    const uint32_t* HitPerDraw() const override { return FHits.data(); }

    // ---- The filter: the values of all codes (cached per previous draws), then the rows.
    TOwnCodeFilter* OwnCodeFilter() override { return this; }
    void MatchTable(TSelectedRows selected, bool exclude, bool sorted, int L, uint8_t* pass) override;

protected:
    static const TShreddingFormulas& FormulasOf(const TStatEnv& env);
    static size_t Variant(int32_t param) { return size_t(std::clamp(param, 1, 3) - 1); }

    TCombCode CodeAt(int index, bool sorted) const { return CodeOfDraw(DrawAt(index, sorted)); }
    int32_t DrawValueAt(int i, bool sorted) const {
        return Shred(CodeAt(i, sorted), CodeAt(i - 1, sorted), CodeAt(i - 2, sorted));
    }

    char FSeparator;
    TShredFormula FCompiled;

private:
    std::vector<int32_t> FKeys;  // the pass's values, ascending
    std::vector<uint32_t> FHits;
    int FFirst = 0;
};

} // namespace qx
