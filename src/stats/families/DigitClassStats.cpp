// Digits by class: how many are even (small, prime) and the pattern of the class by position.
#include "stats/DigitValues.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

constexpr bool IsEven(int d) { return d == 0 || d == 2 || d == 4 || d == 6 || d == 8; }
constexpr bool IsOdd(int d) { return !IsEven(d); }
constexpr bool IsSmall(int d) { return d <= 4; }
constexpr bool IsLarge(int d) { return !IsSmall(d); }
// 1 counts as prime here.
constexpr bool IsPrime(int d) { return d == 1 || d == 2 || d == 3 || d == 5 || d == 7; }

// Number of the four digits in the class (a digit drawn twice counts twice), shown n:(4 - n).
template <bool (*InClass)(int)>
class TDigitCountStat : public TDigitsGraphStat<TCustomRatioStat> {
public:
    using TDigitsGraphStat::TDigitsGraphStat;
    static constexpr uint8_t kGroup = 0;
    static constexpr uint8_t kFlags = kFlagN;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 1, 4);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        int n = 0;
        for (uint8_t x : d) n += InClass(x);
        out.Add(TStatKey::FromA(n));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

// Position 1 ends in bit 3, position 4 in bit 0; a bit is set for a digit of the "set" class.
template <bool (*SetClass)(int)>
class TDigitPatternStat : public TDigitsStat<TCustomMaskStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr uint8_t kGroup = 0;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        int pattern = 0;
        for (uint8_t x : d) pattern = pattern << 1 | (SetClass(x) ? 1 : 0);
        out.Add(TStatKey::FromA(pattern));
    }
    TKeyPart MatchPart() const override { return TKeyPart::KeyA; }
};

class TstEvenCount final : public TDigitCountStat<IsEven> {
public:
    using TDigitCountStat::TDigitCountStat;
    static constexpr std::string_view kClassName = "TstEvenCount";
    static constexpr std::string_view kCodeFormat = "EVEN";
    static constexpr std::string_view kNameFormat = "Количество четных чисел в тираже (Ч:Н)";
};

class TstSmallCount final : public TDigitCountStat<IsSmall> {
public:
    using TDigitCountStat::TDigitCountStat;
    static constexpr std::string_view kClassName = "TstSmallCount";
    static constexpr std::string_view kCodeFormat = "SMAL";
    static constexpr std::string_view kNameFormat = "Количество чисел из первой половины диапазона (1П:2П)";
};

class TstPrimeCount final : public TDigitCountStat<IsPrime> {
public:
    using TDigitCountStat::TDigitCountStat;
    static constexpr std::string_view kClassName = "TstPrimeCount";
    static constexpr std::string_view kCodeFormat = "PRIM";
    static constexpr std::string_view kNameFormat = "Количество простых чисел (П:С)";
};

class TstEvenValues final : public TDigitPatternStat<IsOdd> {
public:
    using TDigitPatternStat::TDigitPatternStat;
    static constexpr std::string_view kClassName = "TstEvenValues";
    static constexpr std::string_view kCodeFormat = "EVNV";
    static constexpr std::string_view kNameFormat = "Четные и нечетные числа в тираже (Чн..нЧ)";
    std::string_view ZeroLetter() const override { return "Ч"; }
    std::string_view OneLetter() const override { return "н"; }
};

class TstSmallValues final : public TDigitPatternStat<IsLarge> {
public:
    using TDigitPatternStat::TDigitPatternStat;
    static constexpr std::string_view kClassName = "TstSmallValues";
    static constexpr std::string_view kCodeFormat = "SMLV";
    static constexpr std::string_view kNameFormat = "Числа из первой половины диапазона (12..12)";
    std::string_view ZeroLetter() const override { return "1"; }
    std::string_view OneLetter() const override { return "2"; }
    // Only the patterns that occurred get rows.
    void InitValues(int, TStatSink&) override {}
};

class TstPrimeValues final : public TDigitPatternStat<IsPrime> {
public:
    using TDigitPatternStat::TDigitPatternStat;
    static constexpr std::string_view kClassName = "TstPrimeValues";
    static constexpr std::string_view kCodeFormat = "PRMV";
    static constexpr std::string_view kNameFormat = "Простые и составные числа (ПС..СП)";
    std::string_view ZeroLetter() const override { return "С"; }
    std::string_view OneLetter() const override { return "П"; }
};

} // namespace

std::vector<const TStatClass*> DigitClassClasses() {
    return {&StatClassOf<TstEvenCount>(),  &StatClassOf<TstEvenValues>(), &StatClassOf<TstSmallCount>(),
            &StatClassOf<TstSmallValues>(), &StatClassOf<TstPrimeCount>(), &StatClassOf<TstPrimeValues>()};
}

} // namespace qx
