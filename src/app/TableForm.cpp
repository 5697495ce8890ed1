#include "app/TableForm.h"

#include "app/StakeForms.h"
#include "core/DrawHelpers.h"
#include "core/Text.h"
#include "draws/DrawInput.h"
#include "stakes/Regulars.h"

namespace qx {

TRegularRecord ProposedRegular(int selectedCount, TCombCode firstSelected) {
    TRegularRecord r;
    r.SetComment(kNewRegularComment);
    r.Step = 1;
    r.StakesMade = selectedCount;
    if (selectedCount == 1) {
        r.SetStart(firstSelected);
        r.SetCurrent(firstSelected);
    }
    return r;
}

int SelectedCountOf(const TRegularRecord& proposed) {
    return proposed.StakesMade;
}

std::string StartEditText(const TRegularRecord& proposed) {
    return SelectedCountOf(proposed) == 1 ? DigitsText(proposed.StartCode()) : kSelectedCombsText;
}

bool StartEditable(int mode, int selectedCount) {
    return mode == rmConstantStart && selectedCount == 1;
}

TTableFormResult AcceptTableForm(TRegularRecord& record, int mode, int step, std::string_view startText,
                                 std::string_view comment, const TRegulars& existing) {
    const bool parseStart = StartEditable(mode, SelectedCountOf(record));
    std::optional<TDigits> start;
    if (parseStart) {
        start = ParseDrawDigits(startText);
        if (!start) return {TTableField::Start, kBadCombinationMessage};
    }
    if (step < kRegularStepMin || step > kRegularStepMax)
        return {TTableField::Step, "Шаг должен быть от -9 до 9!"};
    const std::string_view text = LeftChars(comment, kTableFormCommentMax);
    if (Trim(text).empty()) return {TTableField::Comment, kNoCommentMessage};
    if (existing.HasComment(text)) return {TTableField::Comment, kDuplicateRegularMessage};
    record.SetComment(text);
    record.Mode = mode == rmPreviousDraw ? rmPreviousDraw : rmConstantStart;
    record.Step = step;
    if (start) record.SetStart(MakeCode((*start)[0], (*start)[1], (*start)[2], (*start)[3]));
    return {};
}

} // namespace qx
