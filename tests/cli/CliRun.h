#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "support/TestSupport.h"

namespace qx::test {

// One run of the command-line tool over a program directory: exit code and both streams.
struct TCliRun {
    int Code;
    std::string Out, Err;
};

// Runs the command-line tool over the directory and keeps what it printed.
inline TCliRun RunCliIn(const TTempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir.Path().string()});
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// The lines of the tool's output.
inline std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace qx::test
