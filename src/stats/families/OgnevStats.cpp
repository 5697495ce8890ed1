// Ognev numbers: a draw condensed into one number by repeated differences of neighbours, and the
// dynamic variant that turns the current draw's number into candidate digits for the next draw.
#include "stats/families/Ognev.h"

#include <cstdlib>

#include "core/Text.h"
#include "stats/DigitFilter.h"
#include "stats/OwnPasses.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"

namespace qx {

TOgnevNumber Ognev(const TDigits& digits, int mode) {
    std::array<int, kPositions> x{};
    for (int p = 0; p < kPositions; ++p) x[size_t(p)] = digits[size_t(p)];
    for (int n = kPositions; n >= 3; --n)
        for (int k = 0; k + 1 < n; ++k) x[size_t(k)] = std::abs(x[size_t(k + 1)] - x[size_t(k)]);
    const int sum = x[0] + x[1];
    int v = std::abs(x[1] - x[0]);
    if (mode == 1 && v < 2) v = sum;
    if (mode == 2) {
        if (v == 0) v = sum;
        if (v == 1) return {2, {1, sum}};
    }
    return {1, {v, 0}};
}

namespace {

class TCustomOgnevGraphStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    static constexpr std::string_view kCodeFormat = "HCO%d";
    static constexpr uint8_t kGroup = 11;
};

template <int Mode> class TOgnevGraphStat : public TDigitsGraphStat<TCustomOgnevGraphStat> {
public:
    using TDigitsGraphStat::TDigitsGraphStat;
    static constexpr int kSize = Mode + 1;
    static constexpr uint8_t kFlags = kFlagS | kFlagN;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        out.Add(TStatKey::FromA(Ognev(d, Mode).Values[0]));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

class TstOgnev1 final : public TOgnevGraphStat<0> {
public:
    using TOgnevGraphStat::TOgnevGraphStat;
    static constexpr std::string_view kClassName = "TstOgnev1";
    static constexpr std::string_view kNameFormat = "Число Огнева 1 (только разность)";
};

class TstOgnev2 final : public TOgnevGraphStat<1> {
public:
    using TOgnevGraphStat::TOgnevGraphStat;
    static constexpr std::string_view kClassName = "TstOgnev2";
    static constexpr std::string_view kNameFormat = "Число Огнева 2 (разность + сложение, если {0,1})";
};

// Only the current draw contributes (the draw carrying the current draw's number): its number
// and the digits that follow from it, each counted when the next draw in the archive holds it.
class TstOgnev3 final : public TCustomStat, public TOwnCodeFilter {
public:
    using TCustomStat::TCustomStat;
    static constexpr std::string_view kClassName = "TstOgnev3";
    static constexpr std::string_view kCodeFormat = "HCO%d";
    static constexpr std::string_view kNameFormat = "Числа Огнева 3 (динамический, только фильтр)";
    static constexpr int kSize = 3;
    static constexpr uint8_t kGroup = 11;
    static constexpr uint8_t kFlags = kFlagS | kFlagD;
    static constexpr bool kCanParseValue = false;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        if (Draw.Number != RefDraw.Number) return;
        const TOgnevNumber number = Ognev(DrawDigits(Draw, false), 2);
        const int e = number.Count == 2 ? number.Values[1] : number.Values[0];
        Hit.Key = number.Count == 2 ? TStatKey::FromParts(e, 1, 0, 2) : TStatKey::FromParts(e);
        const TDrawRecord next = DrawAt(L + 1, false);
        auto counted = [&next](int v) {
            for (uint8_t d : next.Digits)
                if (d == v) return 1;
            return 0;
        };
        Hit.Count = counted(e);
        rows.AddHit(Hit, false);
        for (int f = e * e > 8 ? e * e : e * e * e; f > e; f -= e) {
            if (f > 9) continue;
            Hit.Key = TStatKey::FromParts(f);
            Hit.Count = counted(f);
            rows.AddHit(Hit, false);
        }
    }
    // Only draws carrying the current draw's number produce anything, so the others are skipped
    // without being prepared.
    int32_t FindNext(const TStatDraw& row, int from, bool sorted, int L) override {
        const int32_t current = DrawAt(L, false).Number;
        TStatRows produced;
        TLastValueArray lastValues;
        TRunState runState{};
        const int high = static_cast<int>(Draws.size()) - 1;
        for (int idx = from; idx <= high; ++idx) {
            if (DrawAt(idx, false).Number != current) continue;
            produced.Clear();
            AddDraw(idx, L, lastValues, runState, produced, sorted);
            if (const int r = produced.Find(row.Key); r >= 0) return produced[r].LastDraw;
        }
        return -1;
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool, bool, int) override {
        return AnyDigitSelected(code, selected);
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }
    void MatchTable(TSelectedRows selected, bool, bool, int, uint8_t* pass) override { MatchAnyDigit(selected, pass); }
    std::string ValueText(const TStatDraw& row) const override {
        std::string text = IntToStr(row.Key.K1());
        if (row.Key.K4() == 2) text += " (" + IntToStr(row.Key.K2()) + ")";
        return text;
    }
};

} // namespace

std::vector<const TStatClass*> OgnevClasses() {
    return {&StatClassOf<TstOgnev1>(), &StatClassOf<TstOgnev2>(), &StatClassOf<TstOgnev3>()};
}

} // namespace qx
