#pragma once
#include <string>
#include <string_view>

#include "stakes/RegularRecord.h"

namespace qx {

class TRegulars;

// The rules of the regular dialog TFormTable, shared by the window and the command-line tool.

inline constexpr int kTableFormCommentMax = 64;
inline constexpr const char* kNewRegularComment = "Регулярная ставка";
inline constexpr const char* kSelectedCombsText = "{...Выделенные комбинации...}";
inline constexpr const char* kDuplicateRegularMessage =
    "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий.";

// The record the dialog starts from: comment "Регулярная ставка", step 1, mode 0, and, for the
// dialog only, the number of selected combinations in the stakes-made field; with exactly one
// selected combination it is the start.
TRegularRecord ProposedRegular(int selectedCount, TCombCode firstSelected);
int SelectedCountOf(const TRegularRecord& proposed);
// What edCombStart shows: the start digits joined by ";" for one selected combination, else
// "{...Выделенные комбинации...}".
std::string StartEditText(const TRegularRecord& proposed);
// edCombStart takes input only in mode 0 with exactly one selected combination.
bool StartEditable(int mode, int selectedCount);

enum class TTableField { None, Start, Comment, Step };
struct TTableFormResult {
    TTableField Field = TTableField::None; // None: accepted
    std::string Message;
    explicit operator bool() const { return Field == TTableField::None; }
};

// OK of the dialog: in mode 0 with one selected combination the start text must be four digits
// ("Введена некорректная комбинация!"); the comment must be given ("Необходимо ввести
// комментарий!") and differ, ignoring letter case (Cyrillic too), from every regular's comment.
// A step outside -9..9 (the spin edit's range) is refused for callers without the spin edit. On
// success record gets the comment (its first 64 characters), mode, step and, in that case, the
// parsed start.
TTableFormResult AcceptTableForm(TRegularRecord& record, int mode, int step, std::string_view startText,
                                 std::string_view comment, const TRegulars& existing);

} // namespace qx
