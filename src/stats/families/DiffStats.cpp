// Differences between a draw's digits: the adjacent differences one by one, their largest, the
// spread, repeated differences and runs of consecutive differences.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/Text.h"
#include "stats/DigitValues.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

using TDiffs = std::array<int, kPositions - 1>;

// |d2 - d1|, |d3 - d2|, |d4 - d3|.
TDiffs AdjacentDiffs(const TDigits& d) {
    return {std::abs(d[1] - d[0]), std::abs(d[2] - d[1]), std::abs(d[3] - d[2])};
}

struct TDiffGroup {
    int Diff;
    int Multiplicity;
};
// The distinct adjacent differences in order of first appearance, each with how many of the three
// have it.
int DiffGroups(const TDigits& d, std::array<TDiffGroup, 3>& groups) {
    int n = 0;
    for (int x : AdjacentDiffs(d)) {
        auto* g = std::find_if(groups.begin(), groups.begin() + n,
                               [x](const TDiffGroup& e) { return e.Diff == x; });
        if (g != groups.begin() + n)
            ++g->Multiplicity;
        else
            groups[size_t(n++)] = {x, 1};
    }
    return n;
}

class TstDiffTotal final : public TDigitsStat<TCustomNumbersStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr std::string_view kClassName = "TstDiffTotal";
    static constexpr std::string_view kCodeFormat = "DIFA";
    static constexpr std::string_view kNameFormat = "Все разности между соседними позициями";
    static constexpr uint8_t kGroup = 2;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, 9);
    }
    // Only the first difference measures periods; the others still move the row's last draw.
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        const TDiffs diffs = AdjacentDiffs(d);
        for (size_t k = 0; k < diffs.size(); ++k) out.Add(TStatKey::FromA(diffs[k]), k == 0);
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

// One number per draw out of the adjacent differences, listed 1..last.
template <int Last> class TDiffNumberStat : public TDigitsGraphStat<TCustomGraphStat> {
public:
    using TDigitsGraphStat::TDigitsGraphStat;
    static constexpr uint8_t kGroup = 2;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, Last);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(TStatKey::FromA(Number(d)));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }

protected:
    virtual int Number(const TDigits& d) const = 0;
};

class TstDiffMax final : public TDiffNumberStat<9> {
public:
    using TDiffNumberStat::TDiffNumberStat;
    static constexpr std::string_view kClassName = "TstDiffMax";
    static constexpr std::string_view kCodeFormat = "DIFM";
    static constexpr std::string_view kNameFormat = "Максимальная разность между соседними позициями";
    static constexpr uint8_t kFlags = kFlagS | kFlagN;

protected:
    int Number(const TDigits& d) const override {
        const TDiffs diffs = AdjacentDiffs(d);
        return *std::max_element(diffs.begin(), diffs.end());
    }
};

class TstMinMaxDiffs final : public TDiffNumberStat<9> {
public:
    using TDiffNumberStat::TDiffNumberStat;
    static constexpr std::string_view kClassName = "TstMinMaxDiffs";
    static constexpr std::string_view kCodeFormat = "DIFD";
    static constexpr std::string_view kNameFormat = "Разность между минимальным и максимальным числом";
    static constexpr uint8_t kFlags = kFlagN;

protected:
    // The smallest starts at 9 and the largest at 0, as the draws' digits are never outside them.
    int Number(const TDigits& d) const override {
        int lo = 9, hi = 0;
        for (uint8_t x : d) {
            lo = std::min<int>(lo, x);
            hi = std::max<int>(hi, x);
        }
        return hi - lo;
    }
};

class TstDiffSameCnt final : public TDiffNumberStat<3> {
public:
    using TDiffNumberStat::TDiffNumberStat;
    static constexpr std::string_view kClassName = "TstDiffSameCnt";
    static constexpr std::string_view kCodeFormat = "DIFK";
    static constexpr std::string_view kNameFormat =
        "Количество одинаковых разностей между соседними позициями";
    static constexpr uint8_t kFlags = kFlagS | kFlagN;

protected:
    int Number(const TDigits& d) const override {
        std::array<TDiffGroup, 3> groups{};
        const int n = DiffGroups(d, groups);
        int most = 0;
        for (int g = 0; g < n; ++g) most = std::max(most, groups[size_t(g)].Multiplicity);
        return most;
    }
};

// (difference, multiplicity) pairs, shown "1 x 2".
class TstDiffSame final : public TDigitsStat<TCustomStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr std::string_view kClassName = "TstDiffSame";
    static constexpr std::string_view kCodeFormat = "DIFO";
    static constexpr std::string_view kNameFormat = "Одинаковые разности между соседними позициями";
    static constexpr uint8_t kGroup = 2;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;
    static constexpr bool kCanParseValue = false;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        std::array<TDiffGroup, 3> groups{};
        const int n = DiffGroups(d, groups);
        for (int g = 0; g < n; ++g)
            out.Add(TStatKey::FromParts(groups[size_t(g)].Diff, groups[size_t(g)].Multiplicity));
    }
    std::string ValueText(const TStatDraw& row) const override {
        return IntToStr(row.Key.K1()) + " x " + IntToStr(row.Key.K2());
    }
};

// Runs of Size consecutive adjacent differences, shown joined by ":". Only the first run of a
// draw measures periods.
template <int Size> class TCombDiffSeqStat : public TDigitsStat<TCustomStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr uint8_t kGroup = 2;
    static constexpr uint8_t kFlags = kFlagS;
    static constexpr bool kCanParseValue = false;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        const TDiffs diffs = AdjacentDiffs(d);
        for (int first = 0; first + Size <= int(diffs.size()); ++first) {
            TStatKey key;
            for (int k = 0; k < Size; ++k) key.SetK(k + 1, diffs[size_t(first + k)]);
            out.Add(key, first == 0);
        }
    }
    std::string ValueText(const TStatDraw& row) const override {
        std::string s = IntToStr(row.Key.K1());
        for (int k = 2; k <= Size; ++k) s += ":" + IntToStr(row.Key.K(k));
        return s;
    }
};

class TstCombDiffSeq2 final : public TCombDiffSeqStat<2> {
public:
    using TCombDiffSeqStat::TCombDiffSeqStat;
    static constexpr std::string_view kClassName = "TstCombDiffSeq2";
    static constexpr std::string_view kCodeFormat = "KDS2";
    static constexpr std::string_view kNameFormat = "Сочетания из 2 разностей между числами";
};

class TstCombDiffSeq3 final : public TCombDiffSeqStat<3> {
public:
    using TCombDiffSeqStat::TCombDiffSeqStat;
    static constexpr std::string_view kClassName = "TstCombDiffSeq3";
    static constexpr std::string_view kCodeFormat = "KDS3";
    static constexpr std::string_view kNameFormat = "Сочетания из 3 разностей между числами";
};

// Four differences do not exist between four digits: never registered.
class TstCombDiffSeq4 final : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr std::string_view kClassName = "TstCombDiffSeq4";
    static constexpr std::string_view kCodeFormat = "KDS4";
    static constexpr std::string_view kNameFormat = "Сочетания из 4 разностей между числами";
    static constexpr uint8_t kGroup = 2;
    static constexpr uint8_t kFlags = kFlagS;
    static constexpr bool kAvailable = false;
    static constexpr bool kCanParseValue = false;

    bool Matches(TCombCode, TSelectedRows, bool, bool, int) override { return false; }
};

} // namespace

std::vector<const TStatClass*> DiffClasses() {
    return {&StatClassOf<TstDiffTotal>(),    &StatClassOf<TstDiffMax>(),     &StatClassOf<TstMinMaxDiffs>(),
            &StatClassOf<TstDiffSame>(),     &StatClassOf<TstDiffSameCnt>(), &StatClassOf<TstCombDiffSeq2>(),
            &StatClassOf<TstCombDiffSeq3>(), &StatClassOf<TstCombDiffSeq4>()};
}

} // namespace qx
