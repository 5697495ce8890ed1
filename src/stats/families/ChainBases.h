#pragma once
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/CustomStat.h"
#include "stats/GroupBases.h"
#include "stats/OwnPasses.h"
#include "stats/families/ValueScale.h"

namespace qx {

// The transitions one draw gives, in the order they are merged. A draw gives at most twenty
// (four previous digits, each to four same-channel digits and once more to 0).
struct TChainHits {
    static constexpr int kMax = 20;
    uint64_t Keys[kMax]; // raw keys, left unset beyond Count
    int Count = 0;
    void Add(TStatKey key) { Keys[Count++] = key.Raw(); }
};

// What the current draw (and the one before it) selects: the start a transition must have at each
// slot (a position of the member, numbered from its first), or, Anywhere, any of the starts at
// any slot.
struct TChainStarts {
    int Start[kPositions] = {};
    int Count = 0;
    bool Anywhere = false;
    bool Keeps(int slot, int start) const {
        if (!Anywhere) return Start[slot] == start;
        for (int k = 0; k < Count; ++k)
            if (Start[k] == start) return true;
        return false;
    }
};

// A chain member: the transitions into draw i that start from what the current draw L (and the
// draw before it) holds. They depend on nothing but a few draws around i and L, so a table's
// window and its facts come from one pass that numbers the transitions (every part 0..10).
class TCustomChainStat : public TCustomStat, public TOwnWindowPass {
public:
    TCustomChainStat(const TStatClass& cls, const TStatEnv& env, int32_t param, TScaleKind kind)
        : TCustomStat(cls, env, param), Scale(kind, ConfigOf(env)) {}
    static constexpr uint8_t kGroup = 10;
    static constexpr uint8_t kFlags = kFlagD;
    static constexpr bool kCanParseValue = false;

    // The transitions into draw i of the window ending at L.
    virtual void DrawChains(int i, int L, bool sorted, TChainHits& out) const = 0;

    void InitValues(int L, TStatSink& rows) override;
    void AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                 bool sorted) override;

    TOwnWindowPass* OwnWindowPass() override { return this; }
    bool BeginPass(int first, int last, int L, bool sorted) override;
    int ValueCount() const override { return kPart * kPart * kPart; }
    TStatKey ValueKey(uint32_t id) const override {
        return TStatKey::FromParts(int(id) / (kPart * kPart), int(id) / kPart % kPart, int(id) % kPart);
    }
    int DrawHits(int i, uint32_t* ids) const override;

    TValueScale Scale;

protected:
    static constexpr int kPart = 11; // parts 0..10: digits, channels of width 1, segments, counts

    // A start of two parts (three-draw chains); each part is a byte (digits above 9 are their own values).
    static int TwoParts(int a, int b) { return a << 8 | b; }
    static uint32_t IdOf(TStatKey key) { return uint32_t((key.K1() * kPart + key.K2()) * kPart + key.K3()); }
    // "4 -> 7" or "4-7 -> 2" (length 3); channels of channel chains as "04".
    std::string ChainText(const TStatDraw& row, int length, bool scaled) const;
    // The draw at index as DrawAt reads it; during a window pass from the copies the pass made.
    TDrawRecord Read(int index, bool sorted) const {
        if (index >= FCopyFrom && index < FCopyFrom + int(FCopies.size())) {
            if (!sorted) return Draws[size_t(index)];
            if (FSorted) return FCopies[size_t(index - FCopyFrom)];
        }
        return DrawAt(index, sorted);
    }
    // A draw exists when its number is at least 1.
    static bool Exists(const TDrawRecord& d) { return d.Number >= 1; }
    // True when the draw at index holds no digit above 9 (or lies before the archive).
    bool Indexable(int index) const;
    // The member's index over the whole archive of series ids hitsOf gives per draw, for windows
    // from start on (variant tells the member's indexes apart); none without the registry's cache
    // or when a draw holds a digit above 9.
    std::shared_ptr<const TOccurrenceIndex> ArchiveIndex(int seriesCount, bool sorted, int start, int variant,
                                                         const TOccurrenceIndex::THitsOfDraw& hitsOf);

private:
    int FL = 0;
    bool FSorted = false;
    // The draws the pass reads, digits sorted when the pass is (from FCopyFrom; none outside a pass).
    std::vector<TDrawRecord> FCopies;
    int FCopyFrom = 0;
};

static_assert(TChainHits::kMax <= TOwnWindowPass::kMaxHits);

// The transitions of a member split in what the draws around i give (Member::Transitions: each
// (slot, start, to) it keeps, in the order they merge) and what the current draw selects
// (Member::Starts). The first part depends on the archive alone, so the registry keeps it indexed:
// one index with a series per (slot, start, to), and, for slots the current draw gives one start
// (their hits make one row), one per such set of slots with a series per (start, to).
// Member::kLength is 2 (a start of one part) or 3 (two parts, as TwoParts packs them); the series
// number each part 0..Member::kParts - 1 (a draw with another part is not indexed).
template <class Member>
class TChainMember : public TCustomChainStat {
public:
    using TCustomChainStat::TCustomChainStat;

    void DrawChains(int i, int L, bool sorted, TChainHits& out) const final {
        const TChainStarts starts = Self().Starts(L, sorted);
        Self().Transitions(
            i, sorted, [&](int slot, int start) { return starts.Keeps(slot, start); },
            [&](int, int start, int to) { out.Add(RowKey(start, to)); });
    }

    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        const auto bySlot = SlotsIndex(0, sorted, start);
        if (!bySlot) return false;
        out.clear();
        for (const TGroup& group : Groups(Self().Starts(L, sorted))) {
            const bool single = std::has_single_bit(group.Slots);
            const auto index = single ? bySlot : SlotsIndex(group.Slots, sorted, start);
            if (!index) return false;
            const int slot = single ? std::countr_zero(group.Slots) : 0;
            TValueSummary summary;
            for (int to = 0; to < Parts(); ++to) {
                if (!index->Summary(SeriesOf(slot, group.Start, to), start, L, summary)) continue;
                // The order of first hits is the one of the index by slot.
                if (!single) summary.FirstOrder = FirstOrderOf(*bySlot, group, to, start, L);
                summary.Value = IdOf(RowKey(group.Start, to));
                out.push_back(summary);
            }
        }
        SortByFirstHit(out);
        return true;
    }

private:
    // The slots (a bit each) where the current draw selects one start; all starts of an Anywhere
    // member are slot 0's.
    struct TGroup {
        uint32_t Slots = 0;
        int Start = 0;
    };

    // How many values a part takes, and numbered starts there are (functions: Member is not complete
    // where the class is made).
    static constexpr int Parts() { return Member::kParts; }
    static constexpr int StartCount() { return Member::kLength == 2 ? Parts() : Parts() * Parts(); }

    const Member& Self() const { return static_cast<const Member&>(*this); }
    static int First(int start) { return start >> 8; }
    static int Second(int start) { return start & 0xFF; }
    // Whether every part of a start is numbered.
    static bool Fits(int start) {
        return Member::kLength == 2 ? start < Parts() : First(start) < Parts() && Second(start) < Parts();
    }
    static uint32_t SeriesOf(int slot, int start, int to) {
        const int numbered = Member::kLength == 2 ? start : First(start) * Parts() + Second(start);
        return uint32_t((slot * StartCount() + numbered) * Parts() + to);
    }
    static TStatKey RowKey(int start, int to) {
        return Member::kLength == 2 ? TStatKey::FromParts(start, to) : TStatKey::FromParts(First(start), Second(start), to);
    }

    // The index of the transitions at the given slots as series (start, to), or with slots 0 at
    // every slot, each slot's series of its own.
    std::shared_ptr<const TOccurrenceIndex> SlotsIndex(uint32_t slots, bool sorted, int start) {
        const int count = (slots == 0 ? Self().Slots() : 1) * StartCount() * Parts();
        return ArchiveIndex(count, sorted, start, int(slots), [this, sorted, slots](int i, uint32_t* ids) {
            int n = 0;
            bool fits = true;
            Self().Transitions(
                i, sorted, [slots](int slot, int) { return slots == 0 || (slots >> slot & 1); },
                [&](int slot, int from, int to) {
                    fits &= Fits(from) && to < Parts();
                    ids[n++] = SeriesOf(slots == 0 ? slot : 0, from, to) | TOccurrenceIndex::kPeriodsBit;
                });
            return fits ? n : -1;
        });
    }

    static std::vector<TGroup> Groups(const TChainStarts& starts) {
        std::vector<TGroup> groups;
        for (int s = 0; s < starts.Count; ++s) {
            const int from = starts.Start[s];
            auto same = std::find_if(groups.begin(), groups.end(), [from](const TGroup& g) { return g.Start == from; });
            if (same == groups.end()) same = groups.insert(groups.end(), TGroup{0, from});
            same->Slots |= starts.Anywhere ? 1u : 1u << s;
        }
        return groups;
    }

    // The first hit of a row of several slots: the earliest of its slots' first hits.
    static uint32_t FirstOrderOf(const TOccurrenceIndex& bySlot, const TGroup& group, int to, int start, int L) {
        uint32_t first = ~0u;
        TValueSummary summary;
        for (uint32_t rest = group.Slots; rest != 0; rest &= rest - 1)
            if (bySlot.Summary(SeriesOf(std::countr_zero(rest), group.Start, to), start, L, summary))
                first = std::min(first, summary.FirstOrder);
        return first;
    }
};

} // namespace qx
