#pragma once
#include <string>
#include <vector>

namespace qx {

class TWorkspace;

struct TPropertyRow {
    std::string Name;
    std::string Value;
};

// The property rows of the draw information dialog for the draw at an archive index: its
// number and date label (the statistic methods add a row each once they are registered).
std::vector<TPropertyRow> DrawInfoRows(const TWorkspace& ws, int archiveIndex);

} // namespace qx
