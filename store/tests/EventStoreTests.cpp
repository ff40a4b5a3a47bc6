#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>

#include "framework/testing/TestSupport.h"
#include "store/ClockOptions.h"
#include "store/EventStore.h"
#include "store/EventStoreLock.h"
#include "store/EventValues.h"
#include "store/RegistryKey.h"
#include "store/tests/StoreLockHolder.h"

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

// While another program holds the store, changes give up after the wait and store nothing,
// loads still read, and a deletion of the clock waits: the next operation once the store is
// free carries it out first.
TEST_F(EventStoreTest, ChangesGiveUpWhileAnotherProgramHoldsTheStoreAndADeletionIsDeferred) {
    const auto a = Event("a", Weekly, 0.5), b = Event("b", Once, 0.5);
    AppendEvent(a);
    AppendEvent(b);
    SetEventStoreWait(50);
    StoreLockHolder other;
    EventList list;
    EXPECT_FALSE(SaveEvents(list));
    EXPECT_FALSE(UpdateEvents([](EventList& l) { l.clear(); }));
    EXPECT_FALSE(AppendEvent(a));
    EXPECT_FALSE(RemoveOldEvents(false));
    EXPECT_FALSE(DeleteStoredEvent(b));
    EXPECT_FALSE(RetryDeferredDeletes());
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"a", "b"}));
    other.Release();
    SetEventStoreWait(INFINITE);  // tests of other processes may hold it a moment
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"a"});
}

TEST_F(EventStoreTest, AProgramThatEndedHoldingTheStoreBlocksNoOne) {
    StoreLockHolder crashed(true);
    SetEventStoreWait(INFINITE);
    EXPECT_TRUE(AppendEvent(Event("a", Weekly, 0.5)));
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"a"});
}

namespace {

// Operations cut short as if the process had ended after any one of their registry writes.
class EventStoreCutTest : public EventStoreTest {
protected:
    void TearDown() override {
        RegistryWriteGate::Reset();
        EventStoreTest::TearDown();
    }

    // Weekly events, each with an Id of its own.
    static EventList List(std::initializer_list<EventRecord> records) {
        EventList list;
        for (const EventRecord& e : records) list.push_back(std::make_unique<EventRecord>(e));
        return list;
    }
    static EventRecord Weekly(const char* name) { return Event(name, tembra::Weekly, 0.5); }

    // A store holding `list`, and beyond its count two keys of a save cut short long ago,
    // which loading must never show.
    static std::function<void()> Holding(const EventList& list) {
        return [&list] {
            SaveEvents(list);
            const double time = 0.75, id = 46000.5;
            for (size_t i = list.size(); i < list.size() + 2; ++i) {
                const std::string key = "Software\\Tembra\\Clock\\Alarm" + std::to_string(i);
                RegWriteBinary(key, "Time", &time, 8);
                RegWriteBinary(key, "Id", &id, 8);
                RegWriteString(key, "Name", "stale");
            }
        };
    }

    static size_t CountOf(const EventList& list, const EventRecord& e) {
        return static_cast<size_t>(std::count_if(list.begin(), list.end(), [&](const auto& x) {
            return SameStoredValues(*x, e);
        }));
    }
    static size_t WithId(const EventList& list, double id) {
        return static_cast<size_t>(
            std::count_if(list.begin(), list.end(), [&](const auto& x) { return x->Id == id; }));
    }
    static bool AnyKeyMarked() {
        DWORD count = 0;
        RegReadDword(reg::kOptionsKey, reg::kAlarms, &count);
        for (DWORD i = 0; i < count; ++i)
            if (RegValueExists("Software\\Tembra\\Clock\\Alarm" + std::to_string(i), kCopyMarkName))
                return true;
        return false;
    }

    // What a cut leaves, once loaded: every record is one of the old or the new list, and no
    // more often than the larger holds it; each record both lists hold is there as often as
    // the fewer holds it, and of the records sharing an Id as many as the fewer list holds
    // (each event both hold, in one of its versions). No key the load saw stays marked.
    static void CheckCut(const EventList& before, const EventList& after, const EventList& loaded) {
        for (const auto& e : loaded) {
            const size_t most = std::max(CountOf(before, *e), CountOf(after, *e));
            EXPECT_GT(most, 0u) << "unknown " << e->Name;
            EXPECT_LE(CountOf(loaded, *e), most) << "more often " << e->Name;
        }
        for (const auto& e : before) {
            const size_t kept = std::min(CountOf(before, *e), CountOf(after, *e));
            EXPECT_GE(CountOf(loaded, *e), kept) << "missing " << e->Name;
            EXPECT_GE(WithId(loaded, e->Id), std::min(WithId(before, e->Id), WithId(after, e->Id)))
                << "no version of " << e->Name;
        }
        EXPECT_FALSE(AnyKeyMarked());
    }

    // Runs `operation` on the store `restore` makes, first whole, which must leave `after`,
    // then cut short after each of its writes in turn. Returns the number of writes.
    long CheckEveryCut(const std::function<void()>& restore, const EventList& after,
                       const std::function<void()>& operation) {
        RegDeleteTreeAt(reg::kClockKey);
        restore();
        EventList before;
        LoadEvents(false, before);
        RegistryWriteGate::Reset();
        operation();
        const long writes = RegistryWriteGate::Asked();
        RegistryWriteGate::Reset();
        EventList whole;
        LoadEvents(false, whole);
        EXPECT_EQ(Names(whole), Names(after));
        for (size_t i = 0; i < std::min(whole.size(), after.size()); ++i)
            EXPECT_TRUE(SameStoredValues(*whole[i], *after[i])) << after[i]->Name;

        for (long done = 0; done < writes && !HasFailure(); ++done) {
            SCOPED_TRACE("cut after " + std::to_string(done) + " of " + std::to_string(writes) +
                         " writes");
            RegDeleteTreeAt(reg::kClockKey);
            restore();
            RegistryWriteGate::Reset(done);
            operation();
            RegistryWriteGate::Reset();
            EventList loaded;
            LoadEvents(false, loaded);
            CheckCut(before, after, loaded);
        }
        return writes;
    }
};

}  // namespace

TEST_F(EventStoreCutTest, ASaveCutShortLosesNoEventOfBothLists) {
    const auto a = Weekly("a"), b = Weekly("b"), c = Weekly("c"), d = Weekly("d"), e = Weekly("e");
    auto edited = b;
    edited.Name = "b edited";
    edited.Remind = 60;
    const EventList old = List({a, b, c, d});
    std::vector<EventList> changes;
    changes.push_back(List({b, c, d}));              // the first removed
    changes.push_back(List({a, c, d}));              // one in the middle removed
    changes.push_back(List({a, edited, c, d, e}));   // one edited, one appended
    changes.push_back(List({d, a, b, c}));           // the last moved first
    changes.push_back(List({b, a, d, c}));           // pairs swapped
    changes.push_back(List({edited, d}));            // the first removed, the next edited
    changes.push_back(List({}));
    for (const EventList& after : changes) {
        SCOPED_TRACE(::testing::PrintToString(Names(after)));
        CheckEveryCut(Holding(old), after, [&after] { SaveEvents(after); });
    }
    // Twins sharing an Id (older stores have them), one or both edited.
    auto twin = b, twinEdited = b;
    twin.Name = twinEdited.Name = "b twin";
    twinEdited.Remind = 30;
    const EventList twins = List({a, b, twin, c});
    for (const EventList& after : {List({a, edited, twin, c}), List({a, edited, twinEdited, c})}) {
        SCOPED_TRACE(::testing::PrintToString(Names(after)));
        CheckEveryCut(Holding(twins), after, [&after] { SaveEvents(after); });
    }
    const EventList empty;
    const EventList two = List({a, b});
    CheckEveryCut(Holding(empty), two, [&] { SaveEvents(two); });
}

TEST_F(EventStoreCutTest, AnAppendCutShortLeavesTheOldListOrTheNew) {
    const auto a = Weekly("a"), b = Weekly("b"), e = Weekly("e");
    const EventList old = List({a, b});
    const EventList after = List({a, b, e});
    EXPECT_EQ(CheckEveryCut(Holding(old), after, [&] { AppendEvent(e); }), 20);
}

TEST_F(EventStoreCutTest, ADeleteCutShortLosesNoOtherEvent) {
    const auto a = Weekly("a"), b = Weekly("b"), c = Weekly("c"), d = Weekly("d");
    auto twin = a;  // copied within the same second: the same Id
    twin.Name = "a twin";
    const EventList old = List({a, b, c, d});
    const EventList withTwin = List({a, twin, c});
    CheckEveryCut(Holding(old), List({a, c, d}), [&] { DeleteEventById(b.Id); });
    CheckEveryCut(Holding(withTwin), List({twin, c}), [&] { DeleteEventById(a.Id); });
    CheckEveryCut(Holding(withTwin), List({a, c}), [&] { DeleteStoredEvent(twin); });
}

TEST_F(EventStoreCutTest, RewritingKeysStoredWithoutIdsLosesNone) {
    // An older writer's keys: no "Id", so each loads with the loading moment as its Id.
    auto past = Weekly("past");
    past.Frequency = Once;
    past.FreqDetail0 = DayNumberOf(2026, 12, 8);
    const EventList stored = List({Weekly("a"), past, Weekly("b"), Weekly("c")});
    auto restore = [&] {
        Holding(stored)();
        for (int i = 0; i < 4; ++i) {
            RegistryKey key;
            key.Open("Software\\Tembra\\Clock\\Alarm" + std::to_string(i), false);
            key.DeleteValue("Id");
        }
    };
    RegDeleteTreeAt(reg::kClockKey);
    restore();
    EventList after;
    LoadEvents(false, after);
    after.erase(after.begin() + 1);
    CheckEveryCut(restore, after, [] { RemoveOldEvents(false); });
}

TEST_F(EventStoreCutTest, RewritingWhatIsStoredWritesNothing) {
    const EventList list = List({Weekly("a"), Weekly("b"), Weekly("c")});
    SaveEvents(list);
    RegistryWriteGate::Reset();
    SaveEvents(list);
    RemoveOldEvents(false);
    DeleteEventById(12345.0);
    DeleteStoredEvent(Weekly("x"));
    EXPECT_EQ(RegistryWriteGate::Asked(), 0);
}
