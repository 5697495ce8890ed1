#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace qx::test {

struct TCliResult {
    int Code = 0;
    std::string Out, Err;
};
// Runs the command-line tool in this process over the program directory dir.
TCliResult RunTool(const std::filesystem::path& dir, std::vector<std::string> args);

// A program directory that has been used (an archive of 40 draws numbered 1..40, the stakes file,
// the window state), and a folder beside it for
// the files handed to commands, so that everything in the program directory is the program's.
class TProgramDir {
public:
    TProgramDir();
    const std::filesystem::path& Dir() const { return FDir.Path(); }
    const std::filesystem::path& Inputs() const { return FInputs.Path(); }
    std::filesystem::path File(const std::string& name) const { return Dir() / name; }
    std::filesystem::path Input(const std::string& name) const { return Inputs() / name; }

private:
    TTempDir FDir;
    TTempDir FInputs;
};

// One hostile input and what the program must answer to it: the message (found in the output or
// the error stream; empty for none) and the exit code. The program's files must be exactly as
// they were after plant put the hostile thing in place.
struct THostileCase {
    std::string Name;
    std::function<void(const TProgramDir&)> Plant;
    // "{dir}" and "{in}" stand for the program directory and the inputs folder.
    std::vector<std::string> Args;
    std::string Message;
    int Code = 1;
};
void CheckHostileCases(const std::vector<THostileCase>& cases);

// Planting helpers.
void MakeFifo(const std::filesystem::path& path);
// A file of that size that takes no room on disk.
void MakeSparseFile(const std::filesystem::path& path, uint64_t size);
std::string RandomBytes(size_t count, unsigned seed, bool withNul);

} // namespace qx::test
