#include "combs/FilterVariants.h"

#include "combs/FilterConditions.h"
#include "combs/FilterText.h"
#include "combs/NumberList.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

[[noreturn]] void Invalid(const TFilterItem& item) {
    throw TAppError(FormatText("Некорректное описание фильтра: %s!", {FilterItemText(item)}));
}

[[noreturn]] void TooMany() {
    throw TAppError(
        TooManyVariantsMessage(FormatText("Количество вариантов превышает %d", {std::to_string(kMaxFilterVariants)})));
}

} // namespace

TFilterPart TFilterVariants::TDescription::Part(size_t position) const {
    TFilterPart p;
    p.Defined = Item.Defined;
    p.Method = Item.Method;
    p.Length = Lengths[position / PerLength()];
    p.SortColumn = Item.SortColumn;
    p.BottomUp = Item.BottomUp;
    p.MultiSelect = Item.MultiSelect;
    p.Keep = Item.Keep;
    p.Condition = Item.Condition;
    p.ConditionValues = Item.ConditionValues;
    p.ConditionValue = Thresholds.empty() ? ListText : std::to_string(Thresholds[position % PerLength()]);
    p.Weights = Item.Weights;
    p.StopMode = Item.StopMode;
    p.StopValue = Item.StopValue;
    return p;
}

TFilterVariants::TFilterVariants(const std::vector<TFilterItem>& items) {
    if (items.empty()) Invalid(TFilterItem{});
    FCount = 1;
    for (const TFilterItem& item : items) {
        if (static_cast<int>(FDescriptions.size()) == kFilterFields) break;
        TDescription d;
        d.Item = item;
        if (item.Method) d.Lengths = ParseNumberList(item.Lengths);
        std::vector<int32_t> values;
        if (item.Condition != 0) values = ParseNumberList(item.ConditionValues);
        if (d.Lengths.empty() || (item.Condition != 0 && values.empty())) Invalid(item);
        const bool perValue = ConditionInfo(item.Condition).PerValue();
        // Both factors are at most the number-list limit, so the product fits 64 bits.
        FCount *= int64_t(d.Lengths.size()) * int64_t(perValue ? values.size() : 1);
        if (FCount > kMaxFilterVariants) TooMany();
        if (perValue)
            d.Thresholds = std::move(values);
        else
            d.ListText = item.Condition == 0 ? item.ConditionValues : NumberListText(values, ",");
        FDescriptions.push_back(std::move(d));
    }
    FPosition.assign(FDescriptions.size(), 0);
}

bool TFilterVariants::Next(TFilterRec& rec) {
    if (FMade >= FCount || (StopRequested && StopRequested())) return false;
    rec = TFilterRec{};
    for (size_t d = 0; d < FDescriptions.size(); ++d) rec.Parts[d] = FDescriptions[d].Part(FPosition[d]);
    ++FMade;
    for (size_t d = FDescriptions.size(); d-- > 0;) {
        if (++FPosition[d] < FDescriptions[d].Count()) break;
        FPosition[d] = 0;
    }
    if (FMade % 1000 == 0 && OnProgress) OnProgress(FMade);
    return true;
}

bool TFilterVariants::Next(TFilterVar& var) {
    if (!Next(var.Rec)) return false;
    var.Number = FMade;
    return true;
}

std::string VariantsProgressText(int64_t made) {
    return FormatText("Создание всех вариантов фильтров ( %d )...", {std::to_string(made)});
}

} // namespace qx
