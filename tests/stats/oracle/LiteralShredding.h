#pragma once
#include "stats/StatClass.h"

namespace qx::oracle {

// The shredding methods with every value worked out as described: the formula's text rewritten
// with the digits and parsed afresh on each call.
const TStatClass& LiteralShreddingClass();

} // namespace qx::oracle
