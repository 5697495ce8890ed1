#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Config.h"
#include "core/Game.h"

namespace qx {

// Where a stake came from.
enum TStakeKind : uint8_t {
    skNone = 0,  // separator between groups of stakes
    skManual = 1,
    skRegular = 2,
    skScript = 3,
    skSystem = 4,
};
// "Вручную", "Регуляр", "Сценарий", "Система" for kinds 1..4; empty otherwise.
const char* StakeKindCaption(int kind);

inline constexpr uint8_t kStakeVersion = 2;
inline constexpr int kStakeCommentMax = 255;
inline constexpr const char* kManualStakeComment = "Ставка \"вручную\"";

// A count followed by four digit bytes; the staked numbers and the matched digits share it.
struct TStakeNumbers {
    int32_t Count = 0;
    uint8_t Digits[kPositions] = {0, 0, 0, 0};
    friend bool operator==(const TStakeNumbers&, const TStakeNumbers&) = default;
};
static_assert(sizeof(TStakeNumbers) == 8);

TStakeNumbers StakeNumbersOf(TCombCode code);

// One stake exactly as it lies in the stakes file (304 bytes, little-endian). A new record is
// all zero bytes: every reserved byte and every digit beyond a group's count stays zero.
struct TStakeRecord {
    uint8_t Version = kStakeVersion;
    uint8_t Kind = skNone;
    uint8_t Reserved1[2] = {0, 0};
    int32_t DrawNumber = 0;
    uint8_t Checked = 0;  // 1 once checked against its draw
    uint8_t Reserved2[3] = {0, 0, 0};
    int32_t Sample = 0;  // combinations in the working list when the stake was made
    TStakeNumbers Numbers;
    uint8_t Drawn[kPositions] = {0, 0, 0, 0};  // digits of the draw, written by checking
    TStakeNumbers Matched;  // Count: matching positions, -1 while unchecked; digits ascending
    uint8_t Reserved3[4] = {0, 0, 0, 0};
    TMoney Profit = 0;
    uint8_t CommentLength = 0;
    char Comment[kStakeCommentMax] = {};  // Windows-1251

    // The comment's stored bytes and its UTF-8 text; a longer text keeps its first 255 characters.
    std::string_view RawComment() const;
    std::string CommentText() const;
    void SetComment(std::string_view utf8);
    void SetRawComment(std::string_view cp1251);

    bool IsChecked() const { return Checked != 0; }
    // Checking looks at records of a real kind, with a draw number and four numbers.
    bool Qualifies() const { return Kind != skNone && DrawNumber > 0 && Numbers.Count >= kPositions; }
    // The stored match count when it can index anything (0..4), else -1.
    int ValidMatchCount() const;
    // The staked digits as "1;2;3;4" (as many as the count says, at most four).
    std::string NumbersText() const;
};
static_assert(sizeof(TStakeRecord) == 304);
static_assert(offsetof(TStakeRecord, Kind) == 1);
static_assert(offsetof(TStakeRecord, DrawNumber) == 4);
static_assert(offsetof(TStakeRecord, Checked) == 8);
static_assert(offsetof(TStakeRecord, Sample) == 12);
static_assert(offsetof(TStakeRecord, Numbers) == 16);
static_assert(offsetof(TStakeRecord, Drawn) == 24);
static_assert(offsetof(TStakeRecord, Matched) == 28);
static_assert(offsetof(TStakeRecord, Profit) == 40);
static_assert(offsetof(TStakeRecord, CommentLength) == 48);
static_assert(offsetof(TStakeRecord, Comment) == 49);

inline constexpr int64_t kStakeSize = sizeof(TStakeRecord);

// The record between groups: kind 0, draw -1, match count -1, nothing else.
void StakeInitSeparator(TStakeRecord& record);
TStakeRecord StakeSeparator();

// The record of a new unchecked stake: match count -1, profit of a stake not yet checked.
TStakeRecord NewStake(TStakeKind kind, int32_t drawNumber, const TStakeNumbers& numbers, int32_t sample,
                      std::string_view commentUtf8, const TConfigData& config);

// Profit of a stake of count numbers with matches matching positions (-1: not checked yet): minus
// the cost times the size factor (1 up to four numbers, count to the fourth power above), plus
// the prize of the first prize row for that match count. Saturates instead of overflowing for
// damaged counts.
TMoney StakeProfit(int32_t count, int32_t matches, const TConfigData& config);

// Checks the record against the draw's digits: drawn digits, matched digits in ascending order,
// match count, profit, checked flag. The staked numbers and every other byte stay as they are.
void CheckStake(TStakeRecord& record, const uint8_t (&drawn)[kPositions], const TConfigData& config);

// Money as the grid, the ratings and the logs show it: rounded to hundredths, halves away from
// zero, with the given decimal separator.
std::string MoneyText(TMoney value, char separator);
// total / count rounded to a whole money unit (ten-thousandths), halves away from zero; count > 0.
TMoney MoneyAverage(TMoney total, int64_t count);

} // namespace qx
