#include <gtest/gtest.h>

#include "nettime/core/NtpTime.h"
#include "nettime/tests/CalendarTimeOf.h"

namespace tembra::nettime {
namespace {


constexpr uint64_t kOne = uint64_t{1} << 32;

TEST(MsToFractionTable, HoldsRoundedFractions) {
    EXPECT_EQ(MsToFraction[0], 0u);
    EXPECT_EQ(MsToFraction[1], 4294967u);
    EXPECT_EQ(MsToFraction[2], 8589935u);
    EXPECT_EQ(MsToFraction[500], 2147483648u);
    EXPECT_EQ(MsToFraction[999], 4290672329u);
    for (int i = 1; i < 1000; ++i) EXPECT_GT(MsToFraction[i], MsToFraction[i - 1]);
}

TEST(DayNumbers, KnownDatesAndRoundTrip) {
    EXPECT_EQ(DayNumberFromDate(1900, 1, 1), 2415021);
    CalendarDate d = DateFromDayNumber(2415021);
    EXPECT_EQ(d.year, 1900);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(DayNumberFromDate(2000, 3, 1) - DayNumberFromDate(2000, 2, 29), 1);
    EXPECT_EQ(DayNumberFromDate(2000, 1, 1), 2451545);
    for (int32_t n = 2415021; n < 2415021 + 80000; n += 7) {
        CalendarDate back = DateFromDayNumber(n);
        ASSERT_EQ(DayNumberFromDate(back.year, back.month, back.day), n);
    }
}

TEST(NtpFromSystemTime, Epochs) {
    EXPECT_EQ(NtpFromSystemTime(Utc(1900, 1, 1)), 0u);
    EXPECT_EQ(NtpFromSystemTime(Utc(2000, 1, 1)), 3155673600ull * kOne);
    EXPECT_EQ(NtpFromSystemTime(Utc(2000, 1, 1, 0, 0, 0, 500)) & 0xFFFFFFFFu, 2147483648u);
}

TEST(NtpFromSystemTime, WrapsAtEraRollover) {
    EXPECT_EQ(NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 15)) >> 32, 0xFFFFFFFFu);
    EXPECT_EQ(NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 16)), 0u);
    EXPECT_EQ(NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 17, 500)), kOne + 2147483648u);
}

TEST(NtpFromFileTime, AgreesWithCalendarAndKeepsSubMilliseconds) {
    // 2000-01-01 00:00:00 UTC as a file time.
    const uint64_t y2000 = 125911584000000000ull;
    EXPECT_EQ(NtpFromFileTime(y2000), NtpFromSystemTime(Utc(2000, 1, 1)));
    EXPECT_EQ(NtpFromFileTime(y2000 + 5000000), NtpFromSystemTime(Utc(2000, 1, 1, 0, 0, 0, 500)));
    // 3 ms is 12884901.888 units: both round, to the table's 12884902.
    EXPECT_EQ(NtpFromFileTime(y2000 + 30000), NtpFromSystemTime(Utc(2000, 1, 1, 0, 0, 0, 3)));
    EXPECT_EQ(NtpFromFileTime(y2000 + 1), 3155673600ull * kOne + 429);  // 100 ns
    EXPECT_EQ(NtpFromFileTime(y2000 + 9999999) >> 32, 3155673600ull);
    // After 2036-02-07 06:28:16 the seconds wrap like the calendar form's.
    const uint64_t y2037 = 137588544000000000ull + 1000000000ull;  // 2037-01-01 00:01:40
    CalendarTime t = CalendarFromSeconds(
        UnwrapNtpSeconds(NtpFromFileTime(y2037), SecondsSince1900(Utc(2037, 1, 1))), 0);
    EXPECT_EQ(t.year, 2037);
}

TEST(SystemTimeFromNtp, Fields) {
    CalendarTime t = SystemTimeFromNtp(0);
    EXPECT_EQ(t.year, 1900);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.dayOfWeek, 1);  // Monday
    t = SystemTimeFromNtp(NtpFromSystemTime(Utc(2024, 2, 29, 23, 59, 58, 500)));
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.dayOfWeek, 4);  // Thursday
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 58);
    EXPECT_EQ(t.milliseconds, 500);
}

TEST(SystemTimeFromNtp, FullFractionGivesThousandWithoutCarry) {
    CalendarTime t = SystemTimeFromNtp(5 * kOne + 4294967295u);
    EXPECT_EQ(t.second, 5);
    EXPECT_EQ(t.milliseconds, 1000);
    // The first fraction that rounds to 1000, and the last below it.
    EXPECT_EQ(SystemTimeFromNtp(5 * kOne + 4292819812u).milliseconds, 1000);
    EXPECT_EQ(SystemTimeFromNtp(5 * kOne + 4292819811u).milliseconds, 999);
    // Back to a timestamp, 1000 ms is the next second: the table ends at 999.
    EXPECT_EQ(NtpFromSystemTime(SystemTimeFromNtp(5 * kOne + 4292819812u)), 6 * kOne);
}

TEST(SystemTimeFromNtp, EveryMillisecondRoundTrips) {
    for (int ms = 0; ms < 1000; ++ms)
        ASSERT_EQ(SystemTimeFromNtp(NtpFromSystemTime(Utc(2010, 6, 1, 12, 0, 0, ms))).milliseconds,
                  ms);
}

TEST(NtpDiffSeconds, SignAndScale) {
    EXPECT_EQ(NtpDiffSeconds(12345 * kOne, 12345 * kOne), 0.0);
    EXPECT_EQ(NtpDiffSeconds(10 * kOne, 0), 10.0);
    EXPECT_EQ(NtpDiffSeconds(0, 10 * kOne), -10.0);
    EXPECT_DOUBLE_EQ(NtpDiffSeconds(uint64_t{1} << 31, 0), 0.50000000011641532);
    EXPECT_DOUBLE_EQ(NtpDiffSeconds(0, uint64_t{1} << 31), -0.50000000011641532);
}

TEST(NtpDiffSeconds, AcrossEraRollover) {
    NtpTimestamp before = NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 15));
    NtpTimestamp after = NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 17));
    EXPECT_EQ(NtpDiffSeconds(after, before), 2.0);
    EXPECT_EQ(NtpDiffSeconds(before, after), -2.0);
}

TEST(UnwrapNtpSeconds, PicksNearestEra) {
    int64_t ref2036 = SecondsSince1900(Utc(2036, 2, 7, 6, 28, 0));
    NtpTimestamp after = NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 30));
    CalendarTime t = CalendarFromSeconds(UnwrapNtpSeconds(after, ref2036), 0);
    EXPECT_EQ(t.year, 2036);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 7);
    EXPECT_EQ(t.second, 30);
    // ...and back: just before the rollover, read just after it, stays in the era before.
    EXPECT_EQ(UnwrapNtpSeconds(NtpFromSystemTime(Utc(2036, 2, 7, 6, 28, 0)),
                               SecondsSince1900(Utc(2036, 2, 7, 6, 28, 30))), ref2036);
    t = CalendarFromSeconds(UnwrapNtpSeconds(NtpFromSystemTime(Utc(2040, 5, 6, 7, 8, 9)),
                                             SecondsSince1900(Utc(2040, 5, 6))),
                            0);
    EXPECT_EQ(t.year, 2040);
    EXPECT_EQ(t.dayOfWeek, 0);  // Sunday
    // Before the rollover nothing changes.
    NtpTimestamp y2024 = NtpFromSystemTime(Utc(2024, 1, 1));
    EXPECT_EQ(UnwrapNtpSeconds(y2024, SecondsSince1900(Utc(2024, 1, 1))),
              static_cast<int64_t>(y2024 >> 32));
    EXPECT_EQ(UnwrapNtpSeconds(0, 0), 0);
}

TEST(AddMilliseconds, CarriesAcrossEveryField) {
    const struct {
        CalendarTime from;
        int64_t ms;
        CalendarTime to;
    } cases[] = {
        {Utc(1999, 12, 31, 23, 59, 30), 45000, Utc(2000, 1, 1, 0, 0, 15)},
        {Utc(2000, 3, 1, 0, 0, 10), -1700000, Utc(2000, 2, 29, 23, 31, 50)},
        {Utc(2023, 6, 15, 10, 20, 30, 250), 0, Utc(2023, 6, 15, 10, 20, 30, 250)},
        {Utc(2024, 5, 6, 7, 8, 9, 999), 1, Utc(2024, 5, 6, 7, 8, 10, 0)},
        {Utc(2024, 5, 6, 7, 8, 9, 500), 734, Utc(2024, 5, 6, 7, 8, 10, 234)},
        {Utc(2024, 5, 6, 7, 8, 10, 0), -1, Utc(2024, 5, 6, 7, 8, 9, 999)},
        {Utc(2023, 2, 28, 23, 59, 59, 999), 1, Utc(2023, 3, 1)},
        {Utc(2024, 2, 28, 23, 59, 59, 999), 1, Utc(2024, 2, 29)},
        {Utc(2024, 3, 1), -1, Utc(2024, 2, 29, 23, 59, 59, 999)},
        {Utc(2024, 12, 31, 23, 59, 59, 266), 4734, Utc(2025, 1, 1, 0, 0, 4)},
        {Utc(2025, 1, 1, 0, 0, 4), -4734, Utc(2024, 12, 31, 23, 59, 59, 266)},
        {Utc(2024, 1, 1, 0, 10), -1800000, Utc(2023, 12, 31, 23, 40)},
        {Utc(2024, 6, 1, 12), 1000, Utc(2024, 6, 1, 12, 0, 1)},  // 1000 ms is a whole second
    };
    for (const auto& c : cases) {
        const CalendarTime t = AddMilliseconds(c.from, c.ms);
        EXPECT_EQ(SecondsSince1900(t), SecondsSince1900(c.to)) << c.ms;
        EXPECT_EQ(t.milliseconds, c.to.milliseconds) << c.ms;
        EXPECT_EQ(t.dayOfWeek, CalendarFromSeconds(SecondsSince1900(c.to), 0).dayOfWeek) << c.ms;
    }
    // A clock showing 1000 ms (as the NTP conversion can) carries it into the second.
    const CalendarTime t = AddMilliseconds(Utc(2024, 6, 1, 12, 0, 0, 1000), 0);
    EXPECT_EQ(t.second, 1);
    EXPECT_EQ(t.milliseconds, 0);
}

}  // namespace
}  // namespace tembra::nettime
