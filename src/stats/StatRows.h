#pragma once
#include <cstdint>
#include <vector>

#include "stats/KeyIndex.h"
#include "stats/StatRow.h"

namespace qx {

// Where a method merges the hits it produces. Rows keep the order in which their values first
// arrive: the values listed in advance first, then first occurrences.
class TStatSink {
public:
    virtual void AddHit(const TStatDraw& hit, bool withPeriods) = 0;

protected:
    ~TStatSink() = default;
};

// A row array with a key index beside it, so a merge costs the same for ten rows or ten thousand.
class TStatRows final : public TStatSink {
public:
    void AddHit(const TStatDraw& hit, bool withPeriods) override;

    // Row index of the key, or -1.
    int Find(TStatKey key) const { return FIndex.Find(key); }
    // Appends a row made from hit (whose key must not be present yet); returns its index.
    int Append(const TStatDraw& hit);

    int Size() const { return static_cast<int>(FRows.size()); }
    bool Empty() const { return FRows.empty(); }
    TStatDraw& operator[](int i) { return FRows[static_cast<size_t>(i)]; }
    const TStatDraw& operator[](int i) const { return FRows[static_cast<size_t>(i)]; }
    const TStatDrawArray& Items() const { return FRows; }
    // Empties the rows and keeps the memory for the next use.
    void Clear();
    // Room for this many rows without growing.
    void Reserve(size_t rows);

private:
    TStatDrawArray FRows;
    TKeyIndex FIndex;
};

} // namespace qx
