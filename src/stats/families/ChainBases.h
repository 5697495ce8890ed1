#pragma once
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
    void Add(int k1, int k2, int k3 = 0) { Keys[Count++] = TStatKey::FromParts(k1, k2, k3).Raw(); }
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
    // from start on; none without the registry's cache or when a draw holds a digit above 9.
    std::shared_ptr<const TOccurrenceIndex> ArchiveIndex(int seriesCount, bool sorted, int start,
                                                         const TOccurrenceIndex::THitsOfDraw& hitsOf);

    // A row read off the index: the series (one per slot holding its start) whose hits it merges.
    struct TIndexedRow {
        uint32_t Id = 0;
        uint32_t Series[kPositions] = {};
        size_t Count = 0;
    };
    // The summaries of the rows that have hits in [start, L], in order of first hit.
    static void ReadRows(const TOccurrenceIndex& index, const std::vector<TIndexedRow>& rows, int start, int L,
                         std::vector<TValueSummary>& out);

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
// (Member::Starts). The first part depends on the archive alone: the registry's index numbers it
// once as series (slot, start, to), and a table reads the selected series off it.
// Member::kLength is 2 (a start of one part) or 3 (two parts, as TwoParts packs them).
template <class Member>
class TChainMember : public TCustomChainStat {
public:
    using TCustomChainStat::TCustomChainStat;

    void DrawChains(int i, int L, bool sorted, TChainHits& out) const final {
        const TChainStarts starts = Self().Starts(L, sorted);
        Self().Transitions(
            i, sorted, [&](int slot, int start) { return starts.Keeps(slot, start); },
            [&](int, int start, int to) { AddRow(start, to, out); });
    }

    bool WindowSummaries(int start, int L, bool sorted, std::vector<TValueSummary>& out) override {
        const int slots = Self().Slots();
        const auto index = ArchiveIndex(slots * StartCount() * kPart, sorted, start, [this, sorted](int i, uint32_t* ids) {
            int n = 0;
            bool fits = true;
            Self().Transitions(
                i, sorted, [](int, int) { return true; },
                [&](int slot, int from, int to) {
                    fits &= Fits(from) && to < kPart;
                    ids[n++] = SeriesOf(slot, from, to) | TOccurrenceIndex::kPeriodsBit;
                });
            return fits ? n : -1;
        });
        if (!index) return false;
        ReadRows(*index, SelectedRows(Self().Starts(L, sorted)), start, L, out);
        return true;
    }

private:
    // How many numbered starts there are (a function: Member is not complete where this is read).
    static constexpr int StartCount() { return Member::kLength == 2 ? kPart : kPart * kPart; }

    const Member& Self() const { return static_cast<const Member&>(*this); }
    static int First(int start) { return start >> 8; }
    static int Second(int start) { return start & 0xFF; }
    // Whether every part of a start is numbered (0..10).
    static bool Fits(int start) {
        return Member::kLength == 2 ? start < kPart : First(start) < kPart && Second(start) < kPart;
    }
    // A numbered start, 0..StartCount() - 1.
    static int Numbered(int start) { return Member::kLength == 2 ? start : First(start) * kPart + Second(start); }
    static uint32_t SeriesOf(int slot, int start, int to) {
        return uint32_t((slot * StartCount() + Numbered(start)) * kPart + to);
    }
    static void AddRow(int start, int to, TChainHits& out) {
        if constexpr (Member::kLength == 2)
            out.Add(start, to);
        else
            out.Add(First(start), Second(start), to);
    }
    // The value id of the row AddRow makes.
    static uint32_t RowId(int start, int to) {
        return uint32_t(Numbered(start) * kPart + to) * (Member::kLength == 2 ? kPart : 1);
    }
    // One row per selected start and every end: the slots holding the same start merge (all
    // starts of an Anywhere member are series of slot 0).
    static std::vector<TIndexedRow> SelectedRows(const TChainStarts& starts) {
        std::vector<TIndexedRow> rows;
        uint32_t done = 0;
        for (int s = 0; s < starts.Count; ++s) {
            if (done >> s & 1) continue;
            const int from = starts.Start[s];
            int slots[kPositions];
            size_t n = 0;
            for (int t = s; t < starts.Count; ++t)
                if (starts.Start[t] == from) {
                    done |= 1u << t;
                    if (!starts.Anywhere || n == 0) slots[n++] = starts.Anywhere ? 0 : t;
                }
            for (int to = 0; to < kPart; ++to) {
                TIndexedRow row;
                row.Id = RowId(from, to);
                for (size_t k = 0; k < n; ++k) row.Series[row.Count++] = SeriesOf(slots[k], from, to);
                rows.push_back(row);
            }
        }
        return rows;
    }
};

} // namespace qx
