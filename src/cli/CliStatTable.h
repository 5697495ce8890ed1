#pragma once
#include "cli/CliCommand.h"
#include "stats/StatTable.h"

namespace qx {

// The options that name a method and its window: --method, --window (default defaultWindow),
// --offset and --sorted, checked against the workspace; every other word must have been taken
// already.
struct TMethodArgs {
    int Method = -1;
    int Window = 0;
    int Offset = 0;
    bool Sorted = false;
};
TMethodArgs TakeMethodArgs(TCliContext& c, TCliArgs& args, int defaultWindow);

// The statistics table the options of "stat" describe (--method, --window, --offset, --sorted,
// --sort, --fullset); every other word must have been taken already.
TStatTable StatTableOfArgs(TCliContext& c, TCliArgs& args);

} // namespace qx
