// NTP timestamps and their conversion to and from UTC calendar time. Portable: no Win32.
#pragma once
#include <cstdint>

namespace tembra::nettime {

// Seconds since 1900-01-01 00:00:00 UTC in the high 32 bits, binary fraction in the low 32.
using NtpTimestamp = uint64_t;

// The fields of the platform's SYSTEMTIME, in the same order.
struct CalendarTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;  // 0 = Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

struct CalendarDate {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;
};

// i * 2^32 / 1000 rounded, for i = 0..999.
extern const uint32_t MsToFraction[1000];

// Julian day number of 1900-01-01.
constexpr int32_t kDayNumber1900 = 2415021;
constexpr int64_t kSecondsPerEra = int64_t{1} << 32;

int32_t DayNumberFromDate(int year, int month, int day);
CalendarDate DateFromDayNumber(int32_t n);

// Wire form of a UTC time: seconds beyond 32 bits wrap, as the protocol's eras do.
NtpTimestamp NtpFromSystemTime(const CalendarTime& t);
// The calendar time of a timestamp read in era 0 (1900-2036). Milliseconds lie in 0..1000.
CalendarTime SystemTimeFromNtp(NtpTimestamp x);

// Wire form of a platform file time (100 ns units since 1601-01-01 UTC): the same as
// NtpFromSystemTime, with the sub-millisecond part kept.
NtpTimestamp NtpFromFileTime(uint64_t fileTime);

// Seconds since 1900 of a calendar time, without wrapping.
int64_t SecondsSince1900(const CalendarTime& t);
// The seconds since 1900 that `x` stands for, taking the era that puts it nearest to
// `reference` (seconds since 1900): timestamps after 2036-02-07 print their real date.
int64_t UnwrapNtpSeconds(NtpTimestamp x, int64_t reference);
// Calendar time of `seconds` since 1900 (non-negative) and an NTP fraction.
CalendarTime CalendarFromSeconds(int64_t seconds, uint32_t fraction);

// a - b in seconds. The difference is taken modulo 2^64 as a signed value, so two times
// on either side of an era rollover differ by their real distance.
double NtpDiffSeconds(NtpTimestamp a, NtpTimestamp b);

// Adds `milliseconds` (negative: subtracts) to a calendar time, carrying into seconds, minutes,
// hours, days, months and years; the day of the week follows the date.
CalendarTime AddMilliseconds(const CalendarTime& t, int64_t milliseconds);

}  // namespace tembra::nettime
