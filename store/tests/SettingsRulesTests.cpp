#include <gtest/gtest.h>

#include "store/ClockText.h"
#include "store/InternetTimeOptions.h"

using namespace tembra;

namespace {

struct FakeLocale : LocaleTexts {
    std::string DateAndTime(const CivilTime&) const override { return "1980/1/1 12:30:30"; }
    std::string DateOnly(const CivilTime&) const override { return "1980/1/1"; }
    std::string TimeOnly(const CivilTime&) const override { return "12:30:30"; }
};

std::string Preview(const ClockOptions& o) { return DateTimePreviewFor(o, FakeLocale()); }

}  // namespace

TEST(DateTimePreview, StatedCases) {
    ClockOptions o;
    // The General page's choices do not reach the preview: always date, seconds, zeros.
    o.Date = false;
    o.Seconds = false;
    o.LeadingZero = false;
    EXPECT_EQ(Preview(o), "01.01.1980 12:30:30");
    o.TwelveHours = true;
    EXPECT_EQ(Preview(o), "01.01.1980 12:30:30 PM");
    o.TwelveHours = false;
    o.DateFormat = 1;
    o.DateSeparator = 2;
    EXPECT_EQ(Preview(o), "01-01-1980 12:30:30");
    o.DateSeparator = 1;  // the pattern's own slashes stay
    EXPECT_EQ(Preview(o), "01/01/1980 12:30:30");
    o.DateSeparator = -1;  // no selection: "-"
    EXPECT_EQ(Preview(o), "01-01-1980 12:30:30");
}

TEST(DateTimePreview, RegionalParts) {
    ClockOptions o;
    o.UseRegional = true;
    o.TwelveHours = true;
    EXPECT_EQ(Preview(o), "1980/1/1 12:30:30 PM");
    o.UseTimeRegional = true;  // both: the combined text, nothing of the page's own
    EXPECT_EQ(Preview(o), "1980/1/1 12:30:30");
    o.UseRegional = false;
    EXPECT_EQ(Preview(o), "01.01.1980 12:30:30");
}

TEST(InternetTimeOptions, ServersNumIsThreeWhenEmptyOrZero) {
    EXPECT_EQ(ServersNumToStore(""), 3u);
    EXPECT_EQ(ServersNumToStore("0"), 3u);
    EXPECT_EQ(ServersNumToStore("00"), 3u);
    EXPECT_EQ(ServersNumToStore("-5"), 3u);
    EXPECT_EQ(ServersNumToStore("1"), 1u);
    EXPECT_EQ(ServersNumToStore("12"), 12u);
    EXPECT_EQ(ServersNumToStore("99999999999999"), 0x7FFFFFFFu);

    EXPECT_EQ(ServersNumText(std::nullopt), "3");
    EXPECT_EQ(ServersNumText(0u), "3");
    EXPECT_EQ(ServersNumText(7u), "7");
    EXPECT_EQ(ServersNumText(0xFFFFFFFFu), "-1");
}
