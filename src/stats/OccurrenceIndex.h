#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "core/Game.h"

namespace qx {

class TDigitValueTable;

// What the window's hits of one value leave in its row (the row starts blank), and where the
// value occurs next after the window.
struct TValueSummary {
    uint32_t Value = 0;     // value id
    int32_t Count = 0;
    int32_t Last = 0;       // draw number of the newest hit: the row's LastDraw and PrevDraw
    int32_t LastIndex = 0;  // archive index of that draw
    uint16_t PeriodMin = 0;
    uint16_t PeriodMax = 0;
    int32_t NextIndex = -1;  // archive index of the next hit after the window; -1 none, -2 not known
    uint32_t FirstOrder = 0;  // place of the value's first hit in the window among all hits
};

// Summaries in the order rows take them: that of each value's first hit.
void SortByFirstHit(std::vector<TValueSummary>& summaries);

// Where every value of a digit-values method occurs over the whole archive, read with or without
// sorted digits. The summaries of any window are read off it (binary searches and block minima)
// instead of merging the window's draws one by one.
class TOccurrenceIndex {
public:
    // None when a draw holds a digit outside 0..9.
    static std::shared_ptr<const TOccurrenceIndex> Build(const TDigitValueTable& table, const TDrawsArray& draws,
                                                         bool sorted);
    // Draw i's hits, at most kMaxDrawHits: value ids below the value count, with kPeriodsBit where
    // the hit merges with periods. Returns how many, or -1 when the draw cannot be indexed.
    static constexpr uint32_t kPeriodsBit = 0x80000000u;
    static constexpr int kMaxDrawHits = 64;
    using THitsOfDraw = std::function<int(int i, uint32_t* ids)>;
    // An index of any hits that depend on the archive alone (a draw and the draws around it): none
    // when a draw cannot be indexed.
    static std::shared_ptr<const TOccurrenceIndex> Build(int valueCount, const TDrawsArray& draws,
                                                         const THitsOfDraw& hitsOf);
    // True when the archive has the length the index was built for and the same numbers and
    // digits at indexes from on (all that a window starting there reads).
    bool Holds(const TDrawsArray& draws, int from) const;
    // The values occurring in the window [start, L], in order of their first hit there.
    void Window(int start, int L, std::vector<TValueSummary>& out) const;
    int ValueCount() const { return static_cast<int>(FStart.size()) - 1; }
    // What value v's hits in the window [start, L] leave in a blank row; false when it has none.
    bool Summary(uint32_t v, int start, int L, TValueSummary& out) const;

    // What the hits of several values in the window leave in one row, merged in the order they
    // were given (for a row whose key several of the index's values share); false when none has a
    // hit. Meant for values with few hits in a window: it walks them all.
    bool MergedSummary(std::span<const uint32_t> values, int start, int L, TValueSummary& out) const;

private:
    struct TDrawKey {
        int32_t Number;
        uint32_t Digits;
        friend bool operator==(const TDrawKey&, const TDrawKey&) = default;
    };
    // What a run of hits says about gaps, in one word: the low half is the smallest gap of at
    // least 1 less one (0xFFFF: none), the high half the largest gap (0: none). A measured gap of 0
    // counts for the largest only: the smallest is only ever asked for after the window's last 0.
    static constexpr uint32_t kNoGaps = 0xFFFF;
    static uint32_t Combine(uint32_t x, uint32_t y) {
        return std::min(x & 0xFFFF, y & 0xFFFF) | std::max(x >> 16, y >> 16) << 16;
    }
    // Hits are grouped per value in blocks of kBlock (a value's first block starts at its first hit).
    static constexpr uint32_t kBlock = 16;

    std::vector<TDrawKey> FDraws;       // what the index was built from
    std::vector<uint32_t> FStart;       // value v's hits are [FStart[v], FStart[v + 1])
    std::vector<int32_t> FHitDraw;      // archive index of each hit
    std::vector<uint32_t> FHitOrder;    // order of the hit among all hits of the archive
    std::vector<uint8_t> FHitPeriods;   // 1 where the hit merges with periods
    std::vector<uint32_t> FGaps;        // the gap to the value's previous hit, as a gaps word
    std::vector<int32_t> FLastZero;     // the latest hit up to this one whose gap is a measured 0; -1 none
    std::vector<uint32_t> FPrefix;      // gaps of the hits from the start of the hit's block to it
    std::vector<uint32_t> FSuffix;      // gaps of the hits from it to the end of its block
    std::vector<uint32_t> FBlockStart;  // value v's blocks are [FBlockStart[v], FBlockStart[v + 1])
    // Gaps of 2^j blocks from block i on: level j starts at FLevelStart[j] (a table of range minima
    // and maxima, so any run of whole blocks takes two reads).
    std::vector<uint32_t> FLevels;
    std::vector<uint32_t> FLevelStart;
    // Value v's first hit at or after archive index c * kChunk is FChunkFirst[v * FChunks + c]: the
    // hits of a window's ends are searched for within one chunk of draws, not among all of them.
    static constexpr int kChunk = 64;
    size_t FChunks = 0;
    std::vector<uint32_t> FChunkFirst;

    // The gaps word of hits [a, b] of value v (a <= b).
    uint32_t Gaps(uint32_t v, uint32_t a, uint32_t b) const;
    // Value v's first hit at archive index i (0..size) or later; FStart[v + 1] when none.
    uint32_t FirstHitFrom(uint32_t v, int i) const;
};

// The revision of the archive behind a draws array: a new number after every change of the array.
using TDrawsRevision = std::function<uint64_t()>;

// The occurrence indexes of one method (with and without sorted digits), shared by the statistic
// objects the registry creates. An index no longer matching the archive is built again.
class TOccurrenceCache {
public:
    // Without a revision every use compares the draws a window reads with the index. With one, an
    // index checked at the current revision is used as it is; a new revision checks it once.
    explicit TOccurrenceCache(TDrawsRevision revision = {}) : FRevision(std::move(revision)) {}

    // None when a draw holds a digit outside 0..9.
    std::shared_ptr<const TOccurrenceIndex> Get(const TDigitValueTable& table, const TDrawsArray& draws, bool sorted,
                                                int from);
    // The same for an index of other hits: build makes it when the one kept no longer holds. Hits
    // that read the draws before a window's first must pass the first draw they read as from. A
    // method that keeps several indexes numbers them by variant (0, 1, ...).
    using TBuild = std::function<std::shared_ptr<const TOccurrenceIndex>()>;
    std::shared_ptr<const TOccurrenceIndex> Get(const TDrawsArray& draws, bool sorted, int from, const TBuild& build,
                                                int variant = 0);

private:
    struct TSlot {
        std::shared_ptr<const TOccurrenceIndex> Index;
        bool Checked = false;  // Index (or its absence) is right for Draws at Revision
        const TDrawsArray* Draws = nullptr;
        uint64_t Revision = 0;
    };
    std::mutex FLock;
    const TDrawsRevision FRevision;
    std::vector<TSlot> FSlots;  // per variant: without and with sorted digits
};

} // namespace qx
