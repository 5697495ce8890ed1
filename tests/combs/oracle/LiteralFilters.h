#pragma once
#include "combs/FilterItem.h"
#include "core/Config.h"
#include "core/Game.h"

namespace qx {
class TStatList;
}

// A script line's variant applied to a combination list exactly as described, step by step: the
// literal table, an insertion sort by the texts, Matches for every combination of every step. The
// oracle the workspace's filter application is compared with (tests and benchmarks only).
namespace qx::oracle {

struct TLiteralFilterInput {
    const TStatList* Registry = nullptr; // methods and their statistic objects
    int Current = -1;                    // L
    bool Sorted = false;
    TStatWeights Weights; // the weights when a part has none of its own
};

// Applies the parts in order, each while more than one combination is left; combs is the working
// list, changed in place.
void LiteralApplyFilterRec(const TLiteralFilterInput& input, const TFilterRec& rec, TCombsArray& combs);

} // namespace qx::oracle
