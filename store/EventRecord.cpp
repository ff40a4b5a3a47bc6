#include "store/EventRecord.h"

#include <cmath>
#include <set>

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
    const std::uint32_t listKey = ListKey;
    const std::int32_t occursOn = OccursOn;
    *this = o;
    Reminded = reminded;
    ListKey = listKey;
    OccursOn = occursOn;
}

bool SameStoredValues(const EventRecord& a, const EventRecord& b) {
    return a.Id == b.Id && a.Name == b.Name && a.Action == b.Action && a.Run == b.Run &&
           a.RunParams == b.RunParams && a.RunIn == b.RunIn && a.WavFile == b.WavFile &&
           a.Enabled == b.Enabled && a.LoopSound == b.LoopSound && a.SoundOnly == b.SoundOnly &&
           a.Time == b.Time && a.Frequency == b.Frequency && a.FreqDetail0 == b.FreqDetail0 &&
           a.FreqDetail1 == b.FreqDetail1 && a.FreqDetail2 == b.FreqDetail2 &&
           a.FreqDetail3 == b.FreqDetail3 && a.Remind == b.Remind;
}

double SaneTimeOfDay(double stored) {
    if (!std::isfinite(stored)) return 0.0;
    // Just below a whole day the difference rounds up to 1.0, a moment no day reaches.
    const double fraction = stored - std::floor(stored);
    return fraction < 1.0 ? fraction : 0.0;
}

int MonthlyDayIn(int storedDay, int year, int month) {
    const int day = storedDay < 1 ? 1 : storedDay > 31 ? 31 : storedDay;
    const int last = DaysInMonth(year, month);
    return day > last ? last : day;
}

bool OccursOnDay(const EventRecord& e, int dayNumber) {
    const CivilTime date = CivilTimeOf(static_cast<double>(dayNumber));
    switch (e.Frequency) {
        case Once:
            // Wider than int: next to the largest day number the sum may round up past it.
            return static_cast<long long>(e.FreqDetail0 + e.Time) == dayNumber;
        case Daily:
            return ((e.FreqDetail1 >> (WeekdayOf(date.year, date.month, date.day) - 1)) & 1) != 0;
        case Weekly:
            return e.FreqDetail2 == WeekdayOf(date.year, date.month, date.day);
        case Monthly:
            return MonthlyDayIn(e.FreqDetail3, date.year, date.month) == date.day;
        default:
            return false;
    }
}

bool CanStillComeToday(const EventRecord& e, double now) {
    const int today = DayPart(now);
    // Compared in whole seconds: the fraction of a date-time value carries rounding noise of
    // its day number, and an event at 08:00:00 must still come at 08:00:00.
    return OccursOnDay(e, today) && SecondsOfDay(e.Time) >= SecondsOfDay(now - today);
}

bool IsPastOnce(const EventRecord& e, double now) {
    if (e.Frequency != Once) return false;
    const long long moment = static_cast<long long>(e.FreqDetail0) * 86400 + SecondsOfDay(e.Time);
    return moment < static_cast<long long>(DayPart(now)) * 86400 + SecondsOfDay(TimePart(now));
}

namespace {

// The date-time value one second after `value` (taken at whole seconds).
double NextSecond(double value) {
    const CivilTime t = CivilTimeOf(value);
    int day = DayNumberOf(t.year, t.month, t.day);
    int second = t.hour * 3600 + t.minute * 60 + t.second + 1;
    if (second == 86400) {
        ++day;
        second = 0;
    }
    CivilTime next = CivilTimeOf(static_cast<double>(day));
    next.hour = second / 3600;
    next.minute = second / 60 % 60;
    next.second = second % 60;
    return DateValueOf(next);
}

}  // namespace

double UnusedEventId(double id, const EventList& events) {
    // Compared by whole seconds: the same moment computed in two places may differ in its
    // last bit (x87 arithmetic on 32-bit builds), yet it is the same Id to the user.
    auto second = [](double value) { return std::llround(value * 86400.0); };
    std::set<long long> used;
    for (const auto& e : events) used.insert(second(e->Id));
    // Each step gives a later second, so this ends after at most one step per record.
    while (used.count(second(id)) != 0) id = NextSecond(id);
    return id;
}

}  // namespace tembra
