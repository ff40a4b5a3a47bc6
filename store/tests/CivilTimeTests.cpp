#include <gtest/gtest.h>

#include "store/CivilTime.h"

using namespace tembra;

TEST(CivilTime, DayNumbersCountFromThe30thOfDecember1899) {
    EXPECT_EQ(DayNumberOf(1899, 12, 30), 0);
    EXPECT_EQ(DayNumberOf(1900, 1, 1), 2);
    EXPECT_EQ(DayNumberOf(2026, 12, 6), 46362);
    EXPECT_EQ(DayNumberOf(2000, 3, 1) - DayNumberOf(2000, 2, 29), 1);
    EXPECT_EQ(DayNumberOf(2026, 2, 28), 46081);
}

TEST(CivilTime, MonthLengthsFollowTheGregorianLeapYears) {
    EXPECT_EQ(DaysInMonth(2026, 2), 28);
    EXPECT_EQ(DaysInMonth(2028, 2), 29);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2026, 4), 30);
    EXPECT_EQ(DaysInMonth(2026, 12), 31);
    EXPECT_EQ(DaysInMonth(2026, 13), 0);
}

TEST(CivilTime, WeekdaysRunFromSundayOne) {
    EXPECT_EQ(WeekdayOf(2026, 12, 6), 1);  // Sunday
    EXPECT_EQ(WeekdayOf(2026, 12, 9), 4);  // Wednesday
    EXPECT_EQ(WeekdayOf(1899, 12, 30), 7);
}

TEST(CivilTime, RoundTripsToTheSecond) {
    CivilTime t{2026, 12, 6, 14, 5, 9, 0};
    CivilTime back = CivilTimeOf(DateValueOf(t));
    EXPECT_EQ(back.year, 2026);
    EXPECT_EQ(back.month, 12);
    EXPECT_EQ(back.day, 6);
    EXPECT_EQ(back.hour, 14);
    EXPECT_EQ(back.minute, 5);
    EXPECT_EQ(back.second, 9);
    CivilTime lastSecond = CivilTimeOf(DateValueOf({2026, 12, 31, 23, 59, 59, 0}));
    EXPECT_EQ(lastSecond.day, 31);
    EXPECT_EQ(lastSecond.second, 59);
    CivilTime february = CivilTimeOf(DateValueOf({2026, 2, 28, 8, 0, 0, 0}));
    EXPECT_EQ(february.year, 2026);
    EXPECT_EQ(february.month, 2);
    // Within half a second of midnight the value rounds up to the next day's 00:00:00.
    EXPECT_EQ(CivilTimeOf(45000.999999999).hour, 0);
    EXPECT_EQ(CivilTimeOf(45000.999999999).day, CivilTimeOf(45001.0).day);
}

TEST(CivilTime, BeforeDayZeroTheFractionIsStillTheTimeOfDay) {
    // -1.25: the integer part -1 is 1899-12-29, the fraction a quarter day.
    CivilTime t = CivilTimeOf(-1.25);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 6);
    EXPECT_EQ(DateValueOf(t), -1.25);
    EXPECT_EQ(TimePart(-1.25), 0.25);
}

TEST(CivilTime, ValuesThatAreNoDateGiveTheEpochInsteadOfGarbage) {
    CivilTime t = CivilTimeOf(1e300);
    EXPECT_EQ(t.year, 1899);
    t = CivilTimeOf(-1e18);
    EXPECT_EQ(t.year, 1899);
}

namespace {
CivilTime FixedNoon() { return CivilTime{2026, 12, 9, 12, 0, 0, 0}; }
}  // namespace

TEST(CivilTime, TheTimeSourceCanBeReplaced) {
    auto previous = SetLocalTimeSource(FixedNoon);
    EXPECT_DOUBLE_EQ(CurrentDateValue(), DayNumberOf(2026, 12, 9) + 0.5);
    SetLocalTimeSource(previous);
}
