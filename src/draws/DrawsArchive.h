#pragma once
#include <cstdint>

#include "core/Game.h"

namespace qx {

// The archive of draws in memory, oldest first. Every change bumps the revision, so views and
// caches can tell an edited archive from the one they computed on even when its length is the same.
class TDrawsArchive {
public:
    const TDrawsArray& Records() const { return FDraws; }
    int Count() const { return static_cast<int>(FDraws.size()); }
    bool Empty() const { return FDraws.empty(); }
    int High() const { return Count() - 1; }
    uint64_t Revision() const { return FRevision; }

    void Assign(TDrawsArray draws);
    void Append(const TDrawRecord& draw);
    void Append(const TDrawsArray& draws);
    void Replace(int index, const TDrawRecord& draw);
    // Raises "Запись со индексом %d в файле данных не найдена!" for an index outside the archive.
    void DeleteAt(int index);
    void Clear();

    // The draws as shown and analysed: with sorted true each draw's digits are sorted ascending
    // (the stored records keep the drawn order). The sorted copy is rebuilt once per revision.
    const TDrawsArray& View(bool sorted) const;

private:
    void Changed() { ++FRevision; }

    TDrawsArray FDraws;
    uint64_t FRevision = 1;
    mutable TDrawsArray FSorted;
    mutable uint64_t FSortedRevision = 0;
};

} // namespace qx
