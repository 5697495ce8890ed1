// How the sum changed after the draws that looked like the current one: the exact sums that
// followed, the change when the previous sum was near the current one, and its direction.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/Text.h"
#include "stats/KeyTests.h"
#include "stats/OwnPasses.h"
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

// The largest sum of four digits.
constexpr int kLargestSum = 36;

// A previous sum counts as near the reference sum within this tolerance: (30 - 6) / 10.
constexpr int kSimilarSum = 2;

// A code whose digits add up to sum (0..36).
TCombCode CodeWithSum(int sum) {
    TCombCode code = 0;
    for (int k = 0; k < kPositions; ++k) code |= TCombCode(std::clamp(sum - 9 * k, 0, 9)) << (8 * k);
    return code;
}

// The rules of the three members: the number a draw with sum s gives after a draw with sum p,
// the reference sum being r (false: the draw gives none), the key of a number, and the numbers
// draws whose sums are at most largest can give.
struct TNumberRange {
    int Low, High;
};

// The sum that followed; the key also holds the previous sum, which is r whenever there is a hit.
struct TExactChange {
    static bool Transition(int p, int s, int r, int& number) {
        number = s;
        return p == r;
    }
    static TStatKey KeyOf(int number, int r) { return TStatKey::FromA(r, number); }
    static constexpr TNumberRange Range(int largest) { return {0, largest}; }
};

// The change, after previous sums near the reference sum.
struct TNearChange {
    static bool Transition(int p, int s, int r, int& number) {
        number = s - p;
        return p - kSimilarSum <= r && r <= p + kSimilarSum;
    }
    static TStatKey KeyOf(int number, int) { return TStatKey::FromA(number); }
    static constexpr TNumberRange Range(int largest) { return {-largest, largest}; }
};

// The direction of the change.
struct TChangeSign {
    static bool Transition(int p, int s, int r, int& number) {
        number = Sign(s - p);
        return p == r;
    }
    static TStatKey KeyOf(int number, int) { return TStatKey::FromA(number); }
    static constexpr TNumberRange Range(int) { return {-1, 1}; }
};

// Draw i is judged by its own sum s and the sum p of the draw before it in the archive (index
// i - 1, unsorted, zeros before the first draw), against the sum r of the current draw L. A
// candidate is the draw after L, so its previous sum is r.
//
// Tables and filters have faster paths that give the same: a pass reads the sums of the draws it
// needs once and works out every draw's hit in one loop, and a filter asks Matches once per sum
// (Matches looks at nothing but the candidate's sum) and spreads the answers over the full set.
template <class Base, class Rule>
class TSumTransitionStat : public Base, public TOwnWindowPass, public TOwnCodeFilter {
public:
    using Base::Base;
    static constexpr uint8_t kGroup = 1;
    static constexpr uint8_t kFlags = kFlagD;
    static constexpr bool kCanParseValue = false;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        Base::AddDraw(i, L, lastValues, runState, rows, sorted);
        const int r = SumOfDraw(this->RefDraw);
        int number = 0;
        if (!Rule::Transition(PreviousSum(i), SumOfDraw(this->Draw), r, number)) return;
        this->Hit.Key = Rule::KeyOf(number, r);
        rows.AddHit(this->Hit, true);
    }

    TOwnWindowPass* OwnWindowPass() override { return this; }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    // Declines archives with sums above 36 (bytes above 9): the values then leave the fixed range.
    bool BeginPass(int first, int last, int L, bool) override {
        const TDrawsArray& draws = this->Draws;
        FFirst = first;
        FReference = SumOfDraw(draws[size_t(L)]);
        FHits.resize(size_t(last - first + 1));
        int previous = first > 0 ? SumOfDraw(draws[size_t(first - 1)]) : 0;
        bool inRange = previous <= kLargestSum;
        for (int i = first; i <= last; ++i) {
            const int sum = SumOfDraw(draws[size_t(i)]);
            inRange &= sum <= kLargestSum;
            int number = 0;
            const bool hit = Rule::Transition(previous, sum, FReference, number);
            FHits[size_t(i - first)] = hit ? uint32_t(number - kRange.Low) | kPeriodsBit : kNoHit;
            previous = sum;
        }
        return inRange;
    }
    int ValueCount() const override { return kRange.High - kRange.Low + 1; }
    TStatKey ValueKey(uint32_t id) const override { return Rule::KeyOf(int(id) + kRange.Low, FReference); }
    int DrawHits(int i, uint32_t* ids) const override {
        ids[0] = FHits[size_t(i - FFirst)];
        return ids[0] != kNoHit;
    }
    const uint32_t* HitPerDraw() const override { return FHits.data(); }

    void MatchTable(TSelectedRows selected, bool exclude, bool sorted, int L, uint8_t* pass) override {
        std::array<uint8_t, kLargestSum + 1> bySum{};
        for (int sum = 0; sum <= kLargestSum; ++sum)
            bySum[size_t(sum)] = this->Matches(CodeWithSum(sum), selected, exclude, sorted, L);
        // Index ab * 100 + cd: the hundred codes after a prefix ab depend on the prefix's sum only.
        std::array<std::array<uint8_t, 100>, 19> tails{};
        for (int p = 0; p < 19; ++p)
            for (int cd = 0; cd < 100; ++cd)
                tails[size_t(p)][size_t(cd)] = bySum[size_t(p + cd / 10 + cd % 10)];
        for (int ab = 0; ab < 100; ++ab)
            std::memcpy(pass + ab * 100, tails[size_t(ab / 10 + ab % 10)].data(), 100);
    }

protected:
    int PreviousSum(int i) const { return SumOfDraw(this->DrawAt(i - 1, false)); }
    int ReferenceSum() const { return SumOfDraw(this->RefDraw); }

private:
    static constexpr TNumberRange kRange = Rule::Range(kLargestSum);
    std::vector<uint32_t> FHits; // the pass's hit of each draw from FFirst on
    int FFirst = 0;
    int FReference = 0;
};

class TstSumChange final : public TSumTransitionStat<TCustomGraphStat, TExactChange> {
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
};

class TstSumChangeSome final : public TSumTransitionStat<TCustomStat, TNearChange> {
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
};

class TstSumTrend final : public TSumTransitionStat<TCustomGraphStat, TChangeSign> {
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
};

} // namespace

std::vector<const TStatClass*> SumChangeClasses() {
    return {&StatClassOf<TstSumChange>(), &StatClassOf<TstSumChangeSome>(), &StatClassOf<TstSumTrend>()};
}

} // namespace qx
