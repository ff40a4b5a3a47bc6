#include "nettime/core/NtpTime.h"

#include <initializer_list>

namespace tembra::nettime {
namespace {

constexpr double kFractionToSeconds = 2.3283064370807974e-10;  // 1 / (2^32 - 1)
constexpr double kFractionToMs = 2.3283064370807974e-7;        // 1000 / (2^32 - 1)
constexpr int64_t kSecondsPerDay = 86400;

double Magnitude(uint64_t d) {
    return static_cast<double>(static_cast<uint32_t>(d >> 32)) +
           static_cast<double>(static_cast<uint32_t>(d)) * kFractionToSeconds;
}

}  // namespace

int32_t DayNumberFromDate(int year, int month, int day) {
    int m, y;
    if (month > 2) {
        m = month - 3;
        y = year;
    } else {
        m = month + 9;
        y = year - 1;
    }
    int c = y / 100;
    int ya = y - 100 * c;
    return (146097 * c) / 4 + (1461 * ya) / 4 + (153 * m + 2) / 5 + day + 1721119;
}

CalendarDate DateFromDayNumber(int32_t n) {
    int32_t t = 4 * n - 6884477;
    int32_t c = t / 146097;
    int32_t d = (t - 146097 * c) / 4;
    t = 4 * d + 3;
    int32_t ya = t / 1461;
    d = (t - 1461 * ya + 4) / 4;
    t = 5 * d - 3;
    int32_t m = t / 153;
    int32_t day = (t - 153 * m + 5) / 5;
    int32_t year = 100 * c + ya;
    int32_t month;
    if (m < 10) {
        month = m + 3;
    } else {
        month = m - 9;
        year += 1;
    }
    return {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)};
}

int64_t SecondsSince1900(const CalendarTime& t) {
    int64_t days = DayNumberFromDate(t.year, t.month, t.day) - kDayNumber1900;
    return ((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

NtpTimestamp NtpFromSystemTime(const CalendarTime& t) {
    // SystemTimeFromNtp gives 1000 ms for the last half millisecond of a second: whole
    // thousands belong to the next second.
    const uint64_t seconds = static_cast<uint64_t>(SecondsSince1900(t)) + t.milliseconds / 1000;
    return (seconds << 32) + MsToFraction[t.milliseconds % 1000];
}

NtpTimestamp NtpFromFileTime(uint64_t fileTime) {
    constexpr uint64_t kTicksPerSecond = 10000000;
    constexpr uint64_t kSeconds1601To1900 = 9435484800ull;
    const uint64_t seconds = fileTime / kTicksPerSecond - kSeconds1601To1900;
    const uint64_t ticks = fileTime % kTicksPerSecond;
    const uint64_t fraction = ((ticks << 32) + kTicksPerSecond / 2) / kTicksPerSecond;
    return (seconds << 32) + fraction;
}

CalendarTime CalendarFromSeconds(int64_t seconds, uint32_t fraction) {
    if (seconds < 0) seconds = 0;
    CalendarTime t;
    int64_t days = seconds / kSecondsPerDay;
    t.dayOfWeek = static_cast<uint16_t>((days + kDayNumber1900 + 1) % 7);
    CalendarDate date = DateFromDayNumber(static_cast<int32_t>(days + kDayNumber1900));
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    t.hour = static_cast<uint16_t>((seconds / 3600) % 24);
    t.minute = static_cast<uint16_t>((seconds / 60) % 60);
    t.second = static_cast<uint16_t>(seconds % 60);
    t.milliseconds = static_cast<uint16_t>(fraction * kFractionToMs + 0.5);
    return t;
}

CalendarTime SystemTimeFromNtp(NtpTimestamp x) {
    return CalendarFromSeconds(static_cast<int64_t>(x >> 32), static_cast<uint32_t>(x));
}

int64_t UnwrapNtpSeconds(NtpTimestamp x, int64_t reference) {
    int64_t seconds = static_cast<int64_t>(x >> 32);
    if (reference <= 0) return seconds;
    int64_t era = reference / kSecondsPerEra;
    int64_t best = seconds + era * kSecondsPerEra;
    // The neighbouring eras may be nearer when the reference sits close to a rollover.
    for (int64_t candidate : {best - kSecondsPerEra, best + kSecondsPerEra}) {
        auto distance = [reference](int64_t v) { return v > reference ? v - reference : reference - v; };
        if (candidate >= 0 && distance(candidate) < distance(best)) best = candidate;
    }
    return best;
}

double NtpDiffSeconds(NtpTimestamp a, NtpTimestamp b) {
    uint64_t d = a - b;  // modulo 2^64
    if (d >> 63) return -Magnitude(b - a);
    return Magnitude(d);
}

CalendarTime AddMilliseconds(const CalendarTime& t, int64_t milliseconds) {
    constexpr int64_t kMsPerDay = kSecondsPerDay * 1000;
    const int64_t total =
        static_cast<int64_t>(DayNumberFromDate(t.year, t.month, t.day)) * kMsPerDay +
        ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} + t.milliseconds + milliseconds;
    int64_t days = total / kMsPerDay;
    int64_t rest = total % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        days -= 1;
    }
    CalendarTime out;
    CalendarDate date = DateFromDayNumber(static_cast<int32_t>(days));
    out.year = date.year;
    out.month = date.month;
    out.day = date.day;
    out.dayOfWeek = static_cast<uint16_t>((days + 1) % 7);
    out.hour = static_cast<uint16_t>(rest / 3600000);
    out.minute = static_cast<uint16_t>(rest / 60000 % 60);
    out.second = static_cast<uint16_t>(rest / 1000 % 60);
    out.milliseconds = static_cast<uint16_t>(rest % 1000);
    return out;
}

}  // namespace tembra::nettime
