#pragma once
#include <string>
#include <vector>

#include "core/Game.h"

namespace qx {

class TStatList;
class TWorkspace;

struct TPropertyRow {
    std::string Name;
    std::string Value;
};

// One row per registered graph method: its name and the number it gives for the combination when
// the draw at archive index latest is the latest draw (latest may lie outside the archive: the
// methods then see zero draws). Digits are sorted when sorted is set, as everywhere in the analysis.
std::vector<TPropertyRow> MethodValueRows(const TStatList& stats, TCombCode code, int latest, bool sorted);

// The draw information dialog for the draw at an archive index: its number and date label, then
// the method rows with that draw as the latest one.
std::vector<TPropertyRow> DrawInfoRows(const TWorkspace& ws, int archiveIndex);

// The same dialog for a combination of the working list: the method rows only, with the current
// draw as the latest one.
std::vector<TPropertyRow> CombInfoRows(const TWorkspace& ws, TCombCode code);

} // namespace qx
