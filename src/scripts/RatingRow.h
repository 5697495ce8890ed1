#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Config.h"
#include "core/Game.h"

namespace qx {

struct TStakeRecord;

inline constexpr int kRatingKeyMax = 255;

// One row of the ratings exactly as the ratings file stores it (296 bytes, little-endian): the
// stake comment it collects (Windows-1251) and what the checked stakes of that comment achieved.
struct TRatingRow {
    uint8_t KeyLength = 0;
    char Key[kRatingKeyMax] = {};  // bytes past KeyLength are zero in rows the program writes
    int32_t Stakes = 0;
    int32_t Matches = 0;
    int32_t MatchCounts[kPositions + 1] = {0, 0, 0, 0, 0};
    uint8_t Reserved[4] = {0, 0, 0, 0};
    TMoney Profit = 0;

    std::string_view RawKey() const { return {Key, KeyLength}; }
    std::string KeyText() const;
    void SetRawKey(std::string_view cp1251);
    // Adds a checked stake (its match count 0..4); sums saturate instead of overflowing.
    void Add(int matches, TMoney profit);
    // A row whose counts a damaged file made negative cannot be shown.
    bool Damaged() const;
    // The row as written: the bytes after the key zero.
    TRatingRow Normalized() const;
};
static_assert(sizeof(TRatingRow) == 296);
static_assert(offsetof(TRatingRow, Key) == 1);
static_assert(offsetof(TRatingRow, Stakes) == 256);
static_assert(offsetof(TRatingRow, Matches) == 260);
static_assert(offsetof(TRatingRow, MatchCounts) == 264);
static_assert(offsetof(TRatingRow, Reserved) == 284);
static_assert(offsetof(TRatingRow, Profit) == 288);

inline constexpr int64_t kRatingRowSize = sizeof(TRatingRow);

// The match count a stake adds to the ratings with: its stored count when checked and within
// 0..4, otherwise -1 (the stake adds nothing).
int RatingMatchesOf(const TStakeRecord& stake);

} // namespace qx
