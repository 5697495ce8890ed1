// The digits of a draw as values: every digit, every decimal character, the digit at a position.
#include "core/Text.h"
#include "stats/DigitValues.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {
namespace {

class TstValues final : public TDigitsStat<TCustomValuesStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr std::string_view kClassName = "TstValues";
    static constexpr std::string_view kCodeFormat = "NUMS";
    static constexpr std::string_view kNameFormat = "Числа тиража";
    static constexpr uint8_t kGroup = 0;
    static constexpr uint8_t kFlags = kFlagN;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 0, 9);
    }
    // One hit per position, so a digit drawn twice counts twice.
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        for (uint8_t x : d) out.Add(TStatKey::FromA(x));
    }
};

class TstDigits final : public TDigitsStat<TCustomNumbersStat> {
public:
    using TDigitsStat::TDigitsStat;
    static constexpr std::string_view kClassName = "TstDigits";
    static constexpr std::string_view kCodeFormat = "DIGS";
    static constexpr std::string_view kNameFormat = "Цифры тиража";
    static constexpr uint8_t kGroup = 0;
    static constexpr uint8_t kFlags = kFlagN;

    // Each decimal character of each number (for digits 0..9 the digit itself).
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        for (uint8_t x : d)
            for (char c : IntToStr(x)) out.Add(TStatKey::FromA(c - '0'));
    }
};

class TstPosVal final : public TDigitsGraphStat<TCustomGraphStat> {
public:
    using TDigitsGraphStat::TDigitsGraphStat;
    static constexpr std::string_view kClassName = "TstPosVal";
    static constexpr std::string_view kCodeFormat = "POS%d";
    static constexpr std::string_view kNameFormat = "Число в %0:d позиции тиража";
    static constexpr std::string_view kHelpCodeFormat = "POSx";
    static constexpr uint8_t kGroup = 0;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;
    static constexpr bool kHasParams = true;
    static TParamRange ParamRange(const TConfigData&) { return {1, kPositions}; }

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        ListValues(rows, 0, 9);
    }
    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        if (Param >= 1 && Param <= kPositions) out.Add(TStatKey::FromA(d[size_t(Param - 1)]));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

// An extra number after the four digits, for games that draw one. This game has none, so the
// empty variant range registers nothing.
class TstPosExt final : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr std::string_view kClassName = "TstPosExt";
    static constexpr std::string_view kCodeFormat = "POE%d";
    static constexpr std::string_view kNameFormat = "Extra (Bonus, Star...) - число (!без фильтра!)";
    static constexpr std::string_view kHelpCodeFormat = "POSx";
    static constexpr uint8_t kGroup = 0;
    static constexpr uint8_t kFlags = 0;
    static constexpr bool kHasParams = true;
    static TParamRange ParamRange(const TConfigData&) { return {1, 0}; }

    bool Matches(TCombCode, TSelectedRows, bool, bool, int) override { return false; }
    int32_t CombValue(TCombCode, int drawIndex, bool sorted, int L) override {
        Prepare(drawIndex, L, sorted);
        return 0;
    }
};

} // namespace

std::vector<const TStatClass*> DigitValueClasses() {
    return {&StatClassOf<TstValues>(), &StatClassOf<TstDigits>(), &StatClassOf<TstPosVal>(),
            &StatClassOf<TstPosExt>()};
}

} // namespace qx
