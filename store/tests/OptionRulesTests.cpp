#include <gtest/gtest.h>

#include "store/OptionRules.h"
#include "store/tests/MemoryValues.h"

using namespace tembra;
using tembra::test::MemoryValues;

namespace {

ClockOptions Read(const MemoryValues& values) {
    ClockOptions o;
    o.FontColor = 0x123456;  // anything the reader must overwrite
    o.Transparent = true;
    ReadOptionValues(values, &o, nullptr);
    return o;
}

}  // namespace

TEST(OptionRules, NothingStoredGivesTheDefaultsAFreshRecordHolds) {
    const ClockOptions read = Read(MemoryValues());
    const ClockOptions fresh;
    EXPECT_STREQ(read.FontName, "Arial");
    EXPECT_EQ(read.FontHeight, -13);
    EXPECT_EQ(read.FontColor, 0xFFFFFFu);
    EXPECT_EQ(read.FontColor2, 0xFFFFFFu);
    EXPECT_FALSE(read.Transparent);
    EXPECT_TRUE(read.Border);
    EXPECT_TRUE(read.UseFontColor);
    EXPECT_TRUE(read.RemoveOldAlarms);
    // One set of defaults: a record that was never loaded is what a load of nothing gives.
    EXPECT_EQ(FlagWord(fresh), FlagWord(read));
    EXPECT_STREQ(fresh.FontName, read.FontName);
    EXPECT_EQ(fresh.FontHeight, read.FontHeight);
    EXPECT_EQ(fresh.FontColor, read.FontColor);
    EXPECT_EQ(fresh.FontColor2, read.FontColor2);
}

TEST(OptionRules, FlagsByLowestBitAndTheFontStylesCapacity) {
    MemoryValues v;
    v.SetNumber("Transparent", 2);  // even: off
    v.SetNumber("12-Hours", 0xFFFFFFFF);  // -1: odd, on, as the clock reads it
    v.SetNumber("Use regional settings", 3);
    v.SetText("FontStyles", "BOLDITALICUNDERLINESTRIKE");  // all four words, 25 characters
    v.SetText("FontName", std::string(32, 'F'));           // one too long for 32 bytes
    ClockOptions o = Read(v);
    EXPECT_FALSE(o.Transparent);
    EXPECT_TRUE(o.TwelveHours);
    EXPECT_TRUE(o.UseRegional);
    EXPECT_TRUE(o.FontStyle.bold && o.FontStyle.italic && o.FontStyle.underline &&
                o.FontStyle.strikeout);
    EXPECT_STREQ(o.FontName, "Arial");

    v.SetText("FontStyles", "strike, italic");
    v.SetText("FontName", std::string(31, 'F'));
    o = Read(v);
    EXPECT_FALSE(o.FontStyle.bold);
    EXPECT_TRUE(o.FontStyle.italic && o.FontStyle.strikeout);
    EXPECT_EQ(std::string(o.FontName), std::string(31, 'F'));
}

TEST(OptionRules, GeneralPageChecksKeepBitsTwelveAndAbove) {
    ClockOptions o;
    SetFlagWord(&o, 0xFFFFFFFF);
    SetGeneralPageFlags(&o, 0);
    EXPECT_EQ(FlagWord(o), kFlagUseRegional | kFlagTwelveHours | kFlagTrayMode |
                               kFlagUseTimeRegional);
    SetGeneralPageFlags(&o, kFlagLeadingZero | kFlagTransparent | kFlagUseRegional);
    EXPECT_TRUE(o.LeadingZero);
    EXPECT_TRUE(o.Transparent);
    EXPECT_FALSE(o.Border);
    SetFlagWord(&o, 0);
    SetGeneralPageFlags(&o, kFlagUseRegional | kFlagTrayMode);  // not the page's to set
    EXPECT_EQ(FlagWord(o), 0u);
}

TEST(OptionRules, GeneralSaveWritesItsValuesAndTrayModeAsStoredNow) {
    ClockOptions o;
    o.FontStyle.bold = o.FontStyle.italic = true;
    o.TrayMode = false;  // as read when the page was first shown
    o.DateFormat = 5;    // not the General page's value
    MemoryValues v;
    v.SetNumber("TrayMode", 1);  // the clock's menu turned tray mode on meanwhile
    WriteGeneralOptions(o, v);
    EXPECT_EQ(v.NumberAt("TrayMode"), 1u);
    EXPECT_EQ(v.TextAt("FontStyles"), "BOLDITALIC");
    EXPECT_EQ(v.TextAt("FontName"), "Arial");
    EXPECT_EQ(v.NumberAt("FontHeight"), static_cast<std::uint32_t>(-13));
    EXPECT_EQ(v.NumberAt("Border"), 1u);
    EXPECT_EQ(v.NumberAt("TopMost"), 1u);
    EXPECT_FALSE(v.Has("Date format"));
    EXPECT_FALSE(v.Has("Left"));
    EXPECT_EQ(v.bytes.size(), 20u);  // values 1-7, 10, 11, 14-22, 26, 27

    v.SetNumber("TrayMode", 6);  // even: off, and written back as a plain 0
    WriteGeneralOptions(o, v);
    EXPECT_EQ(v.NumberAt("TrayMode"), 0u);
}

TEST(OptionRules, DateTimeSaveKeepsNoSelectionAndWritesFlagsAsZeroOrOne) {
    ClockOptions o;
    o.DateFormat = -1;
    o.DateSeparator = 2;
    o.TwelveHours = true;
    o.UseRegional = false;
    o.UseTimeRegional = true;
    MemoryValues v;
    WriteDateTimeOptions(o, v);
    EXPECT_EQ(v.NumberAt("Date format"), 0xFFFFFFFFu);
    EXPECT_EQ(v.NumberAt("Date separator"), 2u);
    EXPECT_EQ(v.NumberAt("12-Hours"), 1u);
    EXPECT_EQ(v.NumberAt("Use regional settings"), 0u);
    EXPECT_EQ(v.NumberAt("Use time regional settings"), 1u);
    EXPECT_EQ(v.bytes.size(), 5u);
}

TEST(OptionRules, AutoStartComparisonIgnoresCaseOnly) {
    const std::string clock = "C:\\Program Files\\Tembra\\TembraClock.exe";
    EXPECT_TRUE(AutoStartPointsAt("c:\\PROGRAM FILES\\tembra\\tembraclock.EXE", clock));
    EXPECT_FALSE(AutoStartPointsAt("C:\\Other\\TembraClock.exe", clock));
    EXPECT_FALSE(AutoStartPointsAt("", ""));
    // In code page 936 "\x95\x61" and "\x95\x41" are two different characters whose trail
    // bytes happen to be 'a' and 'A': they are not letters to fold.
    EXPECT_FALSE(AutoStartPointsAt("C:\\\x95\x61\\TembraClock.exe", "C:\\\x95\x41\\TembraClock.exe"));

    using C = AutoStartChange;
    EXPECT_EQ(AutoStartChangeFor(true, "", clock), C::Write);
    EXPECT_EQ(AutoStartChangeFor(true, "C:\\Other\\TembraClock.exe", clock), C::Write);
    EXPECT_EQ(AutoStartChangeFor(true, "C:\\PROGRAM FILES\\TEMBRA\\TEMBRACLOCK.EXE", clock), C::None);
    EXPECT_EQ(AutoStartChangeFor(false, "C:\\Other\\TembraClock.exe", clock), C::Delete);
    EXPECT_EQ(AutoStartChangeFor(false, "", clock), C::None);
}
