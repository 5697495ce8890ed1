#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace qx {

struct TCliContext;
struct TRatingRow;
struct TStakeRecord;

// The stakes grid's nine columns, tab-separated, for the records from first on that keep accepts
// (all when none); with rowNumbers each line starts with the grid row ("Строка").
void PrintStakeRows(TCliContext& c, int64_t first, bool rowNumbers,
                    const std::function<bool(const TStakeRecord&)>& keep = nullptr);
// The rating list's sixteen columns, tab-separated, in the mode given.
void PrintRatingRows(TCliContext& c, const std::vector<const TRatingRow*>& rows, int effMode);

} // namespace qx
