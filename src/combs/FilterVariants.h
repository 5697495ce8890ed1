#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "combs/FilterItem.h"

namespace qx {

// Most variants one script line may expand to. Each variant is a full filter run over the
// statistics, so more than this cannot finish in any useful time; the count is checked before
// anything runs.
inline constexpr int64_t kMaxFilterVariants = 1000000;

// One variant of a script line with its place among them.
struct TFilterVar {
    TFilterRec Rec;
    int64_t Number = 0;  // 1 for the first variant
};

// The variants of up to seven filter descriptions: every window length (and every threshold of
// a threshold condition) of filter 1 outermost, the last filter's innermost. Variants are made one
// at a time from each description's lists, so memory stays that of the lists however many
// variants there are; order and count are those of building them all first.
class TFilterVariants {
public:
    // Raises "Некорректное описание фильтра: %s!" for a description without lengths or without
    // values for its condition (and for an empty line), and the too-many-variants message when the
    // count passes the ceiling; the count is known before any variant text is put together.
    explicit TFilterVariants(const std::vector<TFilterItem>& items);

    // Called with the number made so far after every 1000th variant.
    std::function<void(int64_t made)> OnProgress;
    // Polled before each variant; when it answers true no more variants are made.
    std::function<bool()> StopRequested;

    int64_t Count() const { return FCount; }
    // The next variant; false after the last one or after a stop.
    bool Next(TFilterRec& rec);
    bool Next(TFilterVar& var);
    int64_t Made() const { return FMade; }

private:
    // One description's variants: its lengths, each with every threshold (per-value conditions)
    // or with the whole value list.
    struct TDescription {
        TFilterItem Item;
        std::vector<int32_t> Lengths;
        std::vector<int32_t> Thresholds;  // per-value conditions only
        std::string ListText;             // the condition value of every other condition
        size_t PerLength() const { return Thresholds.empty() ? 1 : Thresholds.size(); }
        size_t Count() const { return Lengths.size() * PerLength(); }
        TFilterPart Part(size_t position) const;
    };

    std::vector<TDescription> FDescriptions;
    std::vector<size_t> FPosition;  // odometer, last description fastest
    int64_t FCount = 0;
    int64_t FMade = 0;
};

// The variants of a script line's filter descriptions, made as they are asked for.
inline TFilterVariants ExpandFilterVariants(const std::vector<TFilterItem>& items) { return TFilterVariants(items); }

// The script status text while variants are made: "Создание всех вариантов фильтров ( 3000 )...".
std::string VariantsProgressText(int64_t made);

} // namespace qx
