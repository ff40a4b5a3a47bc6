#include <gtest/gtest.h>

#include "clock/ClockText.h"

using namespace tembra;

namespace {

const CivilTime kTime{2026, 12, 6, 14, 5, 9, 0};

struct FakeLocale : LocaleTexts {
    std::string dateAndTime = "2026/12/6 14:05:09";
    std::string date = "2026/12/6";
    std::string time = "14:05:09";
    std::string DateAndTime(const CivilTime&) const override { return dateAndTime; }
    std::string DateOnly(const CivilTime&) const override { return date; }
    std::string TimeOnly(const CivilTime&) const override { return time; }
};

ClockOptions Defaults() {
    ClockOptions o;  // as loaded with nothing stored
    o.Transparent = false;
    o.Border = true;
    o.UseFontColor = true;
    o.RemoveOldAlarms = true;
    return o;
}

std::string Text(const ClockOptions& o, const FakeLocale& locale = FakeLocale()) {
    return BuildClockTextFor(o, kTime, locale);
}

}  // namespace

TEST(ClockText, FormattingTable) {
    ClockOptions o = Defaults();
    EXPECT_EQ(Text(o), "06.12.2026 14:05");

    o.LeadingZero = false;
    o.DateFormat = 1;
    o.DateSeparator = 1;
    o.Seconds = true;
    o.TwelveHours = true;
    EXPECT_EQ(Text(o), "12/6/2026 2:05:09 PM");

    o = Defaults();
    o.Date = false;
    o.Seconds = true;
    EXPECT_EQ(Text(o), "14:05:09");

    o = Defaults();
    o.DateSeparator = 2;
    EXPECT_EQ(Text(o), "06-12-2026 14:05");
    o.DateSeparator = 7;
    EXPECT_EQ(Text(o), "06-12-2026 14:05");
    o.DateSeparator = 1;
    EXPECT_EQ(Text(o), "06/12/2026 14:05");
}

TEST(ClockText, TwelveHoursWithLeadingZeroAndSeconds) {
    ClockOptions o = Defaults();
    o.Date = false;
    o.TwelveHours = true;
    EXPECT_EQ(BuildClockTextFor(o, CivilTime{2026, 1, 1, 9, 3, 0, 0}, FakeLocale()), "09:03 AM");
    o.Seconds = true;
    EXPECT_EQ(BuildClockTextFor(o, CivilTime{2026, 1, 1, 0, 0, 5, 0}, FakeLocale()), "12:00:05 AM");
}

TEST(ClockText, RegionalSettings) {
    ClockOptions o = Defaults();
    o.UseRegional = true;
    o.UseTimeRegional = true;
    o.Date = false;  // not consulted when both are set
    EXPECT_EQ(Text(o), "2026/12/6 14:05:09");

    o = Defaults();
    o.UseRegional = true;
    o.Date = false;
    EXPECT_EQ(Text(o), "14:05");

    o.Date = true;
    EXPECT_EQ(Text(o), "2026/12/6 14:05");

    o = Defaults();
    o.UseTimeRegional = true;
    o.Seconds = false;
    o.TwelveHours = true;
    o.LeadingZero = false;
    EXPECT_EQ(Text(o), "6.12.2026 14:05:09");
}

TEST(ClockText, LongLocaleTextsAreKeptWhole) {
    ClockOptions o = Defaults();
    o.UseRegional = true;
    o.UseTimeRegional = true;
    FakeLocale locale;
    locale.dateAndTime = std::string(30, 'x') + "二〇二六年十二月六日 星期日 下午 2:05:09";
    EXPECT_EQ(Text(o, locale), locale.dateAndTime);
}

TEST(ClockText, HoverTextIgnoresTheOptions) {
    EXPECT_EQ(BuildHoverTextFor(kTime), "Tembra Clock: 星期日, 06 十二月 2026, 14:05");
    EXPECT_EQ(BuildHoverTextFor(CivilTime{2026, 5, 3, 9, 7, 0, 0}),
              "Tembra Clock: 星期日, 03 五月 2026, 09:07");
}

TEST(TickTiming, FiresShortlyAfterTheNextWholeSecond) {
    EXPECT_EQ(MillisecondsToNextTick(0), 1025u);
    EXPECT_EQ(MillisecondsToNextTick(990), 35u);
    EXPECT_EQ(MillisecondsToNextTick(999), 26u);
    EXPECT_EQ(MillisecondsToNextTick(1000), 1025u);  // out of range: as at the whole second
    EXPECT_EQ(MillisecondsToNextTick(-5), 1025u);
    EXPECT_EQ(MillisecondsToNextTick(5000), 1025u);
}
