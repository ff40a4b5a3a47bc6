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
    const std::uint32_t listKey = ListKey;
    *this = o;
    Reminded = reminded;
    ListKey = listKey;
}

bool SameStoredValues(const EventRecord& a, const EventRecord& b) {
    return a.Id == b.Id && a.Name == b.Name && a.Action == b.Action && a.Run == b.Run &&
           a.RunParams == b.RunParams && a.RunIn == b.RunIn && a.WavFile == b.WavFile &&
           a.Enabled == b.Enabled && a.LoopSound == b.LoopSound && a.SoundOnly == b.SoundOnly &&
           a.Time == b.Time && a.Frequency == b.Frequency && a.FreqDetail0 == b.FreqDetail0 &&
           a.FreqDetail1 == b.FreqDetail1 && a.FreqDetail2 == b.FreqDetail2 &&
           a.FreqDetail3 == b.FreqDetail3 && a.Remind == b.Remind;
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
