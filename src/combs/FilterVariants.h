#pragma once
#include <cstdint>
#include <vector>

#include "combs/FilterItem.h"

namespace qx {

// Most variants one script line may expand to. Each variant is a full filter run over the
// statistics, so more than this cannot finish in any useful time; the count is checked before
// anything runs.
inline constexpr int64_t kMaxFilterVariants = 1000000;

// The variants of up to seven filter descriptions: every window length (and every threshold of
// a threshold condition) of filter 1 outermost, the last filter's innermost. Variants are made one
// at a time, so memory stays small however many there are; order and count are those of building
// them all first.
class TFilterVariants {
public:
    // Raises "Некорректное описание фильтра: %s!" for a description without lengths or without
    // values for its condition (and for an empty line), and the too-many-variants message when the
    // count passes the ceiling.
    explicit TFilterVariants(const std::vector<TFilterItem>& items);

    int64_t Count() const { return FCount; }
    // The next variant; false after the last one. made counts the variants handed out so far.
    bool Next(TFilterRec& rec);
    int64_t Made() const { return FMade; }

private:
    std::vector<std::vector<TFilterPart>> FOptions;  // per description, in variant order
    std::vector<size_t> FPosition;                   // odometer, last description fastest
    int64_t FCount = 0;
    int64_t FMade = 0;
};

} // namespace qx
