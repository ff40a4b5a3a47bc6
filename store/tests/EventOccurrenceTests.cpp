// The event list's date and frequency columns, and their agreement with the clock's day rules.
#include <gtest/gtest.h>

#include <cmath>

#include "store/EventOccurrence.h"

using namespace tembra;

namespace {
double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return DateValueOf({y, mo, d, h, mi, s, 0});
}
double TimeOfDay(int h, int mi, int s = 0) { return (h * 3600 + mi * 60 + s) / 86400.0; }

EventRecord Event(std::int32_t frequency, double time) {
    EventRecord e;
    e.Frequency = frequency;
    e.Time = time;
    return e;
}
EventRecord MonthlyOn(int day, double time = TimeOfDay(9, 30)) {
    EventRecord e = Event(Monthly, time);
    e.FreqDetail3 = day;
    return e;
}
// The next occurrence as the list shows it.
std::string Next(const EventRecord& e, double now) { return OccurrenceText(e, now); }
}  // namespace

TEST(NextOccurrence, OneTimeEventShowsItsOwnMomentEvenWhenPast) {
    EventRecord e = Event(Once, TimeOfDay(14, 30));
    e.FreqDetail0 = DayNumberOf(2000, 8, 5);
    EXPECT_EQ(Next(e, At(2027, 3, 1, 12)), "05.08.2000 14:30:00");
    e.Enabled = false;
    EXPECT_EQ(Next(e, At(2027, 3, 1, 12)), "禁用");
}

TEST(NextOccurrence, ATimeEqualToNowIsStillToComeAndOneSecondLaterIsTomorrow) {
    // Wednesday 2027-03-03; every day.
    EventRecord daily = Event(Daily, TimeOfDay(8, 0));
    EXPECT_EQ(Next(daily, At(2027, 3, 3, 8, 0, 0)), "03.03.2027 08:00:00");
    EXPECT_EQ(Next(daily, At(2027, 3, 3, 8, 0, 1)), "04.03.2027 08:00:00");
    // Between 23:00 and midnight a 22:00 event shows tomorrow.
    daily.Time = TimeOfDay(22, 0);
    EXPECT_EQ(Next(daily, At(2027, 3, 3, 23, 15)), "04.03.2027 22:00:00");
    // A time of day whose fraction differs from now's only by rounding noise.
    daily.Time = TimeOfDay(16, 47, 13);
    EXPECT_EQ(Next(daily, At(2027, 3, 3, 16, 47, 13)), "03.03.2027 16:47:13");
}

TEST(NextOccurrence, WeekdaysTakeTheFirstChosenDayAndAnEmptySetTheSeventh) {
    const double wednesdayMorning = At(2027, 3, 3, 7);
    EventRecord daily = Event(Daily, TimeOfDay(8, 0));
    daily.FreqDetail1 = 0x41;  // Saturday and Sunday
    EXPECT_EQ(Next(daily, wednesdayMorning), "06.03.2027 08:00:00");
    daily.FreqDetail1 = 0x80;  // no weekday bit at all
    EXPECT_EQ(Next(daily, wednesdayMorning), "09.03.2027 08:00:00");
    EXPECT_EQ(Next(daily, At(2027, 3, 3, 9)), "10.03.2027 08:00:00");

    EventRecord weekly = Event(Weekly, TimeOfDay(8, 0));
    weekly.FreqDetail2 = 4;  // Wednesday, today, time passed: a week on
    EXPECT_EQ(Next(weekly, At(2027, 3, 3, 9)), "10.03.2027 08:00:00");
    weekly.FreqDetail2 = 8;  // no such weekday
    EXPECT_EQ(Next(weekly, wednesdayMorning), "09.03.2027 08:00:00");
}

TEST(NextOccurrence, MonthlyDayIsLimitedToTheMonthAndToOneToThirtyOne) {
    // Day 31 in a 30-day month, in Februaries of a leap year, a common year and 2100.
    EXPECT_EQ(Next(MonthlyOn(31), At(2027, 4, 2)), "30.04.2027 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(31), At(2028, 2, 2)), "29.02.2028 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(31), At(2027, 2, 2)), "28.02.2027 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(31), At(2100, 2, 2)), "28.02.2100 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(31), At(2027, 3, 2)), "31.03.2027 09:30:00");
    // Passed this month (or today with its time gone): next month, December into January.
    EXPECT_EQ(Next(MonthlyOn(5), At(2027, 12, 20)), "05.01.2028 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(31), At(2027, 12, 31, 10)), "31.01.2028 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(20), At(2027, 12, 20, 9, 30)), "20.12.2027 09:30:00");
    // Stored days outside 1..31.
    EXPECT_EQ(Next(MonthlyOn(0), At(2027, 6, 1, 8)), "01.06.2027 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(-7), At(2027, 6, 1, 10)), "01.07.2027 09:30:00");
    EXPECT_EQ(Next(MonthlyOn(45), At(2027, 6, 1)), "30.06.2027 09:30:00");
}

TEST(NextOccurrence, UnknownFrequencyGivesTheZeroDateAndNoFrequencyText) {
    EventRecord odd = Event(4, TimeOfDay(9, 0));
    EXPECT_EQ(NextOccurrence(odd, At(2027, 3, 3)), 0.0);
    EXPECT_EQ(Next(odd, At(2027, 3, 3)), "30.12.1899 00:00:00");
    EXPECT_EQ(FrequencyText(odd), "");
    EXPECT_EQ(FrequencyText(Event(-1, 0)), "");
    EXPECT_EQ(FrequencyText(Event(Once, 0)), "一次");
    EXPECT_EQ(FrequencyText(Event(Daily, 0)), "每天");
    EXPECT_EQ(FrequencyText(Event(Weekly, 0)), "每周");
    EXPECT_EQ(FrequencyText(Event(Monthly, 0)), "每月");
}

TEST(NextOccurrence, HostileStoredValuesGiveSomeTextAndNeverCrash) {
    EventRecord e = Event(Once, std::nan(""));
    e.FreqDetail0 = INT32_MAX;
    EXPECT_EQ(Next(e, At(2027, 3, 3)), "30.12.1899 00:00:00");
    e.Time = -3.75;
    e.FreqDetail0 = INT32_MIN;
    EXPECT_EQ(Next(e, At(2027, 3, 3)), "30.12.1899 00:00:00");
    EventRecord daily = Event(Daily, 1e300);
    daily.FreqDetail1 = -1;
    EXPECT_FALSE(Next(daily, At(2027, 3, 3)).empty());
    EXPECT_FALSE(Next(MonthlyOn(INT32_MIN, std::nan("")), At(2027, 3, 3)).empty());
}

// The day the list shows is the day the clock fires the event: the clock's rule lets it come
// at the shown moment and on no day between now and then. Every start day of two years
// around a leap day, and of February 2100, before and after the event's time.
TEST(NextOccurrence, ShowsTheDayTheClockFires) {
    std::vector<EventRecord> events;
    for (int day : {0, 1, 15, 28, 29, 30, 31, 45}) events.push_back(MonthlyOn(day));
    for (int mask : {1, 0x3E, 0x40, 127}) {
        EventRecord e = Event(Daily, TimeOfDay(9, 30));
        e.FreqDetail1 = mask;
        events.push_back(e);
    }
    for (int weekday = 1; weekday <= 7; ++weekday) {
        EventRecord e = Event(Weekly, TimeOfDay(9, 30));
        e.FreqDetail2 = weekday;
        events.push_back(e);
    }
    std::vector<int> days;
    for (int d = DayNumberOf(2027, 1, 1); d <= DayNumberOf(2028, 12, 31); ++d) days.push_back(d);
    for (int d = DayNumberOf(2100, 1, 25); d <= DayNumberOf(2100, 3, 5); ++d) days.push_back(d);

    int checked = 0;
    for (const EventRecord& e : events) {
        for (int today : days) {
            for (double timeOfDay : {TimeOfDay(9, 29, 59), TimeOfDay(9, 30), TimeOfDay(9, 30, 1)}) {
                const double now = today + timeOfDay;
                const double next = NextOccurrence(e, now);
                const int nextDay = DayPart(next);
                ASSERT_TRUE(CanStillComeToday(e, next))
                    << FrequencyText(e) << " " << e.FreqDetail1 << "/" << e.FreqDetail2 << "/"
                    << e.FreqDetail3 << " from " << OccurrenceText(EventRecord{}, now)
                    << " shows " << OccurrenceText(e, now);
                ASSERT_FALSE(CanStillComeToday(e, now) && nextDay != today);
                for (int between = today + 1; between < nextDay; ++between)
                    ASSERT_FALSE(CanStillComeToday(e, between)) << OccurrenceText(e, now);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 30000);
}
