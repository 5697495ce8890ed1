#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "support/TestSupport.h"

namespace qx::test {

// What one run of the tool gave: exit code, standard output and error output.
struct TCliRun {
    int Code;
    std::string Out, Err;
};

// Runs the tool over the program directory dir.
inline TCliRun Cli(const TTempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir.Path().string()});
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace qx::test
