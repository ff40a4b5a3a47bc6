#include "store/EventOccurrence.h"

#include <cstdio>

namespace tembra {
namespace {

constexpr int kDaysInWeek = 7;

int WeekdayOfDay(int dayNumber) {
    const CivilTime date = CivilTimeOf(static_cast<double>(dayNumber));
    return WeekdayOf(date.year, date.month, date.day);
}

bool HasWeekday(std::int32_t daysMask, int weekday) {
    return ((static_cast<std::uint32_t>(daysMask) >> (weekday - 1)) & 1u) != 0;
}

// The first of the week's days from `start` that `matches`, or the last one examined.
template <typename Matches>
int FirstDayOfWeekFrom(int start, Matches matches) {
    for (int day = start; day < start + kDaysInWeek - 1; ++day)
        if (matches(WeekdayOfDay(day))) return day;
    return start + kDaysInWeek - 1;
}

int MonthlyDayFrom(int start, std::int32_t storedDay) {
    const CivilTime date = CivilTimeOf(static_cast<double>(start));
    int year = date.year;
    int month = date.month;
    // The day limited as the clock limits it; one still to come this month is this month's.
    if (MonthlyDayIn(storedDay, year, month) < date.day) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return DayNumberOf(year, month, MonthlyDayIn(storedDay, year, month));
}

}  // namespace

double NextOccurrence(const EventRecord& e, double now) {
    if (e.Frequency == Once) return e.FreqDetail0 + e.Time;
    const int today = DayPart(now);
    // In whole seconds, as the clock compares: an event due this very second is still to come.
    const int start = SecondsOfDay(e.Time) >= SecondsOfDay(TimePart(now)) ? today : today + 1;
    int day;
    switch (e.Frequency) {
        case Daily:
            day = FirstDayOfWeekFrom(start, [&](int w) { return HasWeekday(e.FreqDetail1, w); });
            break;
        case Weekly:
            day = FirstDayOfWeekFrom(start, [&](int w) { return w == e.FreqDetail2; });
            break;
        case Monthly:
            day = MonthlyDayFrom(start, e.FreqDetail3);
            break;
        default:
            return 0.0;
    }
    return day + e.Time;
}

std::string OccurrenceText(const EventRecord& e, double now) {
    if (!e.Enabled) return "禁用";
    const CivilTime t = CivilTimeOf(NextOccurrence(e, now));
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
    return text;
}

std::string FrequencyText(const EventRecord& e) {
    switch (e.Frequency) {
        case Once: return "一次";
        case Daily: return "每天";
        case Weekly: return "每周";
        case Monthly: return "每月";
        default: return "";
    }
}

}  // namespace tembra
