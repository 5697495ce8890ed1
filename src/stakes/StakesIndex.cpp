#include "stakes/StakesIndex.h"

#include <cstring>
#include <limits>

#include "core/ArchiveQueries.h"
#include "draws/DrawsArchive.h"

namespace qx {

int TDrawNumberMap::Find(const TDrawsArchive& archive, int32_t number) {
    Update(archive);
    const auto it = FIndex.find(number);
    if (it == FIndex.end()) return -1;
    return it->second >= 0 ? it->second : IndexOfNumber(archive.Records(), number);
}

void TDrawNumberMap::Update(const TDrawsArchive& archive) {
    if (FArchive == &archive && FRevision == archive.Revision() && FCount == archive.Records().size()) return;
    FArchive = &archive;
    FRevision = archive.Revision();
    FCount = archive.Records().size();
    FIndex.clear();
    FIndex.reserve(FCount);
    const TDrawsArray& draws = archive.Records();
    for (size_t i = 0; i < draws.size(); ++i) {
        auto [it, added] = FIndex.emplace(draws[i].Number, static_cast<int32_t>(i));
        if (!added) it->second = -2;
    }
}

void TUncheckedIndex::Reset() {
    FEntries.clear();
    FValid = true;
}

void TUncheckedIndex::Invalidate() {
    FEntries.clear();
    FEntries.shrink_to_fit();
    FValid = false;
}

void TUncheckedIndex::Add(const TStakeRecord& record, int64_t index) {
    if (!FValid || record.IsChecked() || !record.Qualifies()) return;
    if (FEntries.size() >= FCap || index > std::numeric_limits<uint32_t>::max()) {
        Invalidate();
        return;
    }
    FEntries.push_back({record.DrawNumber, static_cast<uint32_t>(index)});
}

size_t TStakeKeySet::THash::operator()(const TKey& k) const {
    uint64_t h = (uint64_t(uint32_t(k.Draw)) << 32 | k.Digits) * 0x9E3779B97F4A7C15ull;
    h ^= uint64_t(uint32_t(k.Count)) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<size_t>(h ^ (h >> 29));
}

TStakeKeySet::TKey TStakeKeySet::KeyOf(int32_t draw, const TStakeNumbers& numbers) {
    TKey k{draw, numbers.Count, 0};
    std::memcpy(&k.Digits, numbers.Digits, sizeof k.Digits);
    return k;
}

void TStakeKeySet::Reset() {
    FKeys.clear();
    FValid = true;
}

void TStakeKeySet::Invalidate() {
    FKeys = {};
    FValid = false;
}

void TStakeKeySet::Add(int32_t draw, const TStakeNumbers& numbers) {
    if (FValid) FKeys.insert(KeyOf(draw, numbers));
}

bool TStakeKeySet::Contains(int32_t draw, const TStakeNumbers& numbers) const {
    return FKeys.contains(KeyOf(draw, numbers));
}

} // namespace qx
