#include <gtest/gtest.h>

#include <cstring>
#include <map>

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

// Each page writes exactly the values the user changed on it, in the form the clock reads.
TEST(OptionRules, PagesWriteOnlyWhatTheUserChangedOnThem) {
    using Values = std::map<std::string, std::string>;
    auto number = [](std::uint32_t n) { return std::string(reinterpret_cast<char*>(&n), 4); };
    auto text = [](const char* t) { return std::string(t, std::strlen(t) + 1); };
    struct Case {
        const char* what;
        bool general;  // else the Date and time page
        void (*change)(ClockOptions&);
        Values stored;  // before the save, beside what the test writes
        Values written;
    };
    const Case cases[] = {
        {"nothing", true, [](ClockOptions&) {}, {}, {}},
        {"nothing, date page", false, [](ClockOptions&) {}, {}, {}},
        {"a flag", true, [](ClockOptions& o) { o.Seconds = true; }, {}, {{"Seconds", number(1)}}},
        {"a flag turned off", true, [](ClockOptions& o) { o.TopMost = false; }, {},
         {{"TopMost", number(0)}}},
        {"styles", true, [](ClockOptions& o) { o.FontStyle.bold = o.FontStyle.italic = true; }, {},
         {{"FontStyles", text("BOLDITALIC")}}},
        {"face and height", true,
         [](ClockOptions& o) { std::strcpy(o.FontName, "宋体"), o.FontHeight = -20; }, {},
         {{"FontName", text("宋体")}, {"FontHeight", number(static_cast<std::uint32_t>(-20))}}},
        {"colour 1 with colour 2 missing keeps the colour 2 shown", true,
         [](ClockOptions& o) { o.FontColor = 0x0000FF; }, {},
         {{"FontColor", number(0x0000FF)}, {"FontColor2", number(0xFFFFFF)}}},
        {"colour 1 with colour 2 stored", true, [](ClockOptions& o) { o.FontColor = 0x0000FF; },
         {{"FontColor2", number(0xFFFFFF)}}, {{"FontColor", number(0x0000FF)}}},
        {"tray mode has no control on the page", true, [](ClockOptions& o) { o.TrayMode = true; },
         {}, {}},
        {"the date page's values are not the general page's", true,
         [](ClockOptions& o) { o.DateFormat = 1, o.TwelveHours = true; }, {}, {}},
        {"no selection kept as -1", false, [](ClockOptions& o) { o.DateFormat = -1; }, {},
         {{"Date format", number(0xFFFFFFFF)}}},
        {"date flags", false, [](ClockOptions& o) { o.TwelveHours = o.UseTimeRegional = true; }, {},
         {{"12-Hours", number(1)}, {"Use time regional settings", number(1)}}},
        {"the general page's values are not the date page's", false,
         [](ClockOptions& o) { o.Seconds = true, o.FontColor = 1; }, {}, {}},
    };
    for (const Case& c : cases) {
        const ClockOptions shown;
        ClockOptions edited = shown;
        c.change(edited);
        MemoryValues v;
        v.SetNumber("Seconds", 7);  // the clock's menu, meanwhile: stays unless the page wrote it
        Values expected = c.written;
        expected.emplace("Seconds", number(7));
        for (const auto& [name, bytes] : c.stored) v.bytes[name] = bytes, expected.emplace(name, bytes);
        if (c.general)
            WriteGeneralChanges(shown, edited, v);
        else
            WriteDateTimeChanges(shown, edited, v);
        EXPECT_EQ(v.bytes, expected) << c.what;
    }
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
