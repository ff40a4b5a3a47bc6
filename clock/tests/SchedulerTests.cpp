#include <gtest/gtest.h>

#include "clock/Scheduler.h"

using namespace tembra;

namespace {

long long Sec(int h, int m, int s = 0) { return (h * 60 + m) * 60LL + s; }
double TimeOfDay(int h, int m, int s = 0) { return Sec(h, m, s) / 86400.0; }

std::unique_ptr<EventRecord> Event(double id, double time, int remind = 0) {
    auto e = std::make_unique<EventRecord>();
    e->Id = id;
    e->ListKey = static_cast<std::uint32_t>(id);
    e->Name = "event " + std::to_string(static_cast<int>(id));
    e->Time = time;
    e->Remind = remind;
    return e;
}

std::vector<std::uint32_t> Keys(const EventList& list) {
    std::vector<std::uint32_t> keys;
    for (const auto& e : list) keys.push_back(e->ListKey);
    return keys;
}

std::vector<double> Ids(const EventList& list) {
    std::vector<double> ids;
    for (const auto& e : list) ids.push_back(e->Id);
    return ids;
}

std::vector<std::string> Posts(const std::vector<DuePost>& posts) {
    std::vector<std::string> out;
    for (const auto& p : posts)
        out.push_back((p.reminder ? "remind " : "due ") + std::to_string(p.key));
    return out;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(Scheduler, AttentionIsTheReminderMomentOrTheEventItself) {
    EXPECT_EQ(AttentionSecond(*Event(1, TimeOfDay(10, 0), 300)), Sec(9, 55));
    EXPECT_EQ(AttentionSecond(*Event(1, TimeOfDay(10, 0))), Sec(10, 0));
    // A reminder before midnight of an event just after it lies on the previous day.
    EXPECT_EQ(AttentionSecond(*Event(1, TimeOfDay(0, 2), 300)), -180);
    // A reminder after the event makes no sense: no reminder.
    EXPECT_EQ(AttentionSecond(*Event(1, TimeOfDay(10, 0), -60)), Sec(10, 0));
    // Noise in the stored fraction does not move the second.
    EXPECT_EQ(AttentionSecond(*Event(1, TimeOfDay(10, 0) + 1e-12)), Sec(10, 0));
}

TEST(Scheduler, SortsByReminderMomentKeepingEqualsInStoredOrder) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(12, 0)));
    list.push_back(Event(2, TimeOfDay(10, 0), 600));   // 09:50
    list.push_back(Event(3, TimeOfDay(9, 50)));        // 09:50, stored after 2
    list.push_back(Event(4, TimeOfDay(9, 0)));
    list.push_back(Event(5, TimeOfDay(11, 0), 7200));  // 09:00, stored after 4
    SortDayList(list);
    EXPECT_EQ(Ids(list), (std::vector<double>{4, 5, 2, 3, 1}));

    EventList empty;
    SortDayList(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(Scheduler, ExchangeSortMovesEqualsOnlyThroughOtherRecords) {
    // The exchange of 1 with 3 carries 1 past its equal 2: what the plain exchange sort does.
    EventList list;
    list.push_back(Event(1, TimeOfDay(10, 0)));
    list.push_back(Event(2, TimeOfDay(10, 0)));
    list.push_back(Event(3, TimeOfDay(9, 0)));
    SortDayList(list);
    EXPECT_EQ(Ids(list), (std::vector<double>{3, 2, 1}));
}

TEST(Scheduler, ReminderAtItsMomentThenTheEventAtItsTime) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(10, 0), 300));
    EXPECT_TRUE(ScanDue(list, Sec(9, 54, 59)).empty());
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 55))), Strings{"remind 1"});
    list[0]->Reminded = true;
    EXPECT_TRUE(ScanDue(list, Sec(9, 59, 59)).empty());
    EXPECT_EQ(Posts(ScanDue(list, Sec(10, 0))), Strings{"due 1"});
    EXPECT_EQ(Posts(ScanDue(list, Sec(10, 0, 1))), Strings{"due 1"});
}

TEST(Scheduler, AClockSetForwardPastBothMomentsRemindsFirst) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(10, 0), 300));
    EXPECT_EQ(Posts(ScanDue(list, Sec(11, 0))), Strings{"remind 1"});
    list[0]->Reminded = true;
    EXPECT_EQ(Posts(ScanDue(list, Sec(11, 0))), Strings{"due 1"});
}

TEST(Scheduler, StopsAtTheFirstRecordWhoseMomentLiesAhead) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(9, 0)));
    list.push_back(Event(2, TimeOfDay(10, 0)));
    list.push_back(Event(3, TimeOfDay(8, 0)));  // out of order: behind a record ahead
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 30))), Strings{"due 1"});
}

TEST(Scheduler, AShownReminderDoesNotHoldBackALaterRecordWhoseTimeHasCome) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(10, 0), 3600));  // reminder 09:00, event 10:00
    list.push_back(Event(2, TimeOfDay(9, 30)));
    list.push_back(Event(3, TimeOfDay(9, 40), 60));     // reminder 09:39
    list.push_back(Event(4, TimeOfDay(9, 50)));
    SortDayList(list);
    ASSERT_EQ(Ids(list), (std::vector<double>{1, 2, 3, 4}));
    list[0]->Reminded = true;
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 39))), (Strings{"due 2", "remind 3"}));
    list[2]->Reminded = true;
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 40))), (Strings{"due 2", "due 3"}));
    // Reminder not shown yet: the record is posted for its reminder and the scan goes on.
    list[0]->Reminded = false;
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 40))), (Strings{"remind 1", "due 2", "due 3"}));
}

TEST(Scheduler, DisabledRecordsNeverPostAndNeverStopTheScan) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(8, 0)));
    list.push_back(Event(2, TimeOfDay(8, 30), 60));
    list.push_back(Event(3, TimeOfDay(9, 0)));
    list.push_back(Event(4, TimeOfDay(12, 0)));
    list[0]->Enabled = false;
    list[1]->Enabled = false;
    list[3]->Enabled = false;
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 0))), Strings{"due 3"});
    EXPECT_EQ(Posts(ScanDue(list, Sec(13, 0))), Strings{"due 3"});
}

TEST(Scheduler, PendingRecordsAreNotPostedAgain) {
    EventList list;
    list.push_back(Event(1, TimeOfDay(9, 0)));
    list.push_back(Event(2, TimeOfDay(9, 0), 60));
    list.push_back(Event(3, TimeOfDay(9, 0)));
    EXPECT_EQ(Posts(ScanDue(list, Sec(9, 0), {1, 2})), Strings{"due 3"});
}

TEST(Scheduler, TwinsSharingAnIdArePostedByTheirOwnKeys) {
    EventList list;
    list.push_back(Event(7, TimeOfDay(9, 0), 60));
    list.push_back(Event(7, TimeOfDay(9, 0), 60));
    list[1]->ListKey = 8;
    EXPECT_EQ(Posts(ScanDue(list, Sec(8, 59))), (Strings{"remind 7", "remind 8"}));
    list[0]->Reminded = true;
    EXPECT_EQ(Posts(ScanDue(list, Sec(8, 59), {8})), Strings{});
}

TEST(Scheduler, APostIsCarriedOutOnlyWhileItsMomentHasCome) {
    auto e = Event(1, TimeOfDay(10, 0), 300);
    EXPECT_TRUE(StillDue(*e, true, Sec(9, 55)));
    EXPECT_FALSE(StillDue(*e, true, Sec(9, 54, 59)));  // the clock was set back
    EXPECT_FALSE(StillDue(*e, false, Sec(9, 59, 59)));
    EXPECT_TRUE(StillDue(*e, false, Sec(10, 0)));
    e->Reminded = true;
    EXPECT_FALSE(StillDue(*e, true, Sec(9, 56)));  // reminded already
    e->Enabled = false;
    EXPECT_FALSE(StillDue(*e, false, Sec(10, 0)));
}

TEST(Scheduler, AReloadKeepsTheKeysOfUnchangedRecordsOnly) {
    EventList previous;
    previous.push_back(Event(1, TimeOfDay(9, 0)));
    previous.push_back(Event(1, TimeOfDay(9, 0)));
    previous.push_back(Event(3, TimeOfDay(10, 0)));
    std::uint32_t last = 0;
    AssignListKeys({}, previous, &last);
    EXPECT_EQ(Keys(previous), (std::vector<std::uint32_t>{1, 2, 3}));

    EventList fresh;
    fresh.push_back(Event(3, TimeOfDay(10, 0)));
    fresh.push_back(Event(1, TimeOfDay(9, 0)));
    fresh.push_back(Event(1, TimeOfDay(9, 30)));  // changed
    fresh.push_back(Event(1, TimeOfDay(9, 0)));
    AssignListKeys(previous, fresh, &last);
    EXPECT_EQ(Keys(fresh), (std::vector<std::uint32_t>{3, 1, 4, 2}));
}

TEST(Scheduler, AReloadAfterTheClockMovedForwardCountsFromThePreviousTick) {
    const double day = 46365;
    const double second = 1 / 86400.0;
    const double previous = day + TimeOfDay(9, 59, 58);
    EXPECT_EQ(SecondsOfDay(TimePart(ReloadMoment(previous, day + TimeOfDay(10, 5)))), Sec(9, 59, 59));
    EXPECT_EQ(ReloadMoment(previous, previous + second), previous + second);
    EXPECT_EQ(ReloadMoment(previous, day + TimeOfDay(9, 0)), day + TimeOfDay(9, 0));  // set back
    EXPECT_EQ(ReloadMoment(previous, day + 1.5), day + 1.5);  // another day
}

TEST(Scheduler, MidnightEventIsDueAtTheFirstSecondOfTheDay) {
    EventList list;
    list.push_back(Event(1, 0.0));
    EXPECT_EQ(Posts(ScanDue(list, 0)), Strings{"due 1"});
}

TEST(Scheduler, ShutdownFlagsByPlatformAndVersion) {
    // Windows 95/98/Me (platform 1): power off, forced, no privilege needed.
    EXPECT_EQ(ShutdownFlagsFor(1, 4), 0x0Cu);
    EXPECT_FALSE(ShutdownNeedsPrivilege(1));
    // NT 4: forced.
    EXPECT_EQ(ShutdownFlagsFor(2, 4), 0x0Cu);
    EXPECT_TRUE(ShutdownNeedsPrivilege(2));
    // 2000, XP and later: only hanging programs are forced.
    EXPECT_EQ(ShutdownFlagsFor(2, 5), 0x18u);
    EXPECT_EQ(ShutdownFlagsFor(2, 6), 0x18u);
    EXPECT_EQ(ShutdownFlagsFor(2, 10), 0x18u);
    // Win32s (platform 0) is not NT whatever its version says.
    EXPECT_EQ(ShutdownFlagsFor(0, 5), 0x0Cu);
}
