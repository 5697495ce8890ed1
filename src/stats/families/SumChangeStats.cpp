// How the sum changed after the draws that looked like the current one: the exact sums that
// followed, the change when the previous sum was near the current one, and its direction.
#include <algorithm>
#include <array>
#include <cstdio>
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

// A previous sum counts as near the reference sum within this tolerance: (30 - 6) / 10.
constexpr int kSimilarSum = 2;

// The sum of each code of the full set, by index.
const std::array<uint8_t, kCombCount>& SumsOfIndexes() {
    static const std::array<uint8_t, kCombCount> sums = [] {
        std::array<uint8_t, kCombCount> s{};
        for (int ci = 0; ci < kCombCount; ++ci)
            s[size_t(ci)] = uint8_t(ci / 1000 + ci / 100 % 10 + ci / 10 % 10 + ci % 10);
        return s;
    }();
    return sums;
}

// A code whose digits add up to sum (0..36).
TCombCode CodeWithSum(int sum) {
    TCombCode code = 0;
    for (int k = 0; k < kPositions; ++k) code |= TCombCode(std::clamp(sum - 9 * k, 0, 9)) << (8 * k);
    return code;
}

constexpr int kLargestSum = 36;

// Draw i is judged by its own sum s and the sum p of the draw before it in the archive (index
// i - 1, unsorted, zeros before the first draw), against the sum r of the current draw L. A
// candidate is the draw after L, so its previous sum is r.
//
// Tables and filters have faster paths that give the same: a pass reads the sums of the draws it
// needs once, and a filter asks Matches once per sum (Matches looks at nothing but the
// candidate's sum) and spreads the answers over the full set.
template <class Base> class TSumTransitionStat : public Base, public TOwnWindowPass, public TOwnCodeFilter {
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
        if (!Transition(PreviousSum(i), SumOfDraw(this->Draw), r, number)) return;
        this->Hit.Key = KeyOf(number, r);
        rows.AddHit(this->Hit, true);
    }

    TOwnWindowPass* OwnWindowPass() override { return this; }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    bool BeginPass(int first, int last, int L, bool) override {
        FBase = first - 1;
        FSums.resize(size_t(last - FBase + 1));
        int largest = 0;
        for (int i = FBase; i <= last; ++i) {
            const int sum = SumOfDraw(this->DrawAt(i, false));
            FSums[size_t(i - FBase)] = sum;
            largest = std::max(largest, sum);
        }
        FReference = FSums[size_t(L - FBase)];
        FRange = NumberRange(largest);
        return true;
    }
    int ValueCount() const override { return FRange.High - FRange.Low + 1; }
    TStatKey ValueKey(uint32_t id) const override { return KeyOf(int(id) + FRange.Low, FReference); }
    int DrawHits(int i, uint32_t* ids) const override {
        int number = 0;
        if (!Transition(FSums[size_t(i - 1 - FBase)], FSums[size_t(i - FBase)], FReference, number)) return 0;
        ids[0] = uint32_t(number - FRange.Low) | kPeriodsBit;
        return 1;
    }

    void MatchTable(TSelectedRows selected, bool exclude, bool sorted, int L, uint8_t* pass) override {
        std::array<uint8_t, kLargestSum + 1> bySum{};
        for (int sum = 0; sum <= kLargestSum; ++sum)
            bySum[size_t(sum)] = this->Matches(CodeWithSum(sum), selected, exclude, sorted, L);
        const std::array<uint8_t, kCombCount>& sums = SumsOfIndexes();
        for (int ci = 0; ci < kCombCount; ++ci) pass[ci] = bySum[sums[size_t(ci)]];
    }

protected:
    struct TNumberRange {
        int Low, High;
    };
    // The number a draw with sum s gives after a draw with sum p, the reference sum being r; false
    // when the draw gives none.
    virtual bool Transition(int p, int s, int r, int& number) const = 0;
    // The key of a number, and the numbers draws whose sums are at most largest can give.
    virtual TStatKey KeyOf(int number, int r) const = 0;
    virtual TNumberRange NumberRange(int largest) const = 0;
    int PreviousSum(int i) const { return SumOfDraw(this->DrawAt(i - 1, false)); }
    int ReferenceSum() const { return SumOfDraw(this->RefDraw); }

private:
    std::vector<int> FSums; // sums of draws FBase..: the pass's previous and own sums
    int FBase = 0;
    int FReference = 0;
    TNumberRange FRange{0, 0};
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
    // The hit's key holds the previous sum and the sum; the previous sum is r whenever there is one.
    bool Transition(int p, int s, int r, int& number) const override {
        number = s;
        return p == r;
    }
    TStatKey KeyOf(int number, int r) const override { return TStatKey::FromA(r, number); }
    TNumberRange NumberRange(int largest) const override { return {0, largest}; }
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
    bool Transition(int p, int s, int r, int& number) const override {
        number = s - p;
        return p - kSimilarSum <= r && r <= p + kSimilarSum;
    }
    TStatKey KeyOf(int number, int) const override { return TStatKey::FromA(number); }
    TNumberRange NumberRange(int largest) const override { return {-largest, largest}; }
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
    bool Transition(int p, int s, int r, int& number) const override {
        number = Sign(s - p);
        return p == r;
    }
    TStatKey KeyOf(int number, int) const override { return TStatKey::FromA(number); }
    TNumberRange NumberRange(int) const override { return {-1, 1}; }
};

} // namespace

std::vector<const TStatClass*> SumChangeClasses() {
    return {&StatClassOf<TstSumChange>(), &StatClassOf<TstSumChangeSome>(), &StatClassOf<TstSumTrend>()};
}

} // namespace qx
