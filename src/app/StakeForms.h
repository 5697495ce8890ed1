#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "stakes/StakeRecord.h"

namespace qx {

// The rules of the stake dialogs, shared by the windows and the command-line tool.
inline constexpr int64_t kStakeDrawMax = 2147483647;
inline constexpr int64_t kStakeDrawsCountMax = 65535;
inline constexpr int kStakeFormCommentMax = 64;
inline constexpr const char* kNoCommentMessage = "Необходимо ввести комментарий!";

// Which field a refusal sends the focus to.
enum class TStakeField { None, DrawNumber, DrawsCount, Numbers, Comment };
struct TStakeFormResult {
    TStakeField Field = TStakeField::None;  // None: accepted
    std::string Message;
    explicit operator bool() const { return Field == TStakeField::None; }
};

// "Сумма:" of the numbers typed: words between ";" and "," added up, words that are no number
// counting 0.
std::string StakeSumText(std::string_view numbers);

// TFormStake's OK: draw number 1..2147483647 and draws count 1..65535 (the spin edits' ranges),
// exactly four numbers 0..9 ("Введена некорректная комбинация!"), a comment
// ("Необходимо ввести комментарий!") of at most 64 characters (longer ones keep their first 64,
// as the edit field does). On success record gets the draw number, the four numbers and the comment;
// kind, sample, match count and profit stay as prefilled.
TStakeFormResult AcceptStakeForm(int64_t drawNumber, int64_t drawsCount, std::string_view numbers,
                                 std::string_view comment, TStakeRecord& record);
// TFormMulti's OK: the same ranges and comment rule.
TStakeFormResult AcceptMultiStakeForm(int64_t drawNumber, int64_t drawsCount, std::string_view comment);

// TFormStakeFilter's result: low byte the comparison, high byte the value.
inline uint16_t StakeFilterValue(int condition, int value) {
    return static_cast<uint16_t>((condition & 0xFF) | (value & 0xFF) << 8);
}
inline int StakeFilterCondition(uint16_t v) { return v & 0xFF; }
inline int StakeFilterMatches(uint16_t v) { return v >> 8; }

} // namespace qx
