#pragma once
#include <cstdint>
#include <vector>

#include "stats/StatTable.h"

namespace qx {
class TDigitValuesSource;
class TOwnWindowPass;
}

// The accumulation step of a statistic table: the window's draws merged into the rows, and the
// fact of every row that shows one. Used by ComputeTable only.
namespace qx::detail {

// From the method's value table, without calling the method per draw. False (rows untouched)
// when the window holds a digit outside 0..9 or a listed row is not blank.
bool DigitsWindow(TCustomStat& stat, const TDigitValuesSource& source, TStatRows& rows, const TStatTableParams& p,
                  int start, std::vector<int32_t>& facts);
// Through the method's own pass (OwnPasses.h). False (rows untouched) when the pass declines, the
// current draw lies beyond the archive or a listed row is not blank.
bool OwnWindow(TCustomStat& stat, TOwnWindowPass& pass, TStatRows& rows, const TStatTableParams& p, int start,
               std::vector<int32_t>& facts);
// Any method: AddDraw per draw, FindNext per row.
void GenericWindow(TCustomStat& stat, TStatRows& rows, const TStatTableParams& p, int start,
                   std::vector<int32_t>& facts);

inline bool NeedsFact(const TStatDraw& row) { return row.Depth != 0 && row.Count >= 1; }

} // namespace qx::detail
