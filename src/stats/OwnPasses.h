#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "stats/KeyTests.h"
#include "stats/OccurrenceIndex.h"
#include "stats/StatKey.h"

namespace qx {

// Two hooks for methods whose values are not a function of the four digits alone (they look at
// neighbouring draws or at the current draw) yet can be worked out for many draws or codes at
// once. A method offers them through TCustomStat::OwnWindowPass / OwnCodeFilter; the engine uses
// them in place of AddDraw per draw and Matches per candidate, and the results must be exactly
// those of AddDraw, FindNext and Matches (the differential tests hold them to it).

// The window pass of a table: the hits of each draw as value ids the method numbers itself. The
// engine merges them into the rows (listed rows first, then in order of first hit) and finds every
// row's fact with one pass over the draws after the window.
class TOwnWindowPass {
public:
    static constexpr uint32_t kPeriodsBit = 0x80000000u;
    // A hit whose Count is 0: it marks the value's newest draw but adds nothing to its count.
    static constexpr uint32_t kUncountedBit = 0x40000000u;
    // A hit that stands for the draw before i: it takes that draw's number and depth (a run that
    // draw i ends is counted as of its last draw).
    static constexpr uint32_t kPreviousDrawBit = 0x20000000u;
    static constexpr uint32_t kIdMask = ~(kPeriodsBit | kUncountedBit | kPreviousDrawBit);
    static constexpr int kMaxHits = 20;

    // Readies a pass over the archive draws first..last (the window's first draw and the newest
    // draw) for the window ending at L (first <= L <= last). False when the method cannot give
    // this pass; the engine then calls AddDraw.
    virtual bool BeginPass(int first, int last, int L, bool sorted) = 0;
    // How many value ids the pass may give (0..count - 1) and the key of each.
    virtual int ValueCount() const = 0;
    virtual TStatKey ValueKey(uint32_t id) const = 0;
    // The hits AddDraw(i, L, ...) would merge, in its order: value ids, with kPeriodsBit where it
    // merges with periods, kUncountedBit where its Count is 0 (any other hit counts 1) and
    // kPreviousDrawBit where it stands for the draw before i. At most kMaxHits; returns how many.
    virtual int DrawHits(int i, uint32_t* ids) const = 0;
    // For a method that gives at most one hit per draw, all of them at once: entry i - first is
    // what DrawHits(i) writes, kNoHit for none. None otherwise.
    static constexpr uint32_t kNoHit = ~uint32_t(0);
    virtual const uint32_t* HitPerDraw() const { return nullptr; }
    // True when the rows' facts are not the next draws after the window whose DrawHits give the
    // value: the engine then asks the method's FindNext for each row (DrawHits is asked for the
    // window's draws only).
    virtual bool FactsByFindNext() const { return false; }

    // A pass that reads a window off indexes over the whole archive, without BeginPass: what merging
    // DrawHits over draws start..L would leave, one summary per value with a hit, in order of first
    // hit, each with NextIndex (the archive index of its next hit after L, -1 for none). False when
    // it cannot; the engine then merges DrawHits.
    virtual bool WindowSummaries(int /*start*/, int /*L*/, bool /*sorted*/, std::vector<TValueSummary>& /*out*/) {
        return false;
    }
    // Where the registry keeps the method's archive-wide indexes (with and without sorted digits);
    // none for objects made without it.
    TOccurrenceCache* Occurrences() const { return FOccurrences.get(); }
    void AttachOccurrences(std::shared_ptr<TOccurrenceCache> cache) { FOccurrences = std::move(cache); }
    // The method's index number variant from that cache (build makes it when the one kept does not
    // hold for the draws from `from` on); none without a cache or when build gives none.
    std::shared_ptr<const TOccurrenceIndex> CachedIndex(const TDrawsArray& draws, bool sorted, int from, int variant,
                                                        const TOccurrenceCache::TBuild& build) const {
        return FOccurrences ? FOccurrences->Get(draws, sorted, from, build, variant) : nullptr;
    }

protected:
    ~TOwnWindowPass() = default;

private:
    std::shared_ptr<TOccurrenceCache> FOccurrences;
};

// A filter's decision for all 10,000 codes at once, made once per filter pass.
class TOwnCodeFilter {
public:
    // After Prepare(-1, L, sorted): pass[ci] := Matches(code of index ci, selected, exclude,
    // sorted, L) for every index 0..9999 of the full set. Codes with a byte above 9 are never
    // asked: the engine calls Matches for them.
    virtual void MatchTable(TSelectedRows selected, bool exclude, bool sorted, int L, uint8_t* pass) = 0;

protected:
    ~TOwnCodeFilter() = default;
};

} // namespace qx
