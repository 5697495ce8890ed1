#pragma once
#include <memory>
#include <utility>

#include "stats/OccurrenceIndex.h"

namespace qx {

// What a method works out once from the whole archive beside an occurrence index, kept in the
// registry's cache with it. The cache keeps indexes only, so the data rides in the index's owner:
// whoever gets the index from the cache gets the data made from the same draws, and both go
// together when the archive changes.
template <class TData> struct TIndexOwner {
    std::shared_ptr<const TOccurrenceIndex> Index;
    TData Data;
    void operator()(const TOccurrenceIndex*) { Index.reset(); }
};

template <class TData>
std::shared_ptr<const TOccurrenceIndex> IndexWithData(std::shared_ptr<const TOccurrenceIndex> index, TData data) {
    if (!index) return nullptr;
    const TOccurrenceIndex* raw = index.get();
    return std::shared_ptr<const TOccurrenceIndex>(raw, TIndexOwner<TData>{std::move(index), std::move(data)});
}

// The data IndexWithData kept with index; none for an index made otherwise.
template <class TData> const TData* DataOf(const std::shared_ptr<const TOccurrenceIndex>& index) {
    const auto* owner = std::get_deleter<TIndexOwner<TData>>(index);
    return owner ? &owner->Data : nullptr;
}

// The method's index and data from its cache, built by build() (IndexWithData) when the one kept
// does not hold for the draws from `from` on. None without a cache or when build gives none.
template <class TData, class Build>
std::shared_ptr<const TOccurrenceIndex> CachedWithData(TOccurrenceCache* cache, const TDrawsArray& draws, bool sorted,
                                                       int from, Build&& build, const TData*& data) {
    data = nullptr;
    if (!cache) return nullptr;
    auto index = cache->Get(draws, sorted, from, std::forward<Build>(build));
    if (index) data = DataOf<TData>(index);
    return data ? index : nullptr;
}

} // namespace qx
