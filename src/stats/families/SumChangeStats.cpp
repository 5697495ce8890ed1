// How the sum changed after the draws that looked like the current one: the exact sums that
// followed, the change when the previous sum was near the current one, and its direction.
#include <cstdio>

#include "core/Text.h"
#include "stats/KeyTests.h"
#include "stats/StatBases.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

int SumOfDraw(const TDrawRecord& d) {
    return d.Digits[0] + d.Digits[1] + d.Digits[2] + d.Digits[3];
}
int SumOfCode(TCombCode c) {
    return int(c & 0xFF) + int(c >> 8 & 0xFF) + int(c >> 16 & 0xFF) + int(c >> 24);
}
int Sign(int x) {
    return x > 0 ? 1 : x < 0 ? -1 : 0;
}

// A previous sum counts as near the reference sum within this tolerance: (30 - 6) / 10.
constexpr int kSimilarSum = 2;

// Draw i is judged by its own sum s and the sum p of the draw before it in the archive (index
// i - 1, unsorted, zeros before the first draw), against the sum r of the current draw L. A
// candidate is the draw after L, so its previous sum is r.
template <class Base> class TSumTransitionStat : public Base {
public:
    using Base::Base;
    static constexpr uint8_t kGroup = 1;
    static constexpr uint8_t kFlags = kFlagD;
    static constexpr bool kCanParseValue = false;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        Base::AddDraw(i, L, lastValues, runState, rows, sorted);
        TStatKey key;
        if (!Transition(PreviousSum(i), SumOfDraw(this->Draw), SumOfDraw(this->RefDraw), key)) return;
        this->Hit.Key = key;
        rows.AddHit(this->Hit, true);
    }

protected:
    // The value of a draw with sum s after a draw with sum p, the reference sum being r; false
    // when the draw gives none.
    virtual bool Transition(int p, int s, int r, TStatKey& key) const = 0;
    int PreviousSum(int i) const { return SumOfDraw(this->DrawAt(i - 1, false)); }
    int ReferenceSum() const { return SumOfDraw(this->RefDraw); }
};

class TstSumChange final : public TSumTransitionStat<TCustomGraphStat> {
public:
    using TSumTransitionStat::TSumTransitionStat;
    static constexpr std::string_view kClassName = "TstSumChange";
    static constexpr std::string_view kCodeFormat = "SUMC";
    static constexpr std::string_view kNameFormat = "Сумма тиража: изменения (точно)";

    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        return SelectedHasKeyPart(selected, 2, SumOfCode(code));
    }
    int32_t CombValue(TCombCode code, int drawIndex, bool, int) override {
        return SumOfCode(code) - PreviousSum(drawIndex);
    }
    // "- 05 : 20 - 5 = 15" for a fall from 20 to 15, "+00 : 7 + 0 = 7" for none.
    std::string ValueText(const TStatDraw& row) const override {
        const int a = row.Key.KeyA(), b = row.Key.KeyB();
        char text[64];
        if (b < a)
            std::snprintf(text, sizeof text, "- %.2d : %d - %d = %d", a - b, a, a - b, b);
        else
            std::snprintf(text, sizeof text, "+%.2d : %d + %d = %d", b - a, a, b - a, b);
        return text;
    }

protected:
    bool Transition(int p, int s, int r, TStatKey& key) const override {
        key = TStatKey::FromA(p, s);
        return p == r;
    }
};

class TstSumChangeSome final : public TSumTransitionStat<TCustomStat> {
public:
    using TSumTransitionStat::TSumTransitionStat;
    static constexpr std::string_view kClassName = "TstSumChangeSome";
    static constexpr std::string_view kCodeFormat = "SUMV";
    static constexpr std::string_view kNameFormat = "Сумма тиража: изменения (диапазон)";

    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        return SelectedHasKeyPart(selected, 1, SumOfCode(code) - ReferenceSum());
    }
    std::string ValueText(const TStatDraw& row) const override {
        const int v = row.Key.KeyA();
        char text[32];
        std::snprintf(text, sizeof text, v < 0 ? "- %.2d" : "+%.2d", v < 0 ? -v : v);
        return text;
    }

protected:
    bool Transition(int p, int s, int r, TStatKey& key) const override {
        key = TStatKey::FromA(s - p);
        return p - kSimilarSum <= r && r <= p + kSimilarSum;
    }
};

class TstSumTrend final : public TSumTransitionStat<TCustomGraphStat> {
public:
    using TSumTransitionStat::TSumTransitionStat;
    static constexpr std::string_view kClassName = "TstSumTrend";
    static constexpr std::string_view kCodeFormat = "SUMT";
    static constexpr std::string_view kNameFormat = "Сумма тиража: направление изменения";

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        for (int v : {0, 1, -1}) ListValue(rows, TStatKey::FromA(v));
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        return SelectedHasKeyPart(selected, 1, Sign(SumOfCode(code) - ReferenceSum()));
    }
    int32_t CombValue(TCombCode code, int drawIndex, bool, int) override {
        return Sign(SumOfCode(code) - PreviousSum(drawIndex));
    }
    std::string ValueText(const TStatDraw& row) const override {
        const int v = row.Key.KeyA();
        return v == 0 ? "=" : v > 0 ? "+" : "-";
    }

protected:
    bool Transition(int p, int s, int r, TStatKey& key) const override {
        key = TStatKey::FromA(Sign(s - p));
        return p == r;
    }
};

} // namespace

std::vector<const TStatClass*> SumChangeClasses() {
    return {&StatClassOf<TstSumChange>(), &StatClassOf<TstSumChangeSome>(), &StatClassOf<TstSumTrend>()};
}

} // namespace qx
