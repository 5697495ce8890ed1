#include "stats/KeyIndex.h"

#include <algorithm>
#include <bit>

namespace qx {

void TKeyIndex::Add(TStatKey key, int position) {
    if ((FCount + 1) * 2 > FSlots.size()) Rehash(std::max<size_t>(16, FSlots.size() * 2));
    Put({key.Raw(), position});
    ++FCount;
}

void TKeyIndex::Clear() {
    std::fill(FSlots.begin(), FSlots.end(), TSlot{});
    FCount = 0;
}

void TKeyIndex::Reserve(size_t keys) {
    if (keys * 2 > FSlots.size()) Rehash(std::bit_ceil(std::max<size_t>(16, keys * 2)));
}

void TKeyIndex::Put(const TSlot& slot) {
    const size_t mask = FSlots.size() - 1;
    size_t s = SlotOf(slot.Raw);
    while (FSlots[s].Position >= 0) s = (s + 1) & mask;
    FSlots[s] = slot;
}

void TKeyIndex::Rehash(size_t slots) {
    std::vector<TSlot> old(slots);
    old.swap(FSlots);
    FShift = 64 - std::countr_zero(slots);
    for (const TSlot& slot : old)
        if (slot.Position >= 0) Put(slot);
}

} // namespace qx
