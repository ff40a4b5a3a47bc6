// The settings program started for a new event, in process: the editor alone, the event
// appended on OK, and the clock told whichever way the editor closed.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "settings/StartUp.h"
#include "settings/tests/EventEditorTestSupport.h"
#include "store/EventStore.h"
#include "store/EventStoreLock.h"
#include "store/tests/StoreLockHolder.h"

using namespace tembra;
using namespace tembra::test;

namespace {

CivilTime FixedNow() { return {2030, 5, 6, 10, 20, 30, 0}; }

// Starts the program with `n` while a worker names the event and presses `button`, with a
// click or with Enter on it.
void StartForNewEvent(int button, bool enter = false) {
    std::thread worker([button, enter] {
        HWND editor = WaitForOwnDialog(kNewEventTitle);
        if (!editor) return;
        SetText(editor, IDC_EVENT_NAME, "新的");
        enter ? PostEnterOn(editor, GetDlgItem(editor, button)) : PostClick(editor, button);
    });
    RunSettingsProgram(GetModuleHandleA(nullptr), "n");
    worker.join();
}

EventList Stored() {
    EventList list;
    LoadEvents(false, list);
    return list;
}

}  // namespace

TEST(NewEventStart, OkAppendsUnderAnUnusedIdAndCancelStillTellsTheClock) {
    ScopedRegistrySandbox sandbox;
    const LocalTimeSource previous = SetLocalTimeSource(FixedNow);
    // Events made in this second and the next: the new event may take neither Id.
    for (int second : {30, 31}) AppendEvent(EventRecord::NewAt(DateValueOf({2030, 5, 6, 10, 20, second, 0})));
    StandInClock clock;

    StartForNewEvent(IDOK);
    EventList stored = Stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2]->Name, "新的");
    EXPECT_EQ(std::llround(stored[2]->Id * 86400),
              std::llround(DateValueOf({2030, 5, 6, 10, 20, 32, 0}) * 86400));
    EXPECT_EQ(stored[2]->FreqDetail0, DayNumberOf(2030, 5, 6));
    EXPECT_EQ(SecondsOfDay(stored[2]->Time), 10 * 3600 + 20 * 60 + 30);
    EXPECT_EQ(clock.EventReloads(), 1);

    StartForNewEvent(IDCANCEL);
    EXPECT_EQ(Stored().size(), 3u);
    EXPECT_EQ(clock.EventReloads(), 2);
    StartForNewEvent(IDCANCEL, true);  // Enter on the focused "取消" is Cancel too
    EXPECT_EQ(Stored().size(), 3u);
    EXPECT_EQ(clock.EventReloads(), 3);
    SetLocalTimeSource(previous);
}

// The store held elsewhere past the wait: the new event is not dropped unasked; Retry, once
// the store is free, saves it.
TEST(NewEventStart, AStoreHeldElsewhereAsksAndRetrySavesTheEvent) {
    ScopedRegistrySandbox sandbox;
    SetEventStoreWait(50);
    StandInClock clock;
    auto other = std::make_unique<StoreLockHolder>();
    std::thread worker([&] {
        PostClick(WaitForOwnDialog(kNewEventTitle), IDOK);
        HWND box = WaitForOwnDialog("Tembra Clock");
        other.reset();
        SetEventStoreWait(INFINITE);  // tests of other processes may hold it a moment
        PostMessageA(box, WM_COMMAND, IDRETRY, 0);
    });
    RunSettingsProgram(GetModuleHandleA(nullptr), "n");
    worker.join();
    EXPECT_EQ(Stored().size(), 1u);
}
