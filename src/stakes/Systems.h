#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Game.h"

namespace qx {

// The number map of system play: the distinct digits of the list in order of first appearance
// (list order, then positions 1..4), at most ten. Abstract number k of a system stands for the
// k-th of them.
std::vector<uint8_t> SystemNumbers(const TCombsArray& combs);

// What loading the system for a number map gave.
struct TSystemLoadResult {
    bool Ok = false;
    std::vector<TCombCode> Combs;  // positions in line order, digits through the map
    std::string FileName;          // the system file's name; on failure the short reason
    std::string Message;           // the error box's text on failure
};

// SystemLoad: the first file "4-NN-*_*.dat" (NN = the map's size, two digits) of the folder in
// name order; each non-blank line is four abstract numbers 1..N separated by any of
// " *+,-./:;=\_|~" (runs counting as one). A missing system, an unreadable file, a line that is
// not four numbers of the map and a file without combinations fail.
TSystemLoadResult SystemLoad(const std::filesystem::path& systemsDir, const std::vector<uint8_t>& numbers);

} // namespace qx
