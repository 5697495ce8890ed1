#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Game.h"

namespace qx {

// How a regular finds the base it shifts: its own running combination, or the draw before the
// stake's draw.
enum TRegularMode : uint8_t {
    rmConstantStart = 0,
    rmPreviousDraw = 1,
};

inline constexpr int kRegularCommentMax = 255;
inline constexpr int kRegularStepMin = -9;
inline constexpr int kRegularStepMax = 9;

// A regular table stake exactly as the regulars file stores it (276 bytes, little-endian): a rule
// that makes one combination per draw by shifting every digit of a base by a fixed step, modulo 10.
struct TRegularRecord {
    uint8_t CommentLength = 0;
    char Comment[kRegularCommentMax] = {}; // Windows-1251; unique among regulars entered in the dialog
    uint8_t Mode = rmConstantStart;
    uint8_t Start[kPositions] = {0, 0, 0, 0};
    uint8_t Current[kPositions] = {0, 0, 0, 0}; // the last stake's combination (the start until then)
    uint8_t Reserved[3] = {0, 0, 0};
    int32_t Step = 0;
    int32_t StakesMade = 0;

    std::string_view RawComment() const;
    std::string CommentText() const;
    // A longer text keeps its first 255 characters.
    void SetComment(std::string_view utf8);
    void SetRawComment(std::string_view cp1251);

    // Any mode byte other than 1 plays as a constant start.
    TRegularMode PlayMode() const { return Mode == rmPreviousDraw ? rmPreviousDraw : rmConstantStart; }
    TCombCode StartCode() const;
    TCombCode CurrentCode() const;
    void SetStart(TCombCode code);
    void SetCurrent(TCombCode code);
};
static_assert(sizeof(TRegularRecord) == 276);
static_assert(offsetof(TRegularRecord, Comment) == 1);
static_assert(offsetof(TRegularRecord, Mode) == 256);
static_assert(offsetof(TRegularRecord, Start) == 257);
static_assert(offsetof(TRegularRecord, Current) == 261);
static_assert(offsetof(TRegularRecord, Reserved) == 265);
static_assert(offsetof(TRegularRecord, Step) == 268);
static_assert(offsetof(TRegularRecord, StakesMade) == 272);

inline constexpr int64_t kRegularSize = sizeof(TRegularRecord);

// Every digit d becomes d + step modulo 10. For digits 0..9 and steps -9..9 this is "d + step,
// minus 10 above 9, plus 10 below 0"; a damaged record (a digit above 9, a step outside -9..9)
// still gives digits 0..9.
TCombCode RegularShift(TCombCode code, int32_t step);

// TablesAdvance: the regular's next combination with the draws offset at offset. The base is the
// current combination, or in mode 1 the digits of the draw the offset shows (the newest draw at
// offset 0; all zero outside the archive). Current becomes the shifted base and one more stake
// is counted.
void TablesAdvance(const TDrawsArray& draws, int offset, TRegularRecord& regular);

// The list's columns: "Комментарий", "Стартовая комбинация", "Шаг", "Текущая комбинация", "Ставок".
inline constexpr int kRegularColumnCount = 5;
extern const char* const kRegularColumns[kRegularColumnCount];
std::string RegularCellText(const TRegularRecord& regular, int column);

} // namespace qx
