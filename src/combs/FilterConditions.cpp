#include "combs/FilterConditions.h"

#include <optional>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/Text.h"
#include "combs/FilterItem.h"
#include "stats/StatTable.h"

namespace qx {
namespace {

using F = TRowField;
using T = TConditionTest;

const TConditionInfo kConditions[kConditionCount] = {
    {"LNO", "Весь список (без условий)", F::None, T::Always},
    {"LMV", "\"Глубина\": не менее заданного значения", F::Depth, T::AtLeast},
    {"LMP", "\"Глубина\": не менее заданного процента", F::DepthPercent, T::AtLeast},
    {"LLV", "\"Глубина\": не более заданного значения", F::Depth, T::AtMost},
    {"LLP", "\"Глубина\": не более заданного процента", F::DepthPercent, T::AtMost},
    {"LDV", "\"Глубина\": из заданного списка значений", F::Depth, T::InIntegerList},
    {"LDP", "\"Глубина\": из заданного списка процентов", F::DepthPercent, T::InRealList},
    {"DMV", "\"Отклонение\": не менее заданного значения", F::Deviation, T::AtLeast},
    {"DMP", "\"Отклонение\": не менее заданного процента", F::DeviationPercent, T::AtLeast},
    {"DLV", "\"Отклонение\": не более заданного значения", F::Deviation, T::AtMost},
    {"DLP", "\"Отклонение\": не более заданного процента", F::DeviationPercent, T::AtMost},
    {"DDV", "\"Отклонение\": из заданного списка значений", F::Deviation, T::InIntegerList},
    {"DDP", "\"Отклонение\": из заданного списка процентов", F::DeviationPercent, T::InRealList},
    {"CMV", "\"Количество\": не менее заданного значения", F::Count, T::AtLeast},
    {"CMP", "\"Количество\": не менее заданного процента", F::CountPercent, T::AtLeast},
    {"CLV", "\"Количество\": не более заданного значения", F::Count, T::AtMost},
    {"CLP", "\"Количество\": не более заданного процента", F::CountPercent, T::AtMost},
    {"CDV", "\"Количество\": из заданного списка значений", F::Count, T::InIntegerList},
    {"CDP", "\"Количество\": из заданного списка процентов", F::CountPercent, T::InRealList},
    {"WMV", "\"Вес\": не менее заданного значения", F::Weight, T::AtLeast},
    {"WLV", "\"Вес\": не более заданного значения", F::Weight, T::AtMost},
    {"WDV", "\"Вес\": из заданного списка значений", F::Weight, T::InRealList},
    {"PIM", "\"Период min\": не менее заданного значения", F::PeriodMin, T::AtLeast},
    {"PIL", "\"Период min\": не более заданного значения", F::PeriodMin, T::AtMost},
    {"PIR", "\"Период min\": из заданного списка значений", F::PeriodMin, T::InIntegerList},
    {"PAM", "\"Период\": не менее заданного значения", F::Period, T::AtLeast},
    {"PAL", "\"Период\": не более заданного значения", F::Period, T::AtMost},
    {"PAR", "\"Период\": из заданного списка значений", F::Period, T::InRealList},
    {"PXM", "\"Период max\": не менее заданного значения", F::PeriodMax, T::AtLeast},
    {"PXL", "\"Период max\": не более заданного значения", F::PeriodMax, T::AtMost},
    {"PXR", "\"Период max\": из заданного списка значений", F::PeriodMax, T::InIntegerList},
    {"LVA", "\"Значения\": из заданного списка значений", F::NumValue, T::InIntegerList},
};

const TStopModeInfo kStopModes[kStopModeCount] = {
    {"SF", "Обработать все записи"},
    {"SC", "Количеству оставшихся комбинаций"},
    {"SZ", "Пока список не будет пуст и откатить на шаг"},
    {"ST", "Количеству шагов"},
    {"SV", "Значению в списке статистики"},
    {"SP", "Процентному соотношению в списке статистики"},
};

bool IsIntegerField(F f) {
    return f == F::Depth || f == F::Deviation || f == F::Count || f == F::PeriodMin || f == F::PeriodMax;
}
bool IsPercentField(F f) { return f == F::DepthPercent || f == F::DeviationPercent || f == F::CountPercent; }

[[noreturn]] void ConversionError(std::string_view text) {
    throw TAppError(FormatText("\"%s\" не является корректным числом", {std::string(text)}));
}

long double NumberOrRaise(const TRowFigure& figure) {
    if (!figure.Number) ConversionError(figure.Text);
    return *figure.Number;
}

int64_t IntegerOrRaise(std::string_view text) { return int64_t(NumberOrRaise(FigureOfText(F::Count, text))); }

long double RealOrRaise(std::string_view text) { return NumberOrRaise(FigureOfText(F::Weight, text)); }

TStatColumn ColumnOf(F field) {
    switch (field) {
    case F::Depth: return TStatColumn::Depth;
    case F::DepthPercent: return TStatColumn::DepthPercent;
    case F::Deviation: return TStatColumn::Deviation;
    case F::DeviationPercent: return TStatColumn::DeviationPercent;
    case F::Count: return TStatColumn::Count;
    case F::CountPercent: return TStatColumn::CountPercent;
    case F::Weight: return TStatColumn::Weight;
    case F::PeriodMin: return TStatColumn::PeriodMin;
    case F::Period: return TStatColumn::Period;
    case F::PeriodMax: return TStatColumn::PeriodMax;
    default: return TStatColumn::Value;
    }
}

} // namespace

const TConditionInfo& ConditionInfo(int condition) {
    return kConditions[(condition >= 0 && condition < kConditionCount) ? condition : 0];
}

const TStopModeInfo& StopModeInfo(int stopMode) {
    return kStopModes[(stopMode >= 0 && stopMode < kStopModeCount) ? stopMode : 0];
}

bool StopModeReached(const TFilterPart& part, long double count, long double countPercent, int steps, int64_t combs) {
    switch (part.StopMode) {
    case smCombsCount: return combs <= part.StopValue;
    case smSteps: return steps >= part.StopValue;
    case smValue: return part.BottomUp ? count >= part.StopValue : count <= part.StopValue;
    case smPercent: return part.BottomUp ? countPercent >= part.StopValue : countPercent <= part.StopValue;
    default: return false;
    }
}

bool StopModeReached(const TFilterPart& part, const TStatValues& row, int steps, int64_t combs) {
    return StopModeReached(part, StrToFloatDef(row.Count, 0), StrToFloatDef(row.CountPercent, 0), steps, combs);
}

TRowFigure FigureOfText(TRowField field, std::string_view text) {
    if (IsIntegerField(field)) {
        const auto v = TryStrToInt64(Trim(text));
        return {v ? std::optional<long double>(static_cast<long double>(*v)) : std::nullopt, text};
    }
    return {TryStrToFloat(text), text};
}

TRowFigure FigureOfRow(const TStatTable& table, int row, TRowField field) {
    const TStatColumn column = ColumnOf(field);
    const TStatCell cell = table.Cell(row, column);
    if (cell.IsNumber()) return {cell.Value(), {}};
    if (cell.Kind == TStatCell::Dash) return {std::nullopt, "-"};
    return FigureOfText(field, table.Text(row, column));  // a real number only printf prints
}

const std::string& RowFieldText(const TStatValues& v, TRowField field) {
    static const std::string none;
    switch (field) {
    case F::Depth: return v.Depth;
    case F::DepthPercent: return v.DepthPercent;
    case F::Deviation: return v.Deviation;
    case F::DeviationPercent: return v.DeviationPercent;
    case F::Count: return v.Count;
    case F::CountPercent: return v.CountPercent;
    case F::Weight: return v.Weight;
    case F::PeriodMin: return v.PeriodMin;
    case F::Period: return v.Period;
    case F::PeriodMax: return v.PeriodMax;
    default: return none;
    }
}

bool ConditionHolds(int condition, std::string_view fieldText, int32_t numValue, std::string_view conditionValue) {
    return ConditionHolds(condition, FigureOfText(ConditionInfo(condition).Field, fieldText), numValue, conditionValue);
}

bool ConditionHolds(int condition, const TRowFigure& figure, int32_t numValue, std::string_view conditionValue) {
    const TConditionInfo& c = ConditionInfo(condition);
    switch (c.Test) {
    case T::Always: return true;
    case T::AtLeast:
    case T::AtMost: {
        const long double threshold = StrToIntDef(Trim(conditionValue), 0);
        const bool atMost = c.Test == T::AtMost;
        // A figure that is not a number: 0, or 65535 for "не более" of integers and percentages.
        const bool high = atMost && (IsIntegerField(c.Field) || IsPercentField(c.Field));
        const long double value = figure.Number.value_or(high ? 65535 : 0);
        return atMost ? value <= threshold : value >= threshold;
    }
    case T::InIntegerList: {
        const int64_t value = c.Field == F::NumValue ? numValue : int64_t(NumberOrRaise(figure));
        for (std::string_view w : SplitWords(conditionValue, ",;"))
            if (IntegerOrRaise(w) == value) return true;
        return false;
    }
    case T::InRealList: {
        const long double value = NumberOrRaise(figure);
        for (std::string_view w : SplitWords(conditionValue, ",;"))
            if (RealOrRaise(w) == value) return true;
        return false;
    }
    }
    return false;
}

} // namespace qx
