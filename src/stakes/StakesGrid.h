#pragma once
#include <string>

#include "core/DrawHelpers.h"
#include "stakes/StakeRecord.h"

namespace qx {

// The stakes grid "sgStakes": nine columns over the records, one row per record.
enum TStakeColumn {
    stcDraw,
    stcKind,
    stcNumbers,
    stcSample,
    stcDrawn,
    stcMatchCount,
    stcMatched,
    stcProfit,
    stcComment,
    kStakeColumnCount
};
struct TStakeColumnDef {
    const char* Caption;
    int Width;
};
extern const TStakeColumnDef kStakeColumns[kStakeColumnCount];

// The cell text of a record; a record with draw number <= 0 (a separator) shows nothing. Stored
// counts outside 0..4 never index: such a record shows no matched digits.
std::string StakeCellText(const TStakeRecord& record, int column, char separator);
// Whether a digit of the staked (column 2) or drawn (column 4) numbers is drawn bold in blue:
// only in a checked stake, where the staked and the drawn digit of the position are equal.
bool StakeDigitMatches(const TStakeRecord& record, int position);
// Row fill by kind (none for separators and unknown kinds), and the profit colour of columns 5-7.
bool StakeRowColour(const TStakeRecord& record, TColour& colour);
TColour StakeProfitColour(const TStakeRecord& record);

} // namespace qx
