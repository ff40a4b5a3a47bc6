// End to end: the real settings program changes the real clock's window at once.
#include <gtest/gtest.h>

#include "settings/GeneralPageRes.h"
#include "settings/tests/LiveClockAndSheet.h"

using namespace tembra;
using namespace tembra::test;

TEST(ApplyToClock, UntickingShowDateNarrowsTheRunningClockAtApply) {
    LiveClockAndSheet live;
    ASSERT_TRUE(live.Start());
    const int before = live.ClockWidth();
    ASSERT_TRUE(live.ClickCheckBox(IDC_SHOW_DATE));
    EXPECT_EQ(live.ClockWidth(), before);  // nothing reaches the clock before Apply
    live.PressApply();
    EXPECT_TRUE(WaitUntil([&] { return live.ClockWidth() < before; }, 5000))
        << "width stays " << live.ClockWidth();
    DWORD date = 1;
    EXPECT_TRUE(RegReadDword(reg::kOptionsKey, "Date", &date));
    EXPECT_EQ(date, 0u);
}
