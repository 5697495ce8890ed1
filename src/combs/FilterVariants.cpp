#include "combs/FilterVariants.h"

#include "combs/FilterConditions.h"
#include "combs/FilterText.h"
#include "combs/NumberList.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

TFilterPart PartOf(const TFilterItem& item, int32_t length) {
    TFilterPart p;
    p.Defined = item.Defined;
    p.Method = item.Method;
    p.Length = length;
    p.SortColumn = item.SortColumn;
    p.BottomUp = item.BottomUp;
    p.MultiSelect = item.MultiSelect;
    p.Keep = item.Keep;
    p.Condition = item.Condition;
    p.ConditionValues = item.ConditionValues;
    p.Weights = item.Weights;
    p.StopMode = item.StopMode;
    p.StopValue = item.StopValue;
    return p;
}

std::vector<TFilterPart> OptionsOf(const TFilterItem& item) {
    const std::vector<int32_t> lengths = item.Method ? ParseNumberList(item.Lengths) : std::vector<int32_t>{};
    std::vector<int32_t> values;
    if (item.Condition != 0) values = ParseNumberList(item.ConditionValues);
    if (lengths.empty() || (item.Condition != 0 && values.empty()))
        throw TAppError(FormatText("Некорректное описание фильтра: %s!", {FilterItemText(item)}));
    const TConditionInfo& condition = ConditionInfo(item.Condition);
    std::vector<TFilterPart> options;
    for (int32_t length : lengths) {
        TFilterPart part = PartOf(item, length);
        if (condition.PerValue()) {
            for (int32_t v : values) {
                part.ConditionValue = std::to_string(v);
                options.push_back(part);
            }
        } else {
            part.ConditionValue = item.Condition == 0 ? item.ConditionValues : NumberListText(values, ",");
            options.push_back(part);
        }
    }
    return options;
}

} // namespace

TFilterVariants::TFilterVariants(const std::vector<TFilterItem>& items) {
    if (items.empty()) OptionsOf(TFilterItem{});  // raises for the empty description
    FCount = 1;
    for (const TFilterItem& item : items) {
        if (static_cast<int>(FOptions.size()) == kFilterFields) break;
        FOptions.push_back(OptionsOf(item));
        FCount *= static_cast<int64_t>(FOptions.back().size());
        if (FCount > kMaxFilterVariants)
            throw TAppError(TooManyVariantsMessage(
                FormatText("Количество вариантов превышает %d", {std::to_string(kMaxFilterVariants)})));
    }
    FPosition.assign(FOptions.size(), 0);
}

bool TFilterVariants::Next(TFilterRec& rec) {
    if (FMade >= FCount) return false;
    rec = TFilterRec{};
    for (size_t d = 0; d < FOptions.size(); ++d) rec.Parts[d] = FOptions[d][FPosition[d]];
    ++FMade;
    for (size_t d = FOptions.size(); d-- > 0;) {
        if (++FPosition[d] < FOptions[d].size()) break;
        FPosition[d] = 0;
    }
    return true;
}

} // namespace qx
