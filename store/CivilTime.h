// Calendar time and the date-time values of the clock and the settings program: doubles
// counting days since 30 December 1899 midnight, the fraction being the time of day.
#pragma once

namespace tembra {

struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Days from 1899-12-30 to the given date (negative before it).
int DayNumberOf(int year, int month, int day);
// Gregorian: every fourth year, but of the centuries only every fourth (2000, not 2100).
bool IsLeapYear(int year);
// 28 to 31; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// Date-time value of a calendar time, at one-second resolution (milliseconds dropped).
// Before 1899-12-30 the value is the negative day number minus the time of day, as OLE
// dates have it: 1899-12-29 06:00 is -1.25.
double DateValueOf(const CivilTime& t);
// Calendar time of a date-time value, rounded to the nearest second.
CivilTime CivilTimeOf(double dateValue);
// 1 (Sunday) to 7 (Saturday).
int WeekdayOf(int year, int month, int day);
// Day number (integer part, truncated) and the time of day (the fraction, never negative)
// of a date-time value.
int DayPart(double dateValue);
double TimePart(double dateValue);
// A time of day (fraction of a day) in whole seconds, rounded to the nearest second.
long long SecondsOfDay(double timeOfDay);

// The current local time. Everything that asks "what time is it" goes through here, so
// tests can run the scheduling and formatting at any moment they choose.
using LocalTimeSource = CivilTime (*)();
CivilTime CurrentLocalTime();
// Installs another source (nullptr restores the system clock); returns the previous one.
LocalTimeSource SetLocalTimeSource(LocalTimeSource source);
// The current local date-time value, at one-second resolution.
double CurrentDateValue();

}  // namespace tembra
