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

// Each page writes exactly the values the user changed on it, as the clock reads them; the
// rest ("Seconds" set from the clock's menu meanwhile, say) stays as stored.
TEST(OptionRules, PagesWriteOnlyWhatTheUserChangedOnThem) {
    auto n = [](std::uint32_t value) { return std::string(reinterpret_cast<char*>(&value), 4); };
    auto t = [](const char* text) { return std::string(text, std::strlen(text) + 1); };
    using Values = std::map<std::string, std::string>;
    using Write = void (*)(const ClockOptions&, const ClockOptions&, OptionValues&);
    const Write general = WriteGeneralChanges, dateTime = WriteDateTimeChanges;
    const struct {
        Write write;
        void (*change)(ClockOptions&);
        Values stored, written;
    } cases[] = {
        {general, [](ClockOptions&) {}, {}, {}},
        {general, [](ClockOptions& o) { o.TopMost = false, o.FontStyle.bold = true; }, {},
         {{"TopMost", n(0)}, {"FontStyles", t("BOLD")}}},
        // Colour 2 missing reads as colour 1: it keeps the colour 2 the page showed.
        {general, [](ClockOptions& o) { o.FontColor = 0xFF; }, {},
         {{"FontColor", n(0xFF)}, {"FontColor2", n(0xFFFFFF)}}},
        {general, [](ClockOptions& o) { o.FontColor = 0xFF; }, {{"FontColor2", n(1)}},
         {{"FontColor", n(0xFF)}}},
        {general, [](ClockOptions& o) { o.TrayMode = o.TwelveHours = true; }, {}, {}},
        {dateTime, [](ClockOptions& o) { o.DateFormat = -1, o.TwelveHours = o.Seconds = true; }, {},
         {{"Date format", n(0xFFFFFFFF)}, {"12-Hours", n(1)}}},
    };
    for (const auto& c : cases) {
        const ClockOptions shown;
        ClockOptions edited = shown;
        c.change(edited);
        MemoryValues v;
        v.bytes = c.stored;
        v.SetNumber("Seconds", 7);
        Values expected = c.written;
        expected.insert(v.bytes.begin(), v.bytes.end());  // and the rest as it was
        c.write(shown, edited, v);
        EXPECT_EQ(v.bytes, expected) << &c - cases;
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
