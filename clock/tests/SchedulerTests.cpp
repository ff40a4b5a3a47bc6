#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "clock/DayRecord.h"
#include "clock/MissedEvents.h"
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

TEST(Scheduler, AReloadKeepsTheKeysOfTheSameOccurrences) {
    EventList previous;
    previous.push_back(Event(1, TimeOfDay(9, 0)));
    previous.push_back(Event(1, TimeOfDay(9, 0)));
    previous.push_back(Event(3, TimeOfDay(10, 0)));
    previous.push_back(Event(5, TimeOfDay(11, 0)));
    previous.push_back(Event(6, TimeOfDay(0, 5), 600));
    previous.back()->OccursOn = 1;  // tomorrow's
    std::uint32_t last = 0;
    AssignListKeys({}, previous, &last);
    EXPECT_EQ(Keys(previous), (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));

    EventList fresh;
    fresh.push_back(Event(3, TimeOfDay(10, 0)));
    fresh.push_back(Event(1, TimeOfDay(9, 30)));  // one twin moved
    fresh.push_back(Event(1, TimeOfDay(9, 0)));
    fresh.push_back(Event(5, TimeOfDay(11, 0)));
    fresh.back()->Name = "renamed";  // edited while its reminder is open
    fresh.push_back(Event(6, TimeOfDay(0, 5), 600));  // today's: another occurrence
    fresh.push_back(Event(7, TimeOfDay(12, 0)));
    AssignListKeys(previous, fresh, &last);
    EXPECT_EQ(Keys(fresh), (std::vector<std::uint32_t>{3, 2, 1, 4, 6, 7}));
}

TEST(Scheduler, ATickIsTakenWheneverTheSecondChangesAndPlansItsReload) {
    const long long day = 46365 * 86400LL;  // a day's first second
    const long long t = day + Sec(10, 0);
    struct Case {
        const char* what;
        long long previous, now;
        bool timeChanged, suspended;
        bool accept, away, reload;
        long long from;
    };
    const Case cases[] = {
        {"same second", t, t, false, false, false, false, false, 0},
        {"next second", t, t + 1, false, false, true, false, false, 0},
        {"back an hour, unannounced", t, t - 3600, false, false, true, false, true, t - 3600},
        {"back a second, announced", t, t - 1, true, false, true, false, true, t - 1},
        {"same second, announced", t, t, true, false, true, false, true, t},
        {"forward by hand", t, t + 3600, true, false, true, false, true, t + 1},
        {"forward by hand, days", t, t + 3 * 86400, true, false, true, false, true, t + 3 * 86400},
        {"late limit, not away", t, t + 120, false, false, true, false, false, 0},
        {"past the late limit: away", t, t + 121, false, false, true, true, true, t + 1},
        {"resume 70 minutes later", t, t + 4200, false, true, true, true, true, t + 4080},
        {"resume within a minute", t, t + 50, false, true, true, true, true, t + 1},
        {"suspend announced, same second", t, t, false, true, true, true, true, t},
        {"first tick of the day late", day - 1, day + 2, false, false, true, false, true, day},
    };
    for (const Case& c : cases) {
        const TickPlan plan = PlanTick(c.previous, c.now, c.timeChanged, c.suspended);
        EXPECT_EQ(plan.accept, c.accept) << c.what;
        EXPECT_EQ(plan.away, c.away) << c.what;
        EXPECT_EQ(plan.reload, c.reload) << c.what;
        if (c.reload) {
            EXPECT_EQ(plan.from, c.from) << c.what;
        }
    }
}

TEST(Scheduler, OccurrencesOfTwoDaysAreScannedByTheirMoments) {
    const int day = 46365;
    EventList list;
    list.push_back(Event(1, TimeOfDay(23, 59, 58)));
    list.push_back(Event(2, TimeOfDay(0, 5), 600));  // tomorrow's, reminded at 23:55
    list[0]->OccursOn = day;
    list[1]->OccursOn = day + 1;
    SortDayList(list);
    EXPECT_EQ(Ids(list), (std::vector<double>{2, 1}));
    const long long night = day * 86400LL;
    EXPECT_TRUE(ScanDue(list, night + Sec(23, 54, 59)).empty());
    EXPECT_EQ(Posts(ScanDue(list, night + Sec(23, 55))), Strings{"remind 2"});
    list[0]->Reminded = true;
    // The first tick of the next day came late: yesterday's last event is still due.
    EXPECT_EQ(Posts(ScanDue(list, night + 86400 + 2)), Strings{"due 1"});
    EXPECT_TRUE(StillDue(*list[0], false, night + 86400 + Sec(0, 5)));
    EXPECT_FALSE(StillDue(*list[0], false, night + 86400 + Sec(0, 4, 59)));
    // Its reminder passed while the computer was away, its time did not.
    list[0]->Reminded = false;
    EXPECT_EQ(RemindersBetween(list, night + Sec(23, 50), night + Sec(23, 58)),
              std::vector<std::uint32_t>{2});
    EXPECT_TRUE(RemindersBetween(list, night + Sec(23, 50), night + 86400 + Sec(0, 6)).empty());
}

TEST(Scheduler, DayRecordFiltersEveryReloadUntilTheEventMovesOrTheDayEnds) {
    const int day = 46365;
    auto occurrence = [&](double id, int h, int remind = 0) {
        auto e = Event(id, TimeOfDay(h, 0), remind);
        e->OccursOn = day;
        return e;
    };
    DayRecord record;
    record.Note(*occurrence(1, 9), kHandledFired);
    record.Note(*occurrence(2, 10, 60), kHandledReminded);
    record.Note(*occurrence(3, 11), kHandledSkipped);
    EventList fresh;
    for (int id = 1; id <= 4; ++id) fresh.push_back(occurrence(id, 8 + id, id == 2 ? 60 : 0));
    fresh.push_back(occurrence(1, 14));  // event 1 moved to another time: a new occurrence
    fresh.back()->ListKey = 1;
    record.Apply(fresh);
    EXPECT_EQ(Keys(fresh), (std::vector<std::uint32_t>{2, 4, 1}));
    EXPECT_TRUE(fresh[0]->Reminded);
    EXPECT_FALSE(fresh[1]->Reminded);
    EXPECT_EQ(record.Known().size(), 3u);

    record.ForgetBefore(day + 1);
    EventList nextDay;
    nextDay.push_back(occurrence(1, 9));
    record.Apply(nextDay);
    EXPECT_EQ(nextDay.size(), 1u);
    EXPECT_TRUE(record.Known().empty());
}

TEST(Scheduler, MissedOccurrencesAreCountedOncePerEventWithTheLatest) {
    const long long wed = DayNumberOf(2026, 12, 9);  // a Wednesday
    auto at = [](long long d, int h, int m = 0) { return d * 86400 + Sec(h, m); };
    EventList events;
    auto add = [&](const char* name, std::int32_t frequency, int h) {
        auto e = Event(0, TimeOfDay(h, 0));
        e->Name = name;
        e->Frequency = frequency;
        events.push_back(std::move(e));
        return events.back().get();
    };
    add("once", Once, 8)->FreqDetail0 = static_cast<int>(wed);
    add("workdays", Daily, 7)->FreqDetail1 = 0x3E;
    add("thursdays", Weekly, 12)->FreqDetail2 = 5;
    add("31st", Monthly, 9)->FreqDetail3 = 31;
    add("off", Daily, 7)->Enabled = false;
    add("unknown", 9, 7);

    // From Wednesday 08:00 (exclusive) to the next Wednesday 07:00 (exclusive).
    std::vector<MissedLine> lines = MissedBetween(events, at(wed, 8), at(wed + 7, 7));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].name, "thursdays");
    EXPECT_EQ(lines[0].latest, at(wed + 1, 12));
    EXPECT_EQ(lines[0].count, 1);
    EXPECT_EQ(lines[1].name, "workdays");  // Thu, Fri, Mon, Tue
    EXPECT_EQ(lines[1].latest, at(wed + 6, 7));
    EXPECT_EQ(lines[1].count, 4);

    // A long absence: a year of the 31st, last-day rule included (12 months), and the once.
    lines = MissedBetween(events, at(wed, 7, 59), at(wed + 365, 7, 30));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].name, "once");
    EXPECT_EQ(lines[3].name, "workdays");
    EXPECT_EQ(lines[3].count, 261);
    const auto monthly = std::find_if(lines.begin(), lines.end(),
                                      [](const MissedLine& l) { return l.name == "31st"; });
    EXPECT_EQ(monthly->count, 12);
    EXPECT_EQ(monthly->latest, at(DayNumberOf(2027, 11, 30), 9));
    EXPECT_TRUE(MissedBetween(events, at(wed + 7, 7), at(wed, 8)).empty());  // set back since

    EXPECT_EQ(MissedLineTexts(lines[0]),
              (Strings{"09.12.2026 08:00:00", "once", "1", "显示消息"}));
    lines[0].action = RunProgram;
    lines[0].run = "backup.exe";
    EXPECT_EQ(MissedLineTexts(lines[0])[3], "运行 backup.exe");
    lines[0].reminder = true;
    EXPECT_EQ(MissedLineTexts(lines[0])[3], "提醒");
    for (double stored : {0.0, -1.0, 1e300, std::nan(""), DayNumberOf(10000, 1, 1) + 0.0})
        EXPECT_FALSE(UsableLastRun(stored)) << stored;
    EXPECT_TRUE(UsableLastRun(wed + 0.5));
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
