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
std::vector<const TStatClass*> SequenceClasses();    // runs of rising digits in a draw
std::vector<const TStatClass*> RepeatClasses();      // digits repeated from earlier draws
std::vector<const TStatClass*> CombValueClasses();   // pairs, triples and quadruples of digits
std::vector<const TStatClass*> OgnevClasses();       // Ognev numbers
std::vector<const TStatClass*> SerialClasses();      // runs of presence or absence
std::vector<const TStatClass*> PeriodClasses();      // gaps between occurrences
std::vector<const TStatClass*> ChainClasses();       // transitions between consecutive draws
std::vector<const TStatClass*> ChainCountClasses();  // transitions of counts and within channels
std::vector<const TStatClass*> ShreddingClasses();   // the user's formulas

} // namespace qx
