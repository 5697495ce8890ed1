#pragma once
#include <cstdint>
#include <span>

#include "stats/StatRow.h"

namespace qx {

// Tests of a candidate's value against the selected rows; each is true when at least one
// selected row qualifies.
using TSelectedRows = std::span<const TStatDraw>;

bool SelectedHasKey(TSelectedRows selected, TStatKey key);
// KeyA and KeyB equal a and b, each taken as an unsigned 16-bit number widened.
bool SelectedHasKeyAB(TSelectedRows selected, int32_t a, int32_t b);
// part 1: KeyA, part 2: KeyB
bool SelectedHasKeyPart(TSelectedRows selected, int part, int32_t value);
// part 1..4: K1..K4 equals the 16-bit value
bool SelectedHasK(TSelectedRows selected, int part, int16_t value);
// byte 1..8 of the key
bool SelectedHasByte(TSelectedRows selected, int n, uint8_t value);
// The given part of some selected key equals that part of value.
bool SelectedHasPart(TSelectedRows selected, TKeyPart part, TStatKey value);

} // namespace qx
