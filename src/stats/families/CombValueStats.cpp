// Combination values: the pairs, triples and the quadruple of digits a draw holds, by all or
// adjacent positions, from a given position, or among the digits in ascending order.
#include <algorithm>

#include "stats/families/Families.h"
#include "stats/families/GroupMembers.h"

namespace qx {
namespace {

class TCustomCombValuesStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    static constexpr uint8_t kGroup = 0;
    static constexpr bool kCanParseValue = false;

    // A digit is its own group: the shared pair and triple members then combine digits.
    int GroupOf(int, uint8_t digit) const { return digit; }
};

// The digits joined by ":", as many as the key holds.
std::string JoinedDigits(TStatKey key, int size) {
    std::string text = IntToStr(key.K1());
    for (int part = 2; part <= size; ++part) text += ":" + IntToStr(key.K(part));
    return text;
}

TStatKey KeyOfDigits(const TDigits& d, int from, int size) {
    int k[kPositions] = {};
    for (int n = 0; n < size; ++n) k[n] = d[size_t(from + n)];
    return TStatKey::FromParts(k[0], k[1], k[2], k[3]);
}

// The Size digits from position Param on; variants 1 .. 5 - Size.
template <int Size> class TCombValPosStat : public TDigitsStat<TCustomCombValuesStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr uint8_t kFlags = kFlagS;
    static constexpr bool kHasParams = true;
    static TParamRange ParamRange(const TConfigData&) { return {1, kPositions + 1 - Size}; }

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(KeyOfDigits(d, std::clamp(Param, 1, kPositions + 1 - Size) - 1, Size));
    }
    std::string ValueText(const TStatDraw& row) const override { return JoinedDigits(row.Key, Size); }
};

class TstCombValPos2 final : public TCombValPosStat<2> {
public:
    using TCombValPosStat::TCombValPosStat;
    static constexpr std::string_view kClassName = "TstCombValPos2";
    static constexpr std::string_view kCodeFormat = "KNP2%d";
    static constexpr std::string_view kNameFormat = "Сочетания из 2-х чисел тиража начиная с %0:d позиции";
    static constexpr std::string_view kHelpCodeFormat = "KNP2";
};

class TstCombValPos3 final : public TCombValPosStat<3> {
public:
    using TCombValPosStat::TCombValPosStat;
    static constexpr std::string_view kClassName = "TstCombValPos3";
    static constexpr std::string_view kCodeFormat = "KNP3%d";
    static constexpr std::string_view kNameFormat = "Сочетания из 3-х чисел тиража начиная с %0:d позиции";
    static constexpr std::string_view kHelpCodeFormat = "KNP3";
};

class TstCombValPos4 final : public TCombValPosStat<4> {
public:
    using TCombValPosStat::TCombValPosStat;
    static constexpr std::string_view kClassName = "TstCombValPos4";
    static constexpr std::string_view kCodeFormat = "KNP4%d";
    static constexpr std::string_view kNameFormat = "Сочетания из 4-х чисел тиража начиная с %0:d позиции";
    static constexpr std::string_view kHelpCodeFormat = "KNP4";
};

// The digits in ascending order, then their adjacent pairs or triples; the sorted-draws flag
// plays no part.
template <int Size, TLiteral ClassName>
class TCombValSortStat final : public TDigitsStat<TCustomCombValuesStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr std::string_view kClassName = ClassName.View();
    static constexpr std::string_view kCodeFormat = "KNO%d";
    static constexpr std::string_view kNameFormat = "Сочетания из %0:d чисел тиража по возрастанию";
    static constexpr int kSize = Size;
    static constexpr uint8_t kFlags = 0;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        TDigits s = d;
        std::sort(s.begin(), s.end());
        for (int from = 0; from + Size <= kPositions; ++from) out.Add(KeyOfDigits(s, from, Size));
    }
    std::string ValueText(const TStatDraw& row) const override { return JoinedDigits(row.Key, Size); }
};

} // namespace

std::vector<const TStatClass*> CombValueClasses() {
    std::vector<const TStatClass*> classes =
        GroupCombClasses<TCustomCombValuesStat, &TCustomCombValuesStat::GroupOf, "TstCombVal", "KNM%d",
                         "Сочетания из %0:d чисел по всем числам тиража", "KNS%d",
                         "Сочетания из %0:d соседних чисел тиража">();
    for (const TStatClass* c :
         {&StatClassOf<TstCombValPos2>(), &StatClassOf<TstCombValPos3>(), &StatClassOf<TstCombValPos4>(),
          &StatClassOf<TCombValSortStat<2, "TstCombValSort2">>(), &StatClassOf<TCombValSortStat<3, "TstCombValSort3">>(),
          &StatClassOf<TUnavailableStat<TCustomCombValuesStat, "TstCombValSort4", "KNO4",
                                        "Сочетания из 4 чисел тиража по возрастанию">>()})
        classes.push_back(c);
    return classes;
}

} // namespace qx
