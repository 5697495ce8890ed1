#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

struct TFilterPart;
struct TStatValues;
class TStatTable;

// The figure of a statistics row a condition tests.
enum class TRowField { None, Depth, DepthPercent, Deviation, DeviationPercent, Count, CountPercent, Weight,
                       PeriodMin, Period, PeriodMax, NumValue };

enum class TConditionTest { Always, AtLeast, AtMost, InIntegerList, InRealList };

struct TConditionInfo {
    const char* Code;
    const char* Caption;
    TRowField Field;
    TConditionTest Test;
    // One variant per threshold value (the "не менее"/"не более" conditions).
    bool PerValue() const { return Test == TConditionTest::AtLeast || Test == TConditionTest::AtMost; }
    bool IsList() const { return Test == TConditionTest::InIntegerList || Test == TConditionTest::InRealList; }
};

inline constexpr int kConditionCount = 32;
inline constexpr int kConditionValueList = 31;  // "Значения": from a list of values
const TConditionInfo& ConditionInfo(int condition);

struct TStopModeInfo {
    const char* Code;
    const char* Caption;
};
inline constexpr int kStopModeCount = 6;
enum TStopMode : uint8_t { smAll = 0, smCombsCount = 1, smUntilEmpty = 2, smSteps = 3, smValue = 4, smPercent = 5 };
const TStopModeInfo& StopModeInfo(int stopMode);
// Whether the walk of the table stops before the row: the part's own stop mode judged on the row's
// count and count percentage (texts that are not numbers read 0), the steps taken so far and the
// combinations left.
bool StopModeReached(const TFilterPart& part, long double count, long double countPercent, int steps, int64_t combs);
bool StopModeReached(const TFilterPart& part, const TStatValues& row, int steps, int64_t combs);

// A figure of a row as conditions read it: the number its text shows, or the text when that is
// not a number (the "-" of a blank cell).
struct TRowFigure {
    std::optional<long double> Number;
    std::string_view Text;
};
// How conditions read a row's text of a field: integer fields as whole numbers, the others as
// real numbers in either decimal format.
TRowFigure FigureOfText(TRowField field, std::string_view text);
// The figure of a table row, read from the number its cell shows (no cell text is made).
TRowFigure FigureOfRow(const TStatTable& table, int row, TRowField field);

// Whether a row passes a condition. fieldText is the row's text of the tested figure as the table
// shows it; numValue the row's value read as a number (for the list of values); conditionValue the
// threshold or the list of the variant. A threshold reads a figure that is not a number ("-") as 0
// for "не менее" and as 65535 for "не более" (0 for the weight and the period); a list test on
// such a figure, or on a list word that is not a number, raises a conversion error.
// The row's text of the figure a condition tests; empty for the value list (it tests NumValue).
const std::string& RowFieldText(const TStatValues& values, TRowField field);

bool ConditionHolds(int condition, std::string_view fieldText, int32_t numValue, std::string_view conditionValue);
bool ConditionHolds(int condition, const TRowFigure& figure, int32_t numValue, std::string_view conditionValue);

} // namespace qx
