#pragma once
#include <string>
#include <string_view>

namespace qx {

// Date-times are day counts from 30 December 1899 with the time of day as the fraction:
// 1.5 is 31 December 1899 12:00. Whole numbers are exact dates.
using TDateTime = double;

bool IsValidDate(int year, int month, int day);
// Raises a date-conversion error (TAppError) for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second = 0, int msec = 0);

struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};
TDateParts DecodeDateTime(TDateTime value);
TDateTime DatePart(TDateTime value);

// The draw label "mm/dd/yyyy M" or "mm/dd/yyyy E": M for hours 1..13, E for 0 and 14..23.
// Empty for a date-time not greater than zero.
std::string FormatDrawLabel(TDateTime value);
// Reverse of FormatDrawLabel; invalid parts give the zero date, a day missing from its month
// raises, "M" adds 13:00 and "E" 19:57.
TDateTime ParseDrawLabel(std::string_view label);

// yyyymmdd numbers.
int DateToNumber(TDateTime value);
TDateTime NumberToDate(int number);
int AddDays(int number, int days);

TDateTime NowDateTime();

} // namespace qx
