#include "stats/families/ChainBases.h"

#include <algorithm>

#include "core/Text.h"

namespace qx {

void TCustomChainStat::InitValues(int L, TStatSink& rows) {
    TCustomStat::InitValues(L, rows);
    FCopies.clear();
}

void TCustomChainStat::AddDraw(int i, int L, TLastValueArray& lastValues, TRunState& runState, TStatSink& rows,
                               bool sorted) {
    TCustomStat::AddDraw(i, L, lastValues, runState, rows, sorted);
    TChainHits hits;
    DrawChains(i, L, sorted, hits);
    for (int k = 0; k < hits.Count; ++k) {
        Hit.Key = TStatKey::FromRaw(hits.Keys[k]);
        rows.AddHit(Hit, true);
    }
}

bool TCustomChainStat::Indexable(int index) const {
    if (index < 0) return true;
    for (uint8_t x : Draws[size_t(index)].Digits)
        if (x > 9) return false;
    return true;
}

// Declines when a draw it may read holds a digit above 9: transitions of such digits leave the
// numbered range.
bool TCustomChainStat::BeginPass(int first, int last, int L, bool sorted) {
    for (int i = first - 2; i <= last; ++i)
        if (!Indexable(i)) return false;
    if (!Indexable(L - 1)) return false;
    FL = L;
    FSorted = sorted;
    // Every draw the transitions read: two before the window's first, the window, the hidden draws.
    FCopyFrom = std::max(0, std::min(first - 2, L - 1));
    FCopies.clear();
    for (int i = FCopyFrom; i <= last; ++i) FCopies.push_back(DrawAt(i, sorted));
    return true;
}

std::shared_ptr<const TOccurrenceIndex> TCustomChainStat::ArchiveIndex(int seriesCount, bool sorted, int start,
                                                                       int variant,
                                                                       const TOccurrenceIndex::THitsOfDraw& hitsOf) {
    // The transitions into a window's first draw read the two draws before it.
    return CachedIndex(Draws, sorted, start - 2, variant, [&] {
        return TOccurrenceIndex::Build(seriesCount, Draws, [&](int i, uint32_t* ids) {
            return Indexable(i) ? hitsOf(i, ids) : -1;
        });
    });
}

int TCustomChainStat::DrawHits(int i, uint32_t* ids) const {
    TChainHits hits;
    DrawChains(i, FL, FSorted, hits);
    for (int k = 0; k < hits.Count; ++k) {
        const TStatKey key = TStatKey::FromRaw(hits.Keys[k]);
        ids[k] = uint32_t((key.K1() * kPart + key.K2()) * kPart + key.K3()) | kPeriodsBit;
    }
    return hits.Count;
}

std::string TCustomChainStat::ChainText(const TStatDraw& row, int length, bool scaled) const {
    auto text = [&](int part) {
        const int v = row.Key.K(part);
        return scaled ? Scale.Text(v) : IntToStr(v);
    };
    if (length == 3) return text(1) + "-" + text(2) + " -> " + text(3);
    return text(1) + " -> " + text(2);
}

} // namespace qx
