#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace qx {

// Runs the command-line tool: arguments without the program name. Returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qx
