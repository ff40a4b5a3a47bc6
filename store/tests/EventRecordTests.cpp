#include <gtest/gtest.h>

#include <limits>

#include "store/EventRecord.h"

using namespace tembra;

namespace {
double At(int y, int mo, int d, int h, int mi) { return DateValueOf({y, mo, d, h, mi, 0, 0}); }
double TimeOfDay(int h, int mi) { return (h * 60 + mi) / 1440.0; }
}  // namespace

TEST(EventRecord, NewRecordDefaults) {
    double now = At(2026, 12, 9, 7, 30);
    EventRecord e = EventRecord::NewAt(now);
    EXPECT_EQ(e.Id, now);
    EXPECT_EQ(e.Name, "Message");
    EXPECT_EQ(e.Frequency, Once);
    EXPECT_EQ(e.FreqDetail0, DayNumberOf(2026, 12, 9));
    EXPECT_EQ(e.FreqDetail1, 127);
    EXPECT_EQ(e.FreqDetail2, 1);
    EXPECT_EQ(e.FreqDetail3, 1);
    EXPECT_TRUE(e.Enabled);
    EXPECT_NEAR(e.Time, TimeOfDay(7, 30), 1e-9);
}

TEST(EventRecord, CopyFromKeepsRemindedAndTheListKey) {
    EventRecord a, b;
    b.Name = "起床";
    b.Id = 123.5;
    b.Reminded = true;
    a.ListKey = 3;
    b.ListKey = 9;
    a.CopyFrom(b);
    EXPECT_EQ(a.Name, "起床");
    EXPECT_EQ(a.Id, 123.5);
    EXPECT_FALSE(a.Reminded);
    EXPECT_EQ(a.ListKey, 3u);
}

TEST(EventRecord, WeekdayEventCanStillComeOnlyBeforeItsTimeOnItsDays) {
    EventRecord e;
    e.Frequency = Daily;
    e.FreqDetail1 = 0x3E;  // Monday to Friday
    e.Time = TimeOfDay(8, 0);
    EXPECT_TRUE(CanStillComeToday(e, At(2026, 12, 9, 7, 59)));   // Wednesday
    EXPECT_TRUE(CanStillComeToday(e, At(2026, 12, 9, 8, 0)));
    EXPECT_FALSE(CanStillComeToday(e, At(2026, 12, 9, 8, 1)));
    EXPECT_FALSE(CanStillComeToday(e, At(2026, 12, 6, 7, 0)));   // Sunday
}

TEST(EventRecord, OtherFrequencies) {
    EventRecord once;
    once.Frequency = Once;
    once.FreqDetail0 = DayNumberOf(2026, 12, 9);
    once.Time = TimeOfDay(10, 0);
    EXPECT_TRUE(CanStillComeToday(once, At(2026, 12, 9, 9, 0)));
    EXPECT_FALSE(CanStillComeToday(once, At(2026, 12, 10, 9, 0)));

    EventRecord weekly;
    weekly.Frequency = Weekly;
    weekly.FreqDetail2 = 4;  // Wednesday
    weekly.Time = TimeOfDay(10, 0);
    EXPECT_TRUE(CanStillComeToday(weekly, At(2026, 12, 9, 9, 0)));
    EXPECT_FALSE(CanStillComeToday(weekly, At(2026, 12, 10, 9, 0)));

    EventRecord monthly;
    monthly.Frequency = Monthly;
    monthly.FreqDetail3 = 9;
    monthly.Time = TimeOfDay(10, 0);
    EXPECT_TRUE(CanStillComeToday(monthly, At(2026, 12, 9, 9, 0)));
    EXPECT_FALSE(CanStillComeToday(monthly, At(2026, 11, 10, 9, 0)));

    EventRecord odd;
    odd.Frequency = 17;
    odd.Time = TimeOfDay(23, 30);
    EXPECT_FALSE(CanStillComeToday(odd, At(2026, 12, 9, 23, 0)));  // never due
}

TEST(EventRecord, MonthlyEventOnALateDayComesOnTheLastDayOfShorterMonths) {
    EXPECT_EQ(MonthlyDayIn(31, 2026, 2), 28);
    EXPECT_EQ(MonthlyDayIn(30, 2028, 2), 29);
    EXPECT_EQ(MonthlyDayIn(29, 2100, 2), 28);  // not a leap year
    EXPECT_EQ(MonthlyDayIn(31, 2026, 4), 30);
    EXPECT_EQ(MonthlyDayIn(31, 2026, 5), 31);
    EXPECT_EQ(MonthlyDayIn(0, 2026, 5), 1);
    EXPECT_EQ(MonthlyDayIn(45, 2026, 6), 30);

    EventRecord monthly;
    monthly.Frequency = Monthly;
    monthly.FreqDetail3 = 31;
    monthly.Time = TimeOfDay(10, 0);
    EXPECT_TRUE(CanStillComeToday(monthly, At(2026, 2, 28, 9, 0)));
    EXPECT_FALSE(CanStillComeToday(monthly, At(2026, 2, 27, 9, 0)));
    EXPECT_FALSE(CanStillComeToday(monthly, At(2026, 3, 30, 9, 0)));
    EXPECT_TRUE(CanStillComeToday(monthly, At(2026, 3, 31, 9, 0)));
}

TEST(EventRecord, PastOnlyForOneTimeEventsBeforeNow) {
    EventRecord e;
    e.FreqDetail0 = DayNumberOf(2026, 12, 8);
    e.Time = TimeOfDay(10, 0);
    EXPECT_TRUE(IsPastOnce(e, At(2026, 12, 9, 0, 0)));
    EXPECT_FALSE(IsPastOnce(e, At(2026, 12, 8, 9, 0)));
    EXPECT_FALSE(IsPastOnce(e, At(2026, 12, 8, 10, 0)));  // its own moment is not yet past
    e.Frequency = Weekly;
    EXPECT_FALSE(IsPastOnce(e, At(2026, 12, 9, 0, 0)));
}

TEST(EventRecord, AStoredTimeLoadsAsATimeOfDayBelowAWholeDay) {
    EXPECT_EQ(SaneTimeOfDay(46365.75), 0.75);
    EXPECT_EQ(SaneTimeOfDay(-0.25), 0.75);
    // The difference rounds up to a whole day: midnight, not the end of the day.
    EXPECT_EQ(SaneTimeOfDay(-1e-309), 0.0);
    EXPECT_EQ(SaneTimeOfDay(std::numeric_limits<double>::infinity()), 0.0);
}

TEST(EventRecord, UnusedIdMovesOnBySecondsPastEveryTakenOne) {
    auto listOf = [](std::initializer_list<double> ids) {
        EventList list;
        for (double id : ids) {
            list.push_back(std::make_unique<EventRecord>());
            list.back()->Id = id;
        }
        return list;
    };
    const double t = DateValueOf({2026, 12, 9, 7, 30, 58, 0});
    EXPECT_EQ(UnusedEventId(t, listOf({})), t);
    EXPECT_EQ(UnusedEventId(t, listOf({t + 0.6 / 86400})), t);  // another second
    EXPECT_EQ(UnusedEventId(t, listOf({t + 1e-12})), DateValueOf({2026, 12, 9, 7, 30, 59, 0}));
    // Taken, and so is the next second: two seconds on, across the minute.
    EXPECT_EQ(UnusedEventId(t, listOf({DateValueOf({2026, 12, 9, 7, 30, 59, 0}), t})),
              DateValueOf({2026, 12, 9, 7, 31, 0, 0}));
    // The last second of a year moves into the next one.
    const double last = DateValueOf({2026, 12, 31, 23, 59, 59, 0});
    EXPECT_EQ(UnusedEventId(last, listOf({last})), DateValueOf({2027, 1, 1, 0, 0, 0, 0}));
}
