// Sums of a draw's digits: the total, whether it lies in a range, sums of even or prime digits,
// and pairs of digits adding up to a third.
#include "core/Text.h"
#include "stats/DigitValues.h"
#include "stats/KeyTests.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

// The smallest and largest sums of four different digits: 0+1+2+3 and 9+8+7+6.
constexpr int kListedSumLow = 6;
constexpr int kListedSumHigh = 30;

constexpr bool IsEvenDigit(int d) {
    return d % 2 == 0;
}
// 1 counts as prime here, as for the prime digit counts.
constexpr bool IsPrimeDigit(int d) {
    return d == 1 || d == 2 || d == 3 || d == 5 || d == 7;
}

int SumOf(const TDigits& d) {
    return d[0] + d[1] + d[2] + d[3];
}

// One sum per draw, matched on the whole key (KeyB is always 0).
class TSumStat : public TDigitsGraphStat<TCustomGraphStat> {
public:
    using TDigitsGraphStat::TDigitsGraphStat;
    static constexpr uint8_t kGroup = 1;
    static constexpr uint8_t kFlags = kFlagN;
};

class TstSumValues final : public TSumStat {
public:
    using TSumStat::TSumStat;
    static constexpr std::string_view kClassName = "TstSumValues";
    static constexpr std::string_view kCodeFormat = "SUMS";
    static constexpr std::string_view kNameFormat = "Сумма тиража: все значения";

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, kListedSumLow, kListedSumHigh);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(TStatKey::FromA(SumOf(d)));
    }
};

struct TSumRange {
    int Low, High; // inclusive
    int Part, Of;  // the fraction in the name
};
constexpr TSumRange kSumRanges[] = {{9, 27, 1, 3}, {11, 25, 1, 2}, {13, 23, 2, 3}};

// 1 when the sum lies in the variant's range, else 0 ("Остальные").
class TstSumRanges final : public TSumStat {
public:
    using TSumStat::TSumStat;
    static constexpr std::string_view kClassName = "TstSumRanges";
    static constexpr std::string_view kCodeFormat = "SUM%d";
    static constexpr std::string_view kNameFormat = "Сумма тиража: диапазон %d (%d/%d)";
    static constexpr bool kCanParseValue = false;
    static constexpr bool kHasParams = true;
    static TParamRange ParamRange(const TConfigData&) { return {1, 3}; }
    static std::string FormatName(int32_t variant) {
        const TSumRange r = RangeOf(variant);
        return FormatText(kNameFormat, {IntToStr(variant), IntToStr(r.Part), IntToStr(r.Of)});
    }

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 0, 1);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        const int s = SumOf(d);
        const TSumRange r = RangeOf(Param);
        out.Add(TStatKey::FromA(s >= r.Low && s <= r.High ? 1 : 0));
    }
    // With the in-range row among the selected, in-range sums match; without it, the others do.
    // Selecting both rows therefore keeps the in-range sums only.
    bool ValueMatches(TStatKey value, TSelectedRows selected) const override {
        return (value.KeyA() == 1) == SelectedHasKeyPart(selected, 1, 1);
    }
    bool MatchesByPart() const override { return false; }
    std::string ValueText(const TStatDraw& row) const override {
        if (row.Key.KeyA() == 0) return "Остальные";
        const TSumRange r = RangeOf(Param);
        return IntToStr(r.Low) + "-" + IntToStr(r.High);
    }

private:
    static TSumRange RangeOf(int32_t variant) {
        return kSumRanges[variant >= 1 && variant <= 3 ? variant - 1 : 0];
    }
};

// The sum of the digits of one class (a digit drawn twice counts twice).
template <bool (*InClass)(int)> class TSumOfClassStat : public TSumStat {
public:
    using TSumStat::TSumStat;
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        int s = 0;
        for (uint8_t x : d)
            if (InClass(x)) s += x;
        out.Add(TStatKey::FromA(s));
    }
};

class TstSumEvenValues final : public TSumOfClassStat<IsEvenDigit> {
public:
    using TSumOfClassStat::TSumOfClassStat;
    static constexpr std::string_view kClassName = "TstSumEvenValues";
    static constexpr std::string_view kCodeFormat = "SUME";
    static constexpr std::string_view kNameFormat = "Сумма тиража: только четные";
};

class TstSumPrimeValues final : public TSumOfClassStat<IsPrimeDigit> {
public:
    using TSumOfClassStat::TSumOfClassStat;
    static constexpr std::string_view kClassName = "TstSumPrimeValues";
    static constexpr std::string_view kCodeFormat = "SUMP";
    static constexpr std::string_view kNameFormat = "Сумма тиража: только простые";
};

// How many (position i, pair j < k of the other positions) have dj + dk = di: 0..12.
class TstSum2To3 final : public TSumStat {
public:
    using TSumStat::TSumStat;
    static constexpr std::string_view kClassName = "TstSum2To3";
    static constexpr std::string_view kCodeFormat = "S2T3";
    static constexpr std::string_view kNameFormat = "Сумма двух чисел тиража равна третьему числу";

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        int n = 0;
        for (int i = 0; i < kPositions; ++i)
            for (int j = 0; j < kPositions; ++j)
                for (int k = j + 1; k < kPositions; ++k)
                    n += j != i && k != i && d[size_t(j)] + d[size_t(k)] == d[size_t(i)];
        out.Add(TStatKey::FromA(n));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

} // namespace

std::vector<const TStatClass*> SumClasses() {
    return {&StatClassOf<TstSumValues>(), &StatClassOf<TstSumRanges>(), &StatClassOf<TstSumEvenValues>(),
            &StatClassOf<TstSumPrimeValues>(), &StatClassOf<TstSum2To3>()};
}

} // namespace qx
