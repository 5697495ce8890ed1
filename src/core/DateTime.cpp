#include "core/DateTime.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

constexpr int64_t kMsPerDay = 86400000;
// Days from 1970-01-01 to 1899-12-30.
constexpr int64_t kUnixEpochShift = 25569;

// Howard Hinnant's civil calendar conversions (proleptic Gregorian), days relative to 1970-01-01.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Splits a date-time into whole days and milliseconds of the day, rounding to the millisecond
// the way the classic conversions do (the date part of a negative value is its truncation).
void Split(TDateTime value, int64_t& days, int64_t& ms) {
    if (value >= 0) {
        int64_t total = std::llround(value * kMsPerDay);
        days = total / kMsPerDay;
        ms = total % kMsPerDay;
    } else {
        days = static_cast<int64_t>(std::trunc(value));
        ms = std::llround(std::fabs(value - static_cast<double>(days)) * kMsPerDay);
        if (ms >= kMsPerDay) {
            ms -= kMsPerDay;
            days -= 1;
        }
    }
}

} // namespace

bool IsValidDate(int year, int month, int day) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    int max = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
    return day <= max;
}

TDateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", month, day, year);
        throw TAppError(FormatText("Некорректная дата: %s", {std::string(buf)}));
    }
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochShift);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsPerDay;
}

TDateParts DecodeDateTime(TDateTime value) {
    int64_t days = 0, ms = 0;
    Split(value, days, ms);
    TDateParts p;
    CivilFromDays(days - kUnixEpochShift, p.Year, p.Month, p.Day);
    p.Hour = static_cast<int>(ms / 3600000);
    p.Minute = static_cast<int>(ms / 60000 % 60);
    p.Second = static_cast<int>(ms / 1000 % 60);
    p.MSec = static_cast<int>(ms % 1000);
    return p;
}

TDateTime DatePart(TDateTime value) {
    int64_t days = 0, ms = 0;
    Split(value, days, ms);
    return static_cast<TDateTime>(days);
}

std::string FormatDrawLabel(TDateTime value) {
    if (!(value > 0)) return {};
    TDateParts p = DecodeDateTime(value);
    char buf[32];
    char letter = (p.Hour >= 1 && p.Hour <= 13) ? 'M' : 'E';
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %c", p.Month, p.Day, p.Year, letter);
    return buf;
}

TDateTime ParseDrawLabel(std::string_view label) {
    // Positions count characters; labels are handled in their single-byte form.
    std::string raw = Utf8ToCp1251(Trim(label));
    if (raw.empty()) return 0;
    auto part = [&](size_t from, size_t len) -> std::string_view {
        if (from >= raw.size()) return {};
        return std::string_view(raw).substr(from, len);
    };
    int month = StrToIntDef(part(0, 2), 0);
    int day = StrToIntDef(part(3, 2), 0);
    int year = StrToIntDef(part(6, 4), 0);
    TDateTime result = 0;
    if (day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1901 && year <= 2998)
        result = EncodeDate(year, month, day);
    if (raw.size() >= 12) {
        char c = raw[11];
        if (c == 'M' || c == 'm')
            result += EncodeTime(13, 0);
        else if (c == 'E' || c == 'e')
            result += EncodeTime(19, 57);
    }
    return result;
}

int DateToNumber(TDateTime value) {
    TDateParts p = DecodeDateTime(value);
    return p.Year * 10000 + p.Month * 100 + p.Day;
}

TDateTime NumberToDate(int number) { return EncodeDate(number / 10000, number / 100 % 100, number % 100); }

int AddDays(int number, int days) {
    if (days == 0) return number;
    return DateToNumber(NumberToDate(number) + days);
}

TDateTime NowDateTime() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

} // namespace qx
