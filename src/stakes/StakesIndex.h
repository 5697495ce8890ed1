#pragma once
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "stakes/StakeRecord.h"

namespace qx {

class TDrawsArchive;

// Archive index of a draw by its number, rebuilt once per archive revision. A number stored more
// than once is left to IndexOfNumber, so the draw found is always the one it finds.
class TDrawNumberMap {
public:
    // -1 when the archive holds no draw of that number.
    int Find(const TDrawsArchive& archive, int32_t number);

private:
    void Update(const TDrawsArchive& archive);
    const TDrawsArchive* FArchive = nullptr;
    uint64_t FRevision = 0;
    size_t FCount = 0;
    std::unordered_map<int32_t, int32_t> FIndex;  // -2: stored more than once
};

// The stakes checking still has to look at: draw number and record index of every unchecked
// record that qualifies, in file order (8 bytes each). Above the cap it is dropped and checking
// scans the file instead.
class TUncheckedIndex {
public:
    static constexpr size_t kDefaultCap = 8'000'000;
    struct TEntry {
        int32_t Draw;
        uint32_t Index;
    };

    bool Valid() const { return FValid; }
    const std::vector<TEntry>& Entries() const { return FEntries; }
    std::vector<TEntry>& Entries() { return FEntries; }
    void SetCap(size_t cap) { FCap = cap; }
    size_t Cap() const { return FCap; }

    // Starts a fresh list (valid, empty).
    void Reset();
    void Invalidate();
    // Adds a record appended or found by a scan; drops the list when it outgrows the cap or the
    // index does not fit.
    void Add(const TStakeRecord& record, int64_t index);

private:
    std::vector<TEntry> FEntries;
    size_t FCap = kDefaultCap;
    bool FValid = false;
};

// Draw number and numbers of every record, for the duplicate search.
class TStakeKeySet {
public:
    bool Valid() const { return FValid; }
    void Reset();
    void Invalidate();
    void Add(int32_t draw, const TStakeNumbers& numbers);
    bool Contains(int32_t draw, const TStakeNumbers& numbers) const;
    size_t Size() const { return FKeys.size(); }

private:
    struct TKey {
        int32_t Draw;
        int32_t Count;
        uint32_t Digits;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    struct THash {
        size_t operator()(const TKey& k) const;
    };
    static TKey KeyOf(int32_t draw, const TStakeNumbers& numbers);
    std::unordered_set<TKey, THash> FKeys;
    bool FValid = false;
};

} // namespace qx
