// Periods: the gap in draw numbers between two consecutive occurrences of a digit, channel or
// segment within the window.
#include <algorithm>

#include "stats/GroupBases.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"
#include "stats/families/ValueScale.h"

namespace qx {
namespace {

template <TScaleKind Kind>
class TCustomPeriodsStat : public TCustomStat, public TPositionFilter {
public:
    TCustomPeriodsStat(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : TCustomStat(cls, env, param), Scale(Kind, ConfigOf(env)) {}
    static constexpr uint8_t kGroup = 9;
    static constexpr uint8_t kFlags = kFlagP;
    static constexpr bool kCanParseValue = false;

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        for (int p = 0; p < kPositions; ++p) {
            const int e = Scale.Of(p, Draw.Digits[p]);
            const TStatKey key = TStatKey::FromA(e);
            auto last = std::find_if(lastValues.begin(), lastValues.end(),
                                     [key](const TLastValue& v) { return v.Key == key; });
            if (last == lastValues.end()) {
                lastValues.push_back({Draw.Number, key});
                continue;
            }
            const int gap = Draw.Number - last->LastDraw;
            last->LastDraw = Draw.Number;
            if (gap <= 0) continue;
            Hit.Key = TStatKey::FromParts(e, gap);
            rows.AddHit(Hit, true);
        }
    }
    // A search starts every draw with an empty last-value list: a draw alone gives no gap (a value
    // it holds twice gives 0), so no row ever occurs again.
    int32_t FindNext(const TStatDraw&, int, bool, int) override { return -1; }

    bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool, int L) override {
        return AnyPositionAccepts(code, selected, exclude, L);
    }
    // A row (e, g) accepts e when the draw g - 1 draws before the current one holds e again (or,
    // excluding, does not). Gaps count draw numbers, so that index may lie outside the archive:
    // it then reads as the all-zero draw.
    bool AcceptsAt(int position, uint8_t digit, TSelectedRows selected, bool exclude, int L) override {
        const int e = Scale.Of(position, digit);
        for (const TStatDraw& row : selected) {
            if (row.Key.K1() != e) continue;
            const TDrawRecord back = DrawAt(L - row.Key.K2() + 1, false);
            if (Scale.Holds(back, e) != exclude) return true;
        }
        return false;
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    std::string ValueText(const TStatDraw& row) const override {
        return Scale.Text(row.Key.K1()) + " x " + IntToStr(row.Key.K2());
    }

    TValueScale Scale;
};

class TstNumPeriods final : public TCustomPeriodsStat<TScaleKind::Digits> {
public:
    using TCustomPeriodsStat::TCustomPeriodsStat;
    static constexpr std::string_view kClassName = "TstNumPeriods";
    static constexpr std::string_view kCodeFormat = "PRDV";
    static constexpr std::string_view kNameFormat = "Периоды повторения чисел";
};
class TstChnPeriods final : public TCustomPeriodsStat<TScaleKind::Channels> {
public:
    using TCustomPeriodsStat::TCustomPeriodsStat;
    static constexpr std::string_view kClassName = "TstChnPeriods";
    static constexpr std::string_view kCodeFormat = "PRDC";
    static constexpr std::string_view kNameFormat = "Периоды повторения каналов";
};
class TstSgmPeriods final : public TCustomPeriodsStat<TScaleKind::Segments> {
public:
    using TCustomPeriodsStat::TCustomPeriodsStat;
    static constexpr std::string_view kClassName = "TstSgmPeriods";
    static constexpr std::string_view kCodeFormat = "PRDG";
    static constexpr std::string_view kNameFormat = "Периоды повторения сегментов";
};

} // namespace

std::vector<const TStatClass*> PeriodClasses() {
    return {&StatClassOf<TstNumPeriods>(), &StatClassOf<TstChnPeriods>(), &StatClassOf<TstSgmPeriods>()};
}

} // namespace qx
