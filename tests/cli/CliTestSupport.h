#pragma once
#include "cli/CliRun.h"

namespace qx::test {

// The runner under its short name, as the tool's own tests call it.
inline TCliRun Cli(const TTempDir& dir, std::vector<std::string> args) { return RunCliIn(dir, std::move(args)); }

} // namespace qx::test
