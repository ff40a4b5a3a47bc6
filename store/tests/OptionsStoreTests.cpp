#include <gtest/gtest.h>

#include "framework/testing/TestSupport.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {
const std::string kOptions = reg::kOptionsKey;

struct StepRecorder : OptionsLoadSteps {
    std::vector<std::string> steps;
    void RemoveOldEvents(bool shutdownOnly) override {
        steps.push_back(shutdownOnly ? "remove-shutdown-only" : "remove-all");
    }
    void PlaceWindow(int left, int top) override {
        steps.push_back("place " + std::to_string(left) + "," + std::to_string(top));
    }
    void FinishLoad() override { steps.push_back("finish"); }
};
}  // namespace

TEST(LoadOptions, DefaultsWhenNothingIsStored) {
    ScopedRegistrySandbox sandbox;
    ClockOptions o;
    StepRecorder steps;
    ASSERT_TRUE(LoadOptions(o, &steps));
    EXPECT_STREQ(o.FontName, "Arial");
    EXPECT_EQ(o.FontHeight, -13);
    EXPECT_EQ(o.FontColor, 0xFFFFFFu);
    EXPECT_EQ(o.FontColor2, 0xFFFFFFu);
    EXPECT_EQ(o.BackgroundColor, 0u);
    EXPECT_FALSE(o.Transparent);
    EXPECT_TRUE(o.Date);
    EXPECT_TRUE(o.Border);
    EXPECT_TRUE(o.UseFontColor);
    EXPECT_TRUE(o.RemoveOldAlarms);
    EXPECT_TRUE(o.TopMost);
    EXPECT_TRUE(o.RemoveFromAltTab);
    EXPECT_FALSE(o.FontStyle.bold);
    std::vector<std::string> expected{"remove-all", "place 0,0", "finish"};
    EXPECT_EQ(steps.steps, expected);
}

TEST(LoadOptions, StoredValuesAndTheirQuirks) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kOptions, "FontColor", 0x00FF00);
    RegWriteDword(kOptions, "Transparent", 2);  // only the lowest bit counts
    RegWriteDword(kOptions, "Seconds", 3);
    RegWriteDword(kOptions, "RemoveOldAlarms", 0);
    RegWriteDword(kOptions, "Left", static_cast<DWORD>(-50));
    RegWriteDword(kOptions, "Top", 70);
    RegWriteString(kOptions, "FontStyles", "underline, bold");
    RegWriteString(kOptions, "FontName", "微软雅黑");
    ClockOptions o;
    StepRecorder steps;
    ASSERT_TRUE(LoadOptions(o, &steps));
    EXPECT_EQ(o.FontColor2, 0x00FF00u);  // set 2 follows set 1 when missing
    EXPECT_FALSE(o.Transparent);
    EXPECT_TRUE(o.Seconds);
    EXPECT_TRUE(o.FontStyle.bold);
    EXPECT_TRUE(o.FontStyle.underline);
    EXPECT_FALSE(o.FontStyle.italic);
    EXPECT_STREQ(o.FontName, "微软雅黑");
    std::vector<std::string> expected{"remove-shutdown-only", "place -50,70", "finish"};
    EXPECT_EQ(steps.steps, expected);
}

TEST(LoadOptions, TooLongFaceNameReadsAsArial) {
    ScopedRegistrySandbox sandbox;
    RegWriteString(kOptions, "FontName", std::string(32, 'F'));
    ClockOptions o;
    LoadOptions(o, nullptr);
    EXPECT_STREQ(o.FontName, "Arial");
    RegWriteString(kOptions, "FontName", std::string(31, 'F'));
    LoadOptions(o, nullptr);
    EXPECT_EQ(std::string(o.FontName), std::string(31, 'F'));
}

TEST(SaveOptions, WritesAllValuesAndEveryStyleSetReadsBack) {
    ScopedRegistrySandbox sandbox;
    ClockOptions o;
    LoadOptions(o, nullptr);
    o.FontStyle = FontStyles{true, true, true, true};  // 25 characters
    o.Seconds = true;
    o.FontHeight = -96;
    ASSERT_TRUE(SaveOptions(o, 12, -3));
    EXPECT_EQ(RegValueNames(kOptions).size(), 27u);
    std::string styles;
    RegReadString(kOptions, "FontStyles", &styles);
    EXPECT_EQ(styles, "BOLDITALICUNDERLINESTRIKE");
    DWORD top = 0;
    RegReadDword(kOptions, "Top", &top);
    EXPECT_EQ(static_cast<int>(top), -3);

    ClockOptions back;
    LoadOptions(back, nullptr);
    EXPECT_TRUE(back.FontStyle.bold && back.FontStyle.italic && back.FontStyle.underline &&
                back.FontStyle.strikeout);
    EXPECT_TRUE(back.Seconds);
    EXPECT_EQ(back.FontHeight, -96);
}

TEST(WriteOption, WritesOnlyThatValue) {
    ScopedRegistrySandbox sandbox;
    ASSERT_TRUE(WriteOption("Seconds", 1));
    EXPECT_EQ(RegValueNames(kOptions), std::vector<std::string>{"Seconds"});
}
