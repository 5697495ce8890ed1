#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/ProgramDir.h"

namespace qx {

// What the window program prints instead of starting: "--help" or "--version" anywhere among its
// parameters answers at once, before any window or display is needed.
enum class TInfoRequest { None, Help, Version };
TInfoRequest FindInfoRequest(const std::vector<std::string>& params);

// "<program> <version>".
std::string VersionText(std::string_view program);
// The switches of the window program and where it keeps its files.
std::string WindowUsage(const TProgramLocation& location);

} // namespace qx
