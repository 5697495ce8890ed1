#pragma once
#include "cli/CliCommand.h"
#include "stats/StatTable.h"

namespace qx {

// The statistics table the options of "stat" describe (--method, --window, --offset, --sorted,
// --sort, --fullset); every other word must have been taken already.
TStatTable StatTableOfArgs(TCliContext& c, TCliArgs& args);

} // namespace qx
