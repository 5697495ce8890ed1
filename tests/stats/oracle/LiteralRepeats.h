#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"

namespace qx::oracle {

// The repeats analysis exactly as described: rows found by walking the rows of the draw, counts
// and the text "Список тиражей" built as the pairs come. The fast analysis is compared with it.
struct TLiteralRepeatsRow {
    int32_t Draw = 0; // Number of the draw
    int Matches = 0;
    int64_t Count = 0;
    std::string List;
};

std::vector<TLiteralRepeatsRow> LiteralRepeats(const TDrawsArray& draws, int64_t length, int64_t deep,
                                               int* maxMatches = nullptr);

} // namespace qx::oracle
