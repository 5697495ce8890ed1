#pragma once
#include <cstdint>
#include <optional>

#include "app/StatTab.h"

namespace qx {

class TWorkspace;

// When a view of the archive computes: only while its tab is shown, and then when forced or when
// the inputs of its last computation changed. Every computation counts a revision, by which the
// window sees that there is something new to show.
class TViewRefresh {
public:
    // True when the view must compute now; the key is then remembered.
    bool Needed(bool shown, bool force, const TViewCacheKey& key) {
        if (!shown || (!force && FCache == key)) return false;
        FCache = key;
        ++FRevision;
        return true;
    }
    void Reset() { FCache.reset(); }
    uint64_t Revision() const { return FRevision; }

private:
    std::optional<TViewCacheKey> FCache;
    uint64_t FRevision = 0;
};

// The key of a view of the archive over a window ending at the current draw. The archive's
// revision stands for its length and for draws edited in place.
TViewCacheKey WindowViewKey(const TWorkspace& workspace, int window);

} // namespace qx
