#include "app/FilterForm.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <vector>

#include "app/ConfigForm.h"
#include "app/MethodChooser.h"
#include "combs/FilterConditions.h"
#include "combs/NumberList.h"
#include "core/Text.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"

namespace qx {
namespace {

constexpr int kFirstWeightCondition = 19; // WMV, WLV, WDV
constexpr int kLastWeightCondition = 21;

int EntryOfMethod(const TMethodChooser& chooser, const TStatList& registry, const TStatMethod* method) {
    if (chooser.Entries().empty()) return -1;
    if (method) {
        const int index = registry.IndexOfCode(method->Code());
        for (size_t e = 0; e < chooser.Entries().size(); ++e)
            if (chooser.Entries()[e].Method == index) return static_cast<int>(e);
    }
    return 0;
}

// A number list as the editor judges it; a list too long to hold is refused with its own message.
std::optional<std::string> ListError(const std::string& text, bool zeroAlone) {
    try {
        const std::vector<int32_t> values = ParseNumberList(text);
        if (values.empty() || (zeroAlone && values.size() == 1 && values[0] == 0)) return kBadRangeMessage;
        return std::nullopt;
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
}

} // namespace

TFilterForm FilterFormOf(const TFilterItem& item, const TMethodChooser& chooser, const TStatList& registry,
                         int tabLength, const TStatWeights& weights) {
    TFilterForm f;
    f.Entry = chooser.Entries().empty() ? -1 : std::max(0, chooser.Selected());
    f.Lengths = std::to_string(tabLength);
    TStatWeights shown = weights;
    if (item.Defined) {
        f.Entry = EntryOfMethod(chooser, registry, item.Method);
        f.Lengths = item.Lengths;
        // The editor offers the table's columns only; a stored column outside them shows the nearest.
        f.SortColumn = std::clamp(item.SortColumn, 0, kStatColumnCount - 1);
        f.BottomUp = item.BottomUp;
        f.Keep = item.Keep;
        f.MultiSelect = item.MultiSelect;
        f.Condition = std::clamp<int>(item.Condition, 0, kConditionCount - 1);
        f.Values = item.ConditionValues;
        f.StopMode = std::clamp<int>(item.StopMode, 0, kStopModeCount - 1);
        f.StopValue = std::max(1, item.StopValue);
        if (item.Weights.OwnWeights) {
            f.OwnWeights = true;
            shown = {item.Weights.WeightCount, item.Weights.WeightDeviation, item.Weights.WeightDepth,
                     item.Weights.WeightPercents, item.Weights.WeightAbs};
        }
    }
    f.Weights = {WeightText(shown.Count), WeightText(shown.Deviation), WeightText(shown.Level)};
    f.Exact = {shown.Count, shown.Deviation, shown.Level};
    f.WeightPercents = shown.UsePercents;
    f.WeightAbs = shown.UseAbsValues;
    return f;
}

bool FilterFormWeightsEnabled(int condition) {
    return condition >= kFirstWeightCondition && condition <= kLastWeightCondition;
}

bool IsNumberListInputChar(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'-' || c == U',' || c == U';' || c < 32 || c == 127;
}

const TStatMethod* FilterFormMethod(const TFilterForm& form, const TMethodChooser& chooser,
                                    const TStatList& registry) {
    if (form.Entry < 0 || form.Entry >= static_cast<int>(chooser.Entries().size())) return nullptr;
    const int method = chooser.Entries()[static_cast<size_t>(form.Entry)].Method;
    return method >= 0 && method < registry.Count() ? &registry.Items(method) : nullptr;
}

std::optional<TFilterFormRefusal> CheckFilterForm(const TFilterForm& form, const TStatMethod* method,
                                                  const TMethodChooser& chooser) {
    if (!method)
        return TFilterFormRefusal{TFilterFormField::Method,
                                  FormatText(kNoMethodSelectedMessage, {chooser.Name()})};
    if (auto error = ListError(form.Lengths, true))
        return TFilterFormRefusal{TFilterFormField::Lengths, *error};
    if (form.Condition == kConditionValueList && !method->StatClass->CanParseValue())
        return TFilterFormRefusal{TFilterFormField::Condition, kNoValueListMessage};
    if (form.Condition != 0)
        if (auto error = ListError(form.Values, false))
            return TFilterFormRefusal{TFilterFormField::Values, *error};
    if (form.MultiSelect && form.StopMode == smCombsCount)
        return TFilterFormRefusal{TFilterFormField::StopMode, kMultiSelectStopMessage};
    return std::nullopt;
}

TFilterItem FilterItemOfForm(const TFilterItem& original, const TFilterForm& shown, const TFilterForm& edited,
                             const TStatMethod* method) {
    TFilterItem item;
    item.Defined = true;
    item.StatText = original.StatText;
    item.Method = method;
    item.Lengths = edited.Lengths;
    item.SortColumn = edited.SortColumn;
    item.BottomUp = edited.BottomUp;
    item.MultiSelect = edited.MultiSelect;
    item.Keep = edited.Keep;
    item.Condition = static_cast<uint8_t>(std::clamp(edited.Condition, 0, kConditionCount - 1));
    item.ConditionValues = edited.Values;
    item.StopMode = static_cast<uint8_t>(std::clamp(edited.StopMode, 0, kStopModeCount - 1));
    item.StopValue = std::clamp(edited.StopValue, 1, INT_MAX);
    item.Weights.OwnWeights = edited.OwnWeights;
    if (edited.OwnWeights) {
        item.Weights.WeightCount = WeightField(shown.Exact[0], shown.Weights[0], edited.Weights[0]);
        item.Weights.WeightDeviation = WeightField(shown.Exact[1], shown.Weights[1], edited.Weights[1]);
        item.Weights.WeightDepth = WeightField(shown.Exact[2], shown.Weights[2], edited.Weights[2]);
        item.Weights.WeightPercents = edited.WeightPercents;
        item.Weights.WeightAbs = edited.WeightAbs;
    }
    return item;
}

} // namespace qx
