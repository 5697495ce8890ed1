#pragma once
// The stakes and ratings operations taken literally, as the program first described them: one
// record read at a time over the whole file, draws looked up with IndexOfNumber, rating rows
// found by a linear search. Tests and benchmarks compare the fast versions with these.
#include <filesystem>
#include <functional>
#include <vector>

#include "core/Config.h"
#include "core/Game.h"
#include "scripts/RatingRow.h"
#include "stakes/StakeRecord.h"

namespace qx::oracle {

// Checks the stakes file at path in place; every checked record goes to sink. Returns how many.
int64_t LiteralStakesCheck(const std::filesystem::path& path, const TDrawsArray& draws, const TConfigData& config,
                           const std::function<void(const TStakeRecord&)>& sink);
// The linear search for the first row whose key equals the comment ignoring case.
void LiteralRatingsAddStake(std::vector<TRatingRow>& rows, const TStakeRecord& stake);
// A record of that draw with the same numbers, by reading every record.
bool LiteralStakeFind(const std::filesystem::path& path, int32_t draw, const TStakeNumbers& numbers);

} // namespace qx::oracle
