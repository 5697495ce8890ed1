#include "stats/DigitValues.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace qx {

void TDigitValues::Add(TStatKey key, bool periods) {
    if (FCount == kCapacity) throw std::length_error("too many values of one combination");
    FItems[size_t(FCount++)] = {key, periods};
}

std::shared_ptr<const TDigitValueTable> TDigitValueTable::Build(const TDigitValuesSource& source) {
    auto table = std::make_shared<TDigitValueTable>();
    std::unordered_map<uint64_t, uint32_t> ids;
    table->FStart.reserve(kCombCount + 1);
    table->FHits.reserve(kCombCount * 4);
    for (int ci = 0; ci < kCombCount; ++ci) {
        table->FStart.push_back(static_cast<uint32_t>(table->FHits.size()));
        TDigitValues values;
        source.DigitValues(DigitsOfCode(CodeOfIndex(ci)), values);
        for (const TDigitValue& v : values) {
            auto [it, added] = ids.try_emplace(v.Key.Raw(), static_cast<uint32_t>(table->FKeys.size()));
            if (added) table->FKeys.push_back(v.Key);
            table->FHits.push_back(it->second | (v.Periods ? kPeriodsBit : 0));
        }
    }
    table->FStart.push_back(static_cast<uint32_t>(table->FHits.size()));
    table->FIndex.assign(ids.begin(), ids.end());
    std::sort(table->FIndex.begin(), table->FIndex.end());
    bool packable = table->FKeys.size() < kPackedEnd;
    for (int ci = 0; ci < kCombCount && packable; ++ci) packable = table->Hits(ci).size() <= 4;
    if (packable) {
        table->FPacked.assign(kCombCount, 0xFFFFFFFFu);
        for (int ci = 0; ci < kCombCount; ++ci) {
            uint32_t word = 0x7F7F7F7Fu;
            int k = 0;
            for (uint32_t h : table->Hits(ci)) {
                const uint32_t b = (h & ~kPeriodsBit) | (h & kPeriodsBit ? 0x80u : 0u);
                word = (word & ~(0xFFu << (8 * k))) | b << (8 * k);
                ++k;
            }
            table->FPacked[size_t(ci)] = word;
        }
    }
    size_t width = 0;
    for (int ci = 0; ci < kCombCount; ++ci) width = std::max(width, table->Hits(ci).size());
    if (table->FKeys.size() > 64 && width <= kMaxPaddedWidth) {
        table->FPaddedWidth = int(width);
        table->FPadded.assign(kCombCount * width, uint32_t(table->FKeys.size()));
        for (int ci = 0; ci < kCombCount; ++ci) {
            size_t k = size_t(ci) * width;
            for (uint32_t h : table->Hits(ci)) table->FPadded[k++] = h & ~kPeriodsBit;
        }
    }
    if (table->FKeys.size() <= 64) {
        table->FMasks.resize(kCombCount);
        for (int ci = 0; ci < kCombCount; ++ci)
            for (uint32_t h : table->Hits(ci)) table->FMasks[size_t(ci)] |= uint64_t(1) << (h & ~kPeriodsBit);
    }
    return table;
}

int TDigitValueTable::FindValue(TStatKey key) const {
    auto it = std::lower_bound(FIndex.begin(), FIndex.end(), std::make_pair(key.Raw(), uint32_t(0)));
    return it != FIndex.end() && it->first == key.Raw() ? static_cast<int>(it->second) : -1;
}

const TDigitValueTable& TDigitValuesSource::Table() const { return *SharedTable(); }

const std::shared_ptr<const TDigitValueTable>& TDigitValuesSource::SharedTable() const {
    if (!FTable) FTable = TDigitValueTable::Build(*this);
    return FTable;
}

} // namespace qx
