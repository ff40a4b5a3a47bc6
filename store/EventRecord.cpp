#include "store/EventRecord.h"

namespace tembra {

EventRecord EventRecord::NewAt(double now) {
    EventRecord e;
    e.Id = now;
    e.FreqDetail0 = DayPart(now);
    e.Time = TimePart(now);
    return e;
}

void EventRecord::CopyFrom(const EventRecord& o) {
    const bool reminded = Reminded;
    *this = o;
    Reminded = reminded;
}

int MonthlyDayIn(int storedDay, int year, int month) {
    const int day = storedDay < 1 ? 1 : storedDay > 31 ? 31 : storedDay;
    const int last = DaysInMonth(year, month);
    return day > last ? last : day;
}

bool CanStillComeToday(const EventRecord& e, double now) {
    const int today = DayPart(now);
    const double timeOfDay = now - today;
    const CivilTime date = CivilTimeOf(static_cast<double>(today));
    const int weekday = WeekdayOf(date.year, date.month, date.day);
    // Compared in whole seconds: the fraction of a date-time value carries rounding noise of
    // its day number, and an event at 08:00:00 must still come at 08:00:00.
    const bool notYetPast = SecondsOfDay(e.Time) >= SecondsOfDay(timeOfDay);
    switch (e.Frequency) {
        case Once:
            return static_cast<int>(e.FreqDetail0 + e.Time) == today && notYetPast;
        case Daily:
            return ((e.FreqDetail1 >> (weekday - 1)) & 1) != 0 && notYetPast;
        case Weekly:
            return e.FreqDetail2 == weekday && notYetPast;
        case Monthly:
            return MonthlyDayIn(e.FreqDetail3, date.year, date.month) == date.day && notYetPast;
        default:
            return false;
    }
}

bool IsPastOnce(const EventRecord& e, double now) {
    if (e.Frequency != Once) return false;
    const long long moment = static_cast<long long>(e.FreqDetail0) * 86400 + SecondsOfDay(e.Time);
    return moment < static_cast<long long>(DayPart(now)) * 86400 + SecondsOfDay(TimePart(now));
}

}  // namespace tembra
