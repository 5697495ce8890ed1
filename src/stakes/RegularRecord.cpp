#include "stakes/RegularRecord.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/BinaryRecords.h"
#include "core/DrawHelpers.h"
#include "core/Text.h"

namespace qx {
namespace {

TCombCode CodeOf(const uint8_t (&digits)[kPositions]) {
    return MakeCode(digits[0], digits[1], digits[2], digits[3]);
}

void Store(uint8_t (&digits)[kPositions], TCombCode code) {
    for (int p = 0; p < kPositions; ++p) digits[p] = static_cast<uint8_t>(DigitOfCode(code, p));
}

} // namespace

const char* const kRegularColumns[kRegularColumnCount] = {"Комментарий", "Стартовая комбинация", "Шаг",
                                                          "Текущая комбинация", "Ставок"};

std::string_view TRegularRecord::RawComment() const {
    return ShortStringView(CommentLength, Comment);
}

std::string TRegularRecord::CommentText() const {
    return Cp1251ToUtf8(RawComment());
}

void TRegularRecord::SetComment(std::string_view utf8) {
    SetRawComment(Utf8ToCp1251(LeftChars(utf8, kRegularCommentMax)));
}

void TRegularRecord::SetRawComment(std::string_view cp1251) { SetShortString(CommentLength, Comment, cp1251); }

TCombCode TRegularRecord::StartCode() const {
    return CodeOf(Start);
}
TCombCode TRegularRecord::CurrentCode() const {
    return CodeOf(Current);
}
void TRegularRecord::SetStart(TCombCode code) {
    Store(Start, code);
}
void TRegularRecord::SetCurrent(TCombCode code) {
    Store(Current, code);
}

TCombCode RegularShift(TCombCode code, int32_t step) {
    const int shift = static_cast<int>(step % kDigitCount); // -9..9 whatever the stored step
    uint8_t d[kPositions];
    for (int p = 0; p < kPositions; ++p)
        d[p] =
            static_cast<uint8_t>(((DigitOfCode(code, p) + shift) % kDigitCount + kDigitCount) % kDigitCount);
    return MakeCode(d[0], d[1], d[2], d[3]);
}

void TablesAdvance(const TDrawsArray& draws, int offset, TRegularRecord& regular) {
    TCombCode base = regular.CurrentCode();
    if (regular.PlayMode() == rmPreviousDraw) {
        const int64_t index = static_cast<int64_t>(draws.size()) - 1 - offset;
        base = index >= 0 && index < static_cast<int64_t>(draws.size()) && offset >= 0
                   ? CodeOfDraw(draws[static_cast<size_t>(index)])
                   : 0;
    }
    regular.SetCurrent(RegularShift(base, regular.Step));
    // A damaged count stops at the largest value instead of wrapping round.
    if (regular.StakesMade < INT32_MAX) ++regular.StakesMade;
}

std::string RegularCellText(const TRegularRecord& regular, int column) {
    switch (column) {
    case 0:
        return regular.CommentText();
    case 1:
        return DigitsText(regular.StartCode());
    case 2:
        return std::to_string(regular.Step);
    case 3:
        return DigitsText(regular.CurrentCode());
    case 4:
        return std::to_string(regular.StakesMade);
    default:
        return {};
    }
}

} // namespace qx
