#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "stats/StatKey.h"

namespace qx {

// Where each key sits in an array kept beside the index: open addressing with linear probing,
// so finding a key costs the same for ten keys or ten thousand.
class TKeyIndex {
public:
    // Position of the key, or -1.
    int Find(TStatKey key) const {
        if (FSlots.empty()) return -1;
        const size_t mask = FSlots.size() - 1;
        for (size_t s = SlotOf(key.Raw());; s = (s + 1) & mask) {
            const TSlot& slot = FSlots[s];
            if (slot.Position < 0) return -1;
            if (slot.Raw == key.Raw()) return slot.Position;
        }
    }
    // Adds a key that is not there yet.
    void Add(TStatKey key, int position);
    // Forgets every key and keeps the memory.
    void Clear();
    // Room for this many keys without growing.
    void Reserve(size_t keys);

private:
    struct TSlot {
        uint64_t Raw = 0;
        int32_t Position = -1;  // -1: empty
    };
    size_t SlotOf(uint64_t raw) const { return size_t((raw * 0x9E3779B97F4A7C15ull) >> FShift); }
    void Rehash(size_t slots);
    void Put(const TSlot& slot);

    std::vector<TSlot> FSlots;
    size_t FCount = 0;
    int FShift = 64;
};

} // namespace qx
