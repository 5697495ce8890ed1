// Serial groups and pauses: how many draws in a row a digit, channel or segment was present (or
// absent), counted where the run ends, for the values the current draw holds.
#include <map>

#include "stats/GroupBases.h"
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"
#include "stats/families/ValueScale.h"

namespace qx {
namespace {

template <TScaleKind Kind>
class TCustomSerialStat : public TCustomStat, public TPositionFilter {
public:
    TCustomSerialStat(const TStatClass& cls, const TStatEnv& env, int32_t param, bool groupsMode)
        : TCustomStat(cls, env, param), GroupsMode(groupsMode), Scale(Kind, ConfigOf(env)),
          FirstValue(Scale.First()), LastValue(std::min(Scale.Last(), kRunStateSize - 1)) {}
    static constexpr uint8_t kGroup = 8;
    static constexpr uint8_t kFlags = kFlagD;
    static constexpr bool kCanParseValue = false;

    void InitValues(int L, TStatSink& rows) override {
        TCustomStat::InitValues(L, rows);
        FFacts.clear();
    }

    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override {
        TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
        for (int v = FirstValue; v <= LastValue; ++v) {
            TRunEntry& run = runState[size_t(v)];
            if (Scale.Holds(Draw, v) == GroupsMode) {
                ++run.RunLength;
                run.RunLastDraw = Draw.Number;
                run.RunDepth = L - i + 1;
                if (i == L && Scale.Holds(RefDraw, v)) AddRun(v, run, rows);
            } else {
                if (run.RunLength > 0 && Scale.Holds(RefDraw, v)) AddRun(v, run, rows);
                run = TRunEntry{};
            }
        }
    }

    // A row's fact replays the runs from the draw after its last draw. Rows that end in the same
    // draw share one replay: the first draw number found for every key is kept per start index.
    int32_t FindNext(const TStatDraw& row, int from, bool sorted, int L) override {
        auto [it, fresh] = FFacts.try_emplace(TFactsKey{from, L, sorted});
        if (fresh) Replay(from, sorted, L, it->second);
        const auto found = it->second.find(row.Key.Raw());
        return found == it->second.end() ? -1 : found->second;
    }

    bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool, int L) override {
        return AnyPositionAccepts(code, selected, exclude, L);
    }
    bool AcceptsAt(int position, uint8_t digit, TSelectedRows selected, bool, int) override {
        return SelectedHasK(selected, 1, int16_t(Scale.Of(position, digit)));
    }
    TOwnCodeFilter* OwnCodeFilter() override { return this; }

    // "5 x 3", channels "03 x 3".
    std::string ValueText(const TStatDraw& row) const override {
        return Scale.Text(row.Key.K1()) + " x " + IntToStr(row.Key.K2());
    }

    bool GroupsMode;
    TValueScale Scale;
    int FirstValue, LastValue;

private:
    void AddRun(int v, const TRunEntry& run, TStatSink& rows) {
        Hit.Key = TStatKey::FromParts(v, run.RunLength);
        Hit.LastDraw = Hit.PrevDraw = run.RunLastDraw;
        Hit.Depth = run.RunDepth;
        rows.AddHit(Hit, true);
    }

    // Collects the hits of each draw from `from` on, as FindNext's own search would see them.
    class TFirstNumbers final : public TStatSink {
    public:
        explicit TFirstNumbers(std::map<uint64_t, int32_t>& facts) : FFound(facts) {}
        void AddHit(const TStatDraw& hit, bool) override { FFound.try_emplace(hit.Key.Raw(), hit.LastDraw); }

    private:
        std::map<uint64_t, int32_t>& FFound;
    };
    void Replay(int from, bool sorted, int L, std::map<uint64_t, int32_t>& facts) {
        TRunState runState{};
        TLastValueArray lastValues;
        TFirstNumbers sink(facts);
        const TStatDraw saved = Hit;
        for (int idx = from; idx < static_cast<int>(Draws.size()); ++idx)
            AddDraw(idx, L, lastValues, runState, sink, sorted);
        Hit = saved;
    }

    struct TFactsKey {
        int From, L;
        bool Sorted;
        friend auto operator<=>(const TFactsKey&, const TFactsKey&) = default;
    };
    std::map<TFactsKey, std::map<uint64_t, int32_t>> FFacts;
};

// Runs of presence (groups) or of absence (pauses).
template <TScaleKind Kind, bool Groups>
class TSerialMember : public TCustomSerialStat<Kind> {
public:
    TSerialMember(const TStatClass& cls, const TStatEnv& env, int32_t param)
        : TCustomSerialStat<Kind>(cls, env, param, Groups) {}
};

class TstNumGroups final : public TSerialMember<TScaleKind::Digits, true> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstNumGroups";
    static constexpr std::string_view kCodeFormat = "GRPV";
    static constexpr std::string_view kNameFormat = "Повторы чисел в нескольких тиражах подряд";
};
class TstNumPauses final : public TSerialMember<TScaleKind::Digits, false> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstNumPauses";
    static constexpr std::string_view kCodeFormat = "GRPP";
    static constexpr std::string_view kNameFormat = "Интервалы между повторениями чисел";
};
class TstChnGroups final : public TSerialMember<TScaleKind::Channels, true> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstChnGroups";
    static constexpr std::string_view kCodeFormat = "GRCV";
    static constexpr std::string_view kNameFormat = "Повторы каналов в нескольких тиражах подряд";
};
class TstChnPauses final : public TSerialMember<TScaleKind::Channels, false> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstChnPauses";
    static constexpr std::string_view kCodeFormat = "GRCP";
    static constexpr std::string_view kNameFormat = "Интервалы между повторениями каналов";
};
class TstSgmGroups final : public TSerialMember<TScaleKind::Segments, true> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstSgmGroups";
    static constexpr std::string_view kCodeFormat = "GRSV";
    static constexpr std::string_view kNameFormat = "Повторы сегментов в нескольких тиражах подряд";
};
class TstSgmPauses final : public TSerialMember<TScaleKind::Segments, false> {
public:
    using TSerialMember::TSerialMember;
    static constexpr std::string_view kClassName = "TstSgmPauses";
    static constexpr std::string_view kCodeFormat = "GRSP";
    static constexpr std::string_view kNameFormat = "Интервалы между повторениями сегментов";
};

} // namespace

std::vector<const TStatClass*> SerialClasses() {
    return {&StatClassOf<TstNumGroups>(), &StatClassOf<TstNumPauses>(), &StatClassOf<TstChnGroups>(),
            &StatClassOf<TstChnPauses>(), &StatClassOf<TstSgmGroups>(), &StatClassOf<TstSgmPauses>()};
}

} // namespace qx
