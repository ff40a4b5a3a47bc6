#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "framework/testing/TestSupport.h"
#include "store/ClockOptions.h"
#include "store/EventStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

CivilTime g_now{2026, 12, 9, 7, 59, 0, 0};  // a Wednesday
CivilTime FakeNow() { return g_now; }

double TimeOfDay(int h, int mi) { return (h * 60 + mi) / 1440.0; }

class EventStoreTest : public ::testing::Test {
protected:
    ScopedRegistrySandbox sandbox;
    LocalTimeSource previous = nullptr;
    void SetUp() override {
        g_now = CivilTime{2026, 12, 9, 7, 59, 0, 0};
        previous = SetLocalTimeSource(FakeNow);
    }
    void TearDown() override { SetLocalTimeSource(previous); }

    static EventRecord Event(const char* name, int frequency, double time) {
        EventRecord e;
        e.Name = name;
        e.Frequency = frequency;
        e.Time = time;
        e.FreqDetail0 = DayNumberOf(2026, 12, 9);
        e.Id = DateValueOf({2026, 12, 1, 10, 0, 0, 0}) + name[0] / 86400.0;
        return e;
    }
    static std::vector<std::string> Names(const EventList& list) {
        std::vector<std::string> names;
        for (const auto& e : list) names.push_back(e->Name);
        return names;
    }
    static std::vector<std::string> StoredNames() {
        EventList list;
        LoadEvents(false, list);
        return Names(list);
    }
};

}  // namespace

TEST_F(EventStoreTest, EveryFieldRoundTrips) {
    EventRecord e;
    e.Id = 46360.25;
    e.Name = "开会";
    e.Action = RunProgram;
    e.Run = "C:\\程序\\x.exe";
    e.RunParams = "/a b";
    e.RunIn = "C:\\tmp";
    e.WavFile = "ding.wav";
    e.Enabled = false;
    e.LoopSound = true;
    e.SoundOnly = true;
    e.Time = TimeOfDay(13, 45);
    e.Frequency = Monthly;
    e.FreqDetail0 = 46000;
    e.FreqDetail1 = 0x41;
    e.FreqDetail2 = 5;
    e.FreqDetail3 = 31;
    e.Remind = 300;
    ASSERT_TRUE(AppendEvent(e));

    EventList list;
    ASSERT_TRUE(LoadEvents(false, list));
    ASSERT_EQ(list.size(), 1u);
    const EventRecord& b = *list[0];
    EXPECT_EQ(b.Id, e.Id);
    EXPECT_EQ(b.Name, e.Name);
    EXPECT_EQ(b.Action, e.Action);
    EXPECT_EQ(b.Run, e.Run);
    EXPECT_EQ(b.RunParams, e.RunParams);
    EXPECT_EQ(b.RunIn, e.RunIn);
    EXPECT_EQ(b.WavFile, e.WavFile);
    EXPECT_EQ(b.Enabled, e.Enabled);
    EXPECT_EQ(b.LoopSound, e.LoopSound);
    EXPECT_EQ(b.SoundOnly, e.SoundOnly);
    EXPECT_EQ(b.Time, e.Time);
    EXPECT_EQ(b.Frequency, e.Frequency);
    EXPECT_EQ(b.FreqDetail0, e.FreqDetail0);
    EXPECT_EQ(b.FreqDetail1, e.FreqDetail1);
    EXPECT_EQ(b.FreqDetail2, e.FreqDetail2);
    EXPECT_EQ(b.FreqDetail3, e.FreqDetail3);
    EXPECT_EQ(b.Remind, e.Remind);

    std::vector<std::string> expectedOrder{"Time", "Frequency", "FreqDetail0", "FreqDetail1",
                                           "FreqDetail2", "FreqDetail3", "Enabled", "Id", "Name",
                                           "Action", "Run", "RunParams", "RunIn", "Remind",
                                           "WavFile", "LoopSound", "SoundOnly"};
    auto stored = RegValueNames("Software\\Tembra\\Clock\\Alarm0");
    std::sort(stored.begin(), stored.end());
    std::sort(expectedOrder.begin(), expectedOrder.end());
    EXPECT_EQ(stored, expectedOrder);
}

TEST_F(EventStoreTest, MissingIdGetsTheLoadingMoment) {
    const double t = TimeOfDay(9, 0);
    RegWriteDword(reg::kOptionsKey, "Alarms", 1);
    RegWriteBinary("Software\\Tembra\\Clock\\Alarm0", "Time", &t, 8);
    EventList first;
    LoadEvents(false, first);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0]->Id, DateValueOf(g_now));
    EXPECT_EQ(first[0]->Name, "Message");
    EXPECT_EQ(first[0]->FreqDetail0, DayNumberOf(2026, 12, 9));
    g_now.second = 30;
    EventList second;
    LoadEvents(false, second);
    EXPECT_NE(second[0]->Id, first[0]->Id);
}

TEST_F(EventStoreTest, KeysWithoutTimeAreSkippedButMidnightIsKept) {
    RegWriteDword(reg::kOptionsKey, "Alarms", 3);
    RegWriteString("Software\\Tembra\\Clock\\Alarm0", "Name", "no time");
    const double midnight = 0.0;
    RegWriteBinary("Software\\Tembra\\Clock\\Alarm1", "Time", &midnight, 8);
    RegWriteString("Software\\Tembra\\Clock\\Alarm1", "Name", "midnight");
    RegWriteDword("Software\\Tembra\\Clock\\Alarm1", "FreqDetail0", DayNumberOf(2026, 12, 10));
    // Alarm2 does not exist at all.
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"midnight"});
    RemoveOldEvents(false);  // rewrites the store
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"midnight"});
}

TEST_F(EventStoreTest, TodayOnlyFiltersEnabledEvents) {
    EventList all;
    auto weekdays = Event("weekdays", Daily, TimeOfDay(8, 0));
    weekdays.FreqDetail1 = 0x3E;
    all.push_back(std::make_unique<EventRecord>(weekdays));
    auto nextYear = Event("disabled next year", Once, TimeOfDay(8, 0));
    nextYear.FreqDetail0 = DayNumberOf(2027, 6, 1);
    nextYear.Enabled = false;
    all.push_back(std::make_unique<EventRecord>(nextYear));
    auto tomorrow = Event("tomorrow", Once, TimeOfDay(8, 0));
    tomorrow.FreqDetail0 = DayNumberOf(2026, 12, 10);
    all.push_back(std::make_unique<EventRecord>(tomorrow));
    SaveEvents(all);

    EventList today;
    LoadEvents(true, today);
    EXPECT_EQ(Names(today), (std::vector<std::string>{"weekdays", "disabled next year"}));
    g_now = CivilTime{2026, 12, 9, 8, 1, 0, 0};
    today.clear();
    LoadEvents(true, today);
    EXPECT_EQ(Names(today), std::vector<std::string>{"disabled next year"});
    g_now = CivilTime{2026, 12, 6, 7, 0, 0, 0};  // Sunday
    today.clear();
    LoadEvents(true, today);
    EXPECT_EQ(Names(today), std::vector<std::string>{"disabled next year"});
}

TEST_F(EventStoreTest, SavingAShorterListLeavesNoStaleKeys) {
    EventList list;
    for (const char* n : {"a", "b", "c", "d"})
        list.push_back(std::make_unique<EventRecord>(Event(n, Weekly, 0.5)));
    SaveEvents(list);
    RegWriteDword("Software\\Tembra\\Clock\\Alarm3\\Nested", "x", 1);
    list.resize(2);
    SaveEvents(list);
    EXPECT_TRUE(RegKeyExists("Software\\Tembra\\Clock\\Alarm1"));
    EXPECT_FALSE(RegKeyExists("Software\\Tembra\\Clock\\Alarm2"));
    EXPECT_FALSE(RegKeyExists("Software\\Tembra\\Clock\\Alarm3"));
    DWORD count = 0;
    RegReadDword(reg::kOptionsKey, "Alarms", &count);
    EXPECT_EQ(count, 2u);
}

TEST_F(EventStoreTest, DeleteByIdRemovesTheFirstOfTwins) {
    auto a = Event("a", Weekly, 0.5);
    auto b = Event("b", Weekly, 0.5);
    b.Id = a.Id;
    auto c = Event("c", Weekly, 0.5);
    AppendEvent(a);
    AppendEvent(b);
    AppendEvent(c);
    DeleteEventById(a.Id);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"b", "c"}));
    DeleteEventById(12345.0);  // no such event: the list stays
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"b", "c"}));
}

TEST_F(EventStoreTest, DeleteStoredEventRemovesThatEventNotATwinSharingItsId) {
    auto a = Event("a", Weekly, 0.5);
    auto b = Event("b", Weekly, 0.5);
    b.Id = a.Id;  // copied within the same second
    for (auto* e : {&a, &b}) AppendEvent(*e);
    const double time = 0.25;
    RegWriteDword(reg::kOptionsKey, "Alarms", 3);
    RegWriteBinary("Software\\Tembra\\Clock\\Alarm2", "Time", &time, 8);  // no "Id"
    EventList loaded;
    LoadEvents(false, loaded);
    ASSERT_EQ(loaded.size(), 3u);

    g_now.second = 30;  // a later load gives the key without "Id" another one
    DeleteStoredEvent(*loaded[2]);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"a", "b"}));
    DeleteStoredEvent(b);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"a"});
    b.Name = "gone";
    DeleteStoredEvent(b);  // nothing matches
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"a"});
}

TEST_F(EventStoreTest, RemoveOldEventsPrunesPastOneTimeEvents) {
    auto yesterday = Event("yesterday", Once, TimeOfDay(10, 0));
    yesterday.FreqDetail0 = DayNumberOf(2026, 12, 8);
    auto pastShutdown = Event("past shutdown", Once, TimeOfDay(7, 0));
    pastShutdown.Action = ShutDown;
    auto pastWeekly = Event("weekly", Weekly, TimeOfDay(7, 0));
    auto later = Event("later", Once, TimeOfDay(9, 0));
    auto unknown = Event("unknown", 9, TimeOfDay(7, 0));
    for (auto* e : {&yesterday, &pastShutdown, &pastWeekly, &later, &unknown}) AppendEvent(*e);

    RemoveOldEvents(true);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"yesterday", "weekly", "later", "unknown"}));
    RemoveOldEvents(false);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"weekly", "later", "unknown"}));
}

TEST_F(EventStoreTest, FlagsCountByTheirLowestBit) {
    AppendEvent(Event("a", Weekly, 0.5));
    const char* key = "Software\\Tembra\\Clock\\Alarm0";
    RegWriteDword(key, "Enabled", 2);
    RegWriteDword(key, "LoopSound", 3);
    RegWriteDword(key, "SoundOnly", 4);
    EventList list;
    LoadEvents(false, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_FALSE(list[0]->Enabled);
    EXPECT_TRUE(list[0]->LoopSound);
    EXPECT_FALSE(list[0]->SoundOnly);
}

TEST_F(EventStoreTest, AHostileCountCostsWhatIsStoredAndLosesNoEvent) {
    for (const char* n : {"a", "b"}) AppendEvent(Event(n, Weekly, 0.5));
    RegWriteDword("Software\\Tembra\\Clock\\Alarm01", "x", 1);  // not a name we give
    RegWriteDword("Software\\Tembra\\Clock\\AlarmX", "x", 1);
    for (DWORD count : {0x8000000u, 0xFFFFFFFFu, 0x7FFFFFFu}) {
        RegWriteDword(reg::kOptionsKey, "Alarms", count);
        const DWORD started = GetTickCount();
        EXPECT_EQ(StoredNames(), (std::vector<std::string>{"a", "b"})) << count;
        EXPECT_LT(GetTickCount() - started, 2000u) << count;
        RemoveOldEvents(false);  // a load followed by a save
        EXPECT_EQ(StoredNames(), (std::vector<std::string>{"a", "b"})) << count;
    }
    RegWriteDword(reg::kOptionsKey, "Alarms", 0xFFFFFFFF);
    AppendEvent(Event("c", Weekly, 0.5));
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"a", "b", "c"}));
    DWORD count = 0;
    RegReadDword(reg::kOptionsKey, "Alarms", &count);
    EXPECT_EQ(count, 3u);
}

TEST_F(EventStoreTest, HostileStoredValuesDoNotBreakLoading) {
    RegWriteDword(reg::kOptionsKey, "Alarms", 0xFFFFFFFF);
    EventList list;
    EXPECT_TRUE(LoadEvents(true, list));
    EXPECT_TRUE(list.empty());

    RegWriteDword(reg::kOptionsKey, "Alarms", 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    RegWriteBinary("Software\\Tembra\\Clock\\Alarm0", "Time", &nan, 8);
    RegWriteDword("Software\\Tembra\\Clock\\Alarm0", "FreqDetail0", 0x7FFFFFFF);
    EXPECT_TRUE(LoadEvents(true, list));
    EXPECT_TRUE(LoadEvents(false, list));
}
