// The event editor's rules without its window.
#include <gtest/gtest.h>

#include "settings/core/EventEditRules.h"

using namespace tembra;

TEST(EventEditRules, SoundChoices) {
    // No sound: neither box.
    EXPECT_FALSE(SoundChoicesFor(false, ShowMessage, false).soundOnlyEnabled);
    EXPECT_FALSE(SoundChoicesFor(false, ShowMessage, false).loopEnabled);
    // A message with a sound: both; ticking "仅声音" takes "循环" away.
    EXPECT_TRUE(SoundChoicesFor(true, ShowMessage, false).soundOnlyEnabled);
    EXPECT_TRUE(SoundChoicesFor(true, ShowMessage, false).loopEnabled);
    EXPECT_TRUE(SoundChoicesFor(true, ShowMessage, true).soundOnlyEnabled);
    EXPECT_FALSE(SoundChoicesFor(true, ShowMessage, true).loopEnabled);
    // Running a program: no "仅声音", and a tick left in it does not hold back "循环".
    EXPECT_FALSE(SoundChoicesFor(true, RunProgram, true).soundOnlyEnabled);
    EXPECT_TRUE(SoundChoicesFor(true, RunProgram, true).loopEnabled);
}

TEST(EventEditRules, UpDownStepsStopAtTheEndsOfTheirRanges) {
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "9998", +1), 9999u);
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "9999", +1), 9999u);
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "3", -1), 0u);
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "10", -1), 5u);
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "", +1), 5u);
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "123456", -1), 9994u);  // pasted past the end
    EXPECT_EQ(SteppedValue(StepField::DayOfMonth, "30", +1), 31u);
    EXPECT_EQ(SteppedValue(StepField::DayOfMonth, "31", +1), 31u);
    EXPECT_EQ(SteppedValue(StepField::DayOfMonth, "1", -1), 1u);
    EXPECT_EQ(SteppedValue(StepField::DayOfMonth, "0", -1), 1u);
    EXPECT_EQ(SteppedValue(StepField::DayOfMonth, "", +1), 2u);
    // Another delta leaves the number as read, clamped.
    EXPECT_EQ(SteppedValue(StepField::DayOfMonth, "45", 3), 31u);
    EXPECT_EQ(SteppedValue(StepField::RemindSeconds, "17", -2), 17u);
}

TEST(EventEditRules, OkTakesEveryValueWithTheClamps) {
    EventRecord record;
    EditorValues v;
    v.name = std::string(300, 'n');  // texts whole at any length
    v.enabled = false;
    v.frequencyIndex = Weekly;
    v.actionIndex = RunProgram;
    v.pickedDay = 47000;
    v.pickedTimeOfDay = 0.75;
    v.daysMask = 0x41;
    v.weekdayIndex = 6;
    v.dayOfMonthText = "45";
    v.remindText = "99999";
    v.wavFile = "C:\\ding.wav";
    v.loopSound = true;
    v.soundOnly = true;
    v.run = std::string(400, 'r');
    v.runParams = std::string(300, 'p');
    v.runIn = std::string(270, 'i');
    TakeEditorValues(v, record);
    EXPECT_EQ(record.Name, v.name);
    EXPECT_FALSE(record.Enabled);
    EXPECT_EQ(record.Frequency, Weekly);
    EXPECT_EQ(record.Action, RunProgram);
    EXPECT_EQ(record.FreqDetail0, 47000);
    EXPECT_EQ(record.Time, 0.75);
    EXPECT_EQ(record.FreqDetail1, 0x41);
    EXPECT_EQ(record.FreqDetail2, 7);
    EXPECT_EQ(record.FreqDetail3, 31);
    EXPECT_EQ(record.Remind, 9999);
    EXPECT_EQ(record.WavFile, v.wavFile);
    EXPECT_TRUE(record.LoopSound);
    EXPECT_TRUE(record.SoundOnly);
    EXPECT_EQ(record.Run, v.run);
    EXPECT_EQ(record.RunParams, v.runParams);
    EXPECT_EQ(record.RunIn, v.runIn);

    v.dayOfMonthText = "0";
    v.remindText = "-7";
    TakeEditorValues(v, record);
    EXPECT_EQ(record.FreqDetail3, 1);
    EXPECT_EQ(record.Remind, 0);
}

TEST(EventEditRules, OkKeepsWhatNoControlChoseAndDropsSoundOnlyWithoutASound) {
    EventRecord record;
    record.Frequency = 9;
    record.Action = 5;
    record.FreqDetail0 = -3;
    record.FreqDetail2 = 9;
    record.Time = 0.25;
    record.SoundOnly = true;
    EditorValues v;  // nothing chosen, no sound, the pickers left alone
    v.soundOnly = true;
    TakeEditorValues(v, record);
    EXPECT_EQ(record.Frequency, 9);
    EXPECT_EQ(record.Action, 5);
    EXPECT_EQ(record.FreqDetail0, -3);
    EXPECT_EQ(record.FreqDetail2, 9);
    EXPECT_EQ(record.Time, 0.25);
    EXPECT_FALSE(record.SoundOnly);
}

TEST(EventEditRules, ThePickerReachesBackToAPastStoredDay) {
    const double now = DateValueOf({2026, 12, 9, 7, 30, 0, 0});
    const int today = DayNumberOf(2026, 12, 9);
    EXPECT_EQ(EarliestPickerDate(today - 30, now), today - 30);
    EXPECT_EQ(EarliestPickerDate(today, now), today);
    EXPECT_EQ(EarliestPickerDate(today + 1, now), now);
    // A day no picker can show leaves the earliest date at now.
    EXPECT_EQ(EarliestPickerDate(-1000000, now), now);
    EXPECT_TRUE(PickerCanShowDay(DayNumberOf(1753, 1, 1)));
    EXPECT_FALSE(PickerCanShowDay(DayNumberOf(1752, 12, 31)));
    EXPECT_TRUE(PickerCanShowDay(DayNumberOf(9999, 12, 31)));
    EXPECT_FALSE(PickerCanShowDay(DayNumberOf(9999, 12, 31) + 1));
}

TEST(EventEditRules, FolderPart) {
    EXPECT_EQ(FolderPart("C:\\Tools\\prog.exe"), "C:\\Tools");
    EXPECT_EQ(FolderPart("C:\\prog.exe"), "C:\\");
    EXPECT_EQ(FolderPart("\\\\server\\share\\prog.exe"), "\\\\server\\share");
    EXPECT_EQ(FolderPart("prog.exe"), "");
    EXPECT_EQ(FolderPart(""), "");
    // "乗" is 0x81 0x5C in code page 936: its second byte is no separator.
    EXPECT_EQ(FolderPart("D:\\声音\\乗.wav"), "D:\\声音");
    EXPECT_EQ(FolderPart("D:\\乗"), "D:\\");
}
