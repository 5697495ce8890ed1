#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/GraphPlot.h"

namespace qx {

// Repeats analysis: for each of the newest draws, how many of the earlier draws within a depth
// repeat it in exactly 1, 2, 3 or 4 positions.

// The number of positions at which both codes carry the same digit (0..4).
inline int RepeatCount(TCombCode a, TCombCode b) {
    const uint32_t x = a ^ b;
    // High bit of a byte set when the byte is not zero; the zero bytes' bits are then summed by
    // one multiplication (no popcount instruction on the baseline processor).
    const uint32_t nonZero = ((x & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | x;
    const uint32_t zero = (~(nonZero | 0x7F7F7F7Fu)) >> 7; // 1 in the low bit of each equal byte
    return static_cast<int>((zero * 0x01010101u) >> 24);
}

// One row of the list: the draw (archive index), the repeat count and how many earlier draws
// repeat it that often. The row's "Список тиражей" is not kept: at full depth the lists of all
// rows run to hundreds of megabytes, so a row's list is found again when it is shown.
struct TRepeatsRow {
    int32_t DrawIndex = 0;
    int32_t Matches = 0;
    int64_t Count = 0;
};

struct TRepeatsResult {
    std::vector<TRepeatsRow> Rows; // newest draw first; per draw, counts in the order first met
    int MaxMatches = 0;            // the largest repeat count seen (0 without rows)
    int64_t Deep = 0;              // the depth the rows were computed with
};

// The draws analysed for a length: archive indexes High down to max(0, High - length + 1).
int64_t RepeatsDrawCount(int64_t drawsCount, int64_t length);

// Walks p from the newest draw down through length draws and, for each, q from p - 1 down to
// max(0, p - deep). drawDone runs after each p. Lengths and depths are taken in 64 bits, so any
// value up to 2147483647 works on any archive.
TRepeatsResult ComputeRepeats(const TDrawsArray& draws, int64_t length, int64_t deep,
                              const std::function<void()>& drawDone = nullptr);

// The numbers of a row's list, newest first, and its text: the numbers joined by blanks.
void ForEachRepeatedDraw(const TDrawsArray& draws, const TRepeatsRow& row, int64_t deep,
                         const std::function<void(int32_t number)>& fn);
std::string RepeatsListText(const TDrawsArray& draws, const TRepeatsRow& row, int64_t deep);

// The chart's points: for every row from the last to the first, (draw number, count) on the series
// "Совпадений: %d" of its repeat count. Colours are left to the window.
std::string RepeatsSeriesTitle(int matches);
TGraphPlot RepeatsPlot(const TDrawsArray& draws, const TRepeatsResult& result);

} // namespace qx
