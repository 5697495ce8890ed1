// Periods: the gap in draw numbers between two consecutive occurrences of a digit, channel or
// segment within the window.
#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "stats/GroupBases.h"
#include "stats/StatClassOf.h"
#include "stats/families/ArchiveData.h"
#include "stats/families/Families.h"
#include "stats/families/ValueScale.h"

namespace qx {
namespace {

// The period hits of the whole archive, read with or without sorted digits: each draw's hit
// (e, gap) for every value e it holds that some earlier draw held too, as ids. A window's hits
// are these but for the first draw of the window holding each value: its previous one lies
// before the window, so it gives none there.
struct TPeriodArchive {
    struct TOccurrence {
        int32_t Draw;
        uint32_t Id;  // the hit the draw gives; TOwnWindowPass::kNoHit for none
    };
    std::vector<TStatKey> Keys;  // of every id
    std::array<std::vector<TOccurrence>, 256> Occurrences;  // of every value, oldest first
};

// The archive's period hits worked out draw by draw, oldest first, as AddDraw gives them over a
// window holding every draw: a value held twice in a draw gives one hit, a gap of 0 or less none.
class TPeriodHits {
public:
    explicit TPeriodHits(size_t draws) : FHits(draws), FHitCount(draws, 0) { FLastIndex.fill(-1); }

    // Value e at some position of draw i (numbered number).
    void Add(int i, int e, int32_t number) {
        if (FLastIndex[size_t(e)] == i) return;
        uint32_t id = TOwnWindowPass::kNoHit;
        // The gap as AddDraw's int subtraction gives it, wrapping included.
        const int32_t gap = int32_t(uint32_t(number) - uint32_t(FLastNumber[size_t(e)]));
        if (FLastIndex[size_t(e)] >= 0 && gap > 0) {
            id = IdOf(TStatKey::FromParts(e, gap));
            FHits[size_t(i)][FHitCount[size_t(i)]++] = id | TOwnWindowPass::kPeriodsBit;
        }
        FLastIndex[size_t(e)] = i;
        FLastNumber[size_t(e)] = number;
        FArchive.Occurrences[size_t(e)].push_back({i, id});
    }
    // The index of the hits, carrying the archive's keys and occurrences. Numbering that jumps
    // about gives gaps of every size: past kMaxIds keys the index would cost more memory than the
    // merge of a window costs time, and the index carries no data (tables then merge their draws).
    static constexpr size_t kMaxIds = 4096;
    std::shared_ptr<const TOccurrenceIndex> Index(const TDrawsArray& draws) {
        if (FArchive.Keys.size() > kMaxIds) return TOccurrenceIndex::Build(0, draws, [](int, uint32_t*) { return 0; });
        auto index = TOccurrenceIndex::Build(static_cast<int>(FArchive.Keys.size()), draws, [this](int i, uint32_t* ids) {
            std::copy_n(FHits[size_t(i)].begin(), FHitCount[size_t(i)], ids);
            return int(FHitCount[size_t(i)]);
        });
        return IndexWithData(std::move(index), std::move(FArchive));
    }

private:
    // Ids in order of first hit.
    uint32_t IdOf(TStatKey key) {
        const auto [at, added] = FIdOfKey.try_emplace(key.Raw(), uint32_t(FArchive.Keys.size()));
        if (added) FArchive.Keys.push_back(key);
        return at->second;
    }

    TPeriodArchive FArchive;
    std::unordered_map<uint64_t, uint32_t> FIdOfKey;
    std::vector<std::array<uint32_t, kPositions>> FHits;  // of each draw
    std::vector<uint8_t> FHitCount;
    std::array<int, 256> FLastIndex;  // each value's newest draw so far, -1 none
    std::array<int32_t, 256> FLastNumber{};
};

template <TScaleKind Kind>
class TCustomPeriodsStat : public TCustomStat, public TPositionFilter, public TOwnWindowPass {
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

    // Tables read the window off the archive's period hits; without them AddDraw merges the draws.
    TOwnWindowPass* OwnWindowPass() override { return this; }
    bool BeginPass(int, int, int, bool) override { return false; }
    int ValueCount() const override { return FArchive ? static_cast<int>(FArchive->Keys.size()) : 0; }
    TStatKey ValueKey(uint32_t id) const override { return FArchive->Keys[id]; }
    int DrawHits(int, uint32_t*) const override { return 0; }
    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        FIndex = CachedWithData(Occurrences(), Draws, sorted, start, [&] { return BuildArchive(sorted); }, FArchive);
        // Against fewer draws than ids merging the draws costs less.
        if (!FIndex || FArchive->Keys.size() > size_t(L - start + 1)) return false;
        const std::vector<int> from = WindowStarts(start, L);
        out.clear();
        TValueSummary s;
        for (uint32_t id = 0; id < FArchive->Keys.size(); ++id)
            if (FIndex->Summary(id, from[id], L, s)) {
                s.NextIndex = -1;  // see FindNext: no row occurs again
                out.push_back(s);
            }
        SortByFirstHit(out);
        return true;
    }

    std::string ValueText(const TStatDraw& row) const override {
        return Scale.Text(row.Key.K1()) + " x " + IntToStr(row.Key.K2());
    }

    TValueScale Scale;

private:
    // Where each id's hits in the window start: at the window's first draw, but after the draw
    // that first holds the value there when that draw's hit has the id.
    std::vector<int> WindowStarts(int start, int L) const {
        std::vector<int> from(FArchive->Keys.size(), start);
        for (const auto& occurrences : FArchive->Occurrences) {
            const auto first = std::lower_bound(occurrences.begin(), occurrences.end(), start,
                                                [](const TPeriodArchive::TOccurrence& o, int i) { return o.Draw < i; });
            if (first != occurrences.end() && first->Draw <= L && first->Id != kNoHit) from[first->Id] = first->Draw + 1;
        }
        return from;
    }

    std::shared_ptr<const TOccurrenceIndex> BuildArchive(bool sorted) const {
        TPeriodHits hits(Draws.size());
        for (size_t i = 0; i < Draws.size(); ++i) {
            const TDrawRecord d = DrawAt(static_cast<int>(i), sorted);
            for (int p = 0; p < kPositions; ++p) hits.Add(static_cast<int>(i), Scale.Of(p, d.Digits[p]), d.Number);
        }
        return hits.Index(Draws);
    }

    std::shared_ptr<const TOccurrenceIndex> FIndex;  // the archive's, while a table reads it
    const TPeriodArchive* FArchive = nullptr;
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
