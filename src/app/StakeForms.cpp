#include "app/StakeForms.h"

#include "core/Text.h"
#include "draws/DrawInput.h"

namespace qx {
namespace {

TStakeFormResult Refuse(TStakeField field, std::string message) { return {field, std::move(message)}; }

TStakeFormResult CheckDraws(int64_t drawNumber, int64_t drawsCount) {
    if (drawNumber < 1 || drawNumber > kStakeDrawMax)
        return Refuse(TStakeField::DrawNumber, "Номер тиража должен быть от 1 до 2147483647!");
    if (drawsCount < 1 || drawsCount > kStakeDrawsCountMax)
        return Refuse(TStakeField::DrawsCount, "Количество тиражей должно быть от 1 до 65535!");
    return {};
}

bool CommentGiven(std::string_view comment) { return !Trim(comment).empty(); }

} // namespace

std::string StakeSumText(std::string_view numbers) {
    int64_t sum = 0;
    for (std::string_view word : SplitWords(numbers, ";,")) sum += TryStrToInt(word).value_or(0);
    return std::to_string(sum);
}

TStakeFormResult AcceptStakeForm(int64_t drawNumber, int64_t drawsCount, std::string_view numbers,
                                 std::string_view comment, TStakeRecord& record) {
    if (TStakeFormResult r = CheckDraws(drawNumber, drawsCount); !r) return r;
    const auto digits = ParseDrawDigits(numbers);
    if (!digits) return Refuse(TStakeField::Numbers, kBadCombinationMessage);
    if (!CommentGiven(comment)) return Refuse(TStakeField::Comment, kNoCommentMessage);
    record.DrawNumber = static_cast<int32_t>(drawNumber);
    record.Numbers = StakeNumbersOf(MakeCode((*digits)[0], (*digits)[1], (*digits)[2], (*digits)[3]));
    record.SetComment(LeftChars(comment, kStakeFormCommentMax));
    return {};
}

TStakeFormResult AcceptMultiStakeForm(int64_t drawNumber, int64_t drawsCount, std::string_view comment) {
    if (TStakeFormResult r = CheckDraws(drawNumber, drawsCount); !r) return r;
    if (!CommentGiven(comment)) return Refuse(TStakeField::Comment, kNoCommentMessage);
    return {};
}

} // namespace qx
