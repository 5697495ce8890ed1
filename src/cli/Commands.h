#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace qx {

// Runs the command-line tool: arguments without the program name. Returns the exit code.
// Commands that read input (a password) take it from in, standard input when none is given.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* in = nullptr);

} // namespace qx
