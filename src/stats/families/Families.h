#pragma once
#include <vector>

#include "stats/StatClass.h"

namespace qx {

// The metaclasses each family file defines. StatClasses.cpp collects them.
std::vector<const TStatClass*> DigitValueClasses();  // numbers, digits, positions
std::vector<const TStatClass*> DigitClassClasses();  // even/odd, small/large, prime/composite
std::vector<const TStatClass*> SumClasses();         // sums of the digits
std::vector<const TStatClass*> SumChangeClasses();   // sums against the previous draw
std::vector<const TStatClass*> DiffClasses();        // differences between the digits
std::vector<const TStatClass*> ChannelClasses();     // channels of the configured width
std::vector<const TStatClass*> MatrixClasses();      // matrix columns and rows
std::vector<const TStatClass*> SegmentClasses();     // segments of the configured table
std::vector<const TStatClass*> ShreddingClasses();   // the user's formulas

} // namespace qx
