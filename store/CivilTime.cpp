#include "store/CivilTime.h"

#include <cmath>

namespace tembra {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int* year, int* month, int* day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(y + (m <= 2));
    *month = static_cast<int>(m);
    *day = static_cast<int>(d);
}

const long kDaysFrom1970To1899_12_30 = -25569;

LocalTimeSource g_source = nullptr;

}  // namespace

// Provided by the platform file: the system's local time.
CivilTime SystemLocalTime();

int DayNumberOf(int year, int month, int day) {
    return static_cast<int>(DaysFromCivil(year, static_cast<unsigned>(month),
                                          static_cast<unsigned>(day)) -
                            kDaysFrom1970To1899_12_30);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

double DateValueOf(const CivilTime& t) {
    const double days = DayNumberOf(t.year, t.month, t.day);
    const double timeOfDay = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
    return days >= 0 ? days + timeOfDay : days - timeOfDay;
}

CivilTime CivilTimeOf(double dateValue) {
    CivilTime t;
    if (!std::isfinite(dateValue) || dateValue > 2958465.0 || dateValue < -657434.0)
        return t;  // outside 100-01-01 .. 9999-12-31: not a date
    // The truncated integer part is the day and the fraction's size the time of day, on
    // both sides of day 0.
    long long day = static_cast<long long>(dateValue);
    long long seconds = std::llround(std::fabs(dateValue - static_cast<double>(day)) * 86400.0);
    if (seconds == 86400) {  // rounded up to the next midnight
        ++day;
        seconds = 0;
    }
    CivilFromDays(static_cast<long>(day + kDaysFrom1970To1899_12_30), &t.year, &t.month, &t.day);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

int WeekdayOf(int year, int month, int day) {
    // 1899-12-30 was a Saturday (7).
    int n = DayNumberOf(year, month, day);
    int w = ((n % 7) + 7 + 6) % 7;  // 0 = Sunday
    return w + 1;
}

int DayPart(double dateValue) { return static_cast<int>(dateValue); }

double TimePart(double dateValue) { return std::fabs(dateValue - static_cast<int>(dateValue)); }

long long SecondsOfDay(double timeOfDay) {
    if (!std::isfinite(timeOfDay) || std::fabs(timeOfDay) > 1e6) return 0;
    return std::llround(timeOfDay * 86400.0);
}

CivilTime CurrentLocalTime() { return g_source ? g_source() : SystemLocalTime(); }

LocalTimeSource SetLocalTimeSource(LocalTimeSource source) {
    LocalTimeSource previous = g_source;
    g_source = source;
    return previous;
}

double CurrentDateValue() { return DateValueOf(CurrentLocalTime()); }

}  // namespace tembra
