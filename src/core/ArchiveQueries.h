#pragma once
#include <string>

#include "core/Game.h"

namespace qx {

// Queries on an archive ordered oldest first. "row" is a list row: row r shows index High - r.
int CurrentIndex(const TDrawsArray& draws, int offset);
// The number after the draw shown in that row, in 64 bits: the newest number may be the largest
// a record can hold. 1 for an empty archive, -1 for a row outside it.
int64_t NextDrawNumber(const TDrawsArray& draws, int row);
TCombCode CodeAtRow(const TDrawsArray& draws, int row);
std::string FollowingDigitsText(const TDrawsArray& draws, int offset);
TByteArray FollowingDigitSet(const TDrawsArray& draws, int offset);
int DateNumberAtRow(const TDrawsArray& draws, int row, int days);
// Archive index of the draw with that number, or -1. Built for numbering that rises by one:
// guess the place, walk towards the number, and scan everything as the last resort.
int IndexOfNumber(const TDrawsArray& draws, int32_t number);
// Index of the newest draw whose label equals label (letter case ignored); only the newest
// depth + 1 draws are looked at when depth > 0.
int IndexOfLabel(const TDrawsArray& draws, std::string_view label, int depth);

} // namespace qx
