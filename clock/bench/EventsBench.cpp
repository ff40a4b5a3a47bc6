// Prints what the events cost, with 1,000 stored events in a private registry key:
// - SaveEvents (every record changed, and none changed), LoadEvents (all), LoadEvents (today
//   only), DeleteEventById and RemoveOldEvents with nothing to remove;
// - the reload of the clock's day list (load, filter and sort) and what a start after ten
//   years away counts as missed;
// - the per-tick scan over a day list of 1,000: the usual case (it stops at the first record)
//   and the worst cases (every record passed over);
// - a whole accepted tick of an in-process clock window with 1,000 events against none.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "clock/MissedEvents.h"
#include "clock/Scheduler.h"
#include "clock/bench/BenchClock.h"
#include "clock/tests/ClockTestSupport.h"
#include "store/EventStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr int kEvents = 1000;

using bench::WallSeconds;

// Mean wall time of `work` in microseconds over `runs` runs.
double MeanMicros(int runs, const std::function<void()>& work) {
    const double start = WallSeconds();
    for (int i = 0; i < runs; ++i) work();
    return (WallSeconds() - start) / runs * 1e6;
}

// 1,000 events on the bench's Wednesday: half daily from 06:00 on, some with reminders;
// the other half one-time events on other days, which a today-only load leaves out.
EventList SampleEvents() {
    EventList list;
    const int today = DayNumberOf(2026, 12, 9);
    for (int i = 0; i < kEvents; ++i) {
        auto e = std::make_unique<EventRecord>();
        e->Id = DateValueOf({2026, 12, 1, 8, 0, 0, 0}) + i / 86400.0;
        e->Name = "事件 " + std::to_string(i);
        e->Time = (6 * 3600 + (i * 61) % (17 * 3600)) / 86400.0;
        e->Remind = i % 3 == 0 ? 300 : 0;
        if (i % 2 == 0) {
            e->Frequency = Daily;
        } else {
            e->Frequency = Once;
            e->FreqDetail0 = today + 1 + i % 30;
        }
        e->WavFile = i % 5 == 0 ? "C:\\Windows\\Media\\ding.wav" : "";
        list.push_back(std::move(e));
    }
    return list;
}

// The sample list with every name changed: saving it over the sample rewrites every record.
EventList Renamed(const EventList& events) {
    EventList list;
    for (const auto& e : events) {
        list.push_back(std::make_unique<EventRecord>(*e));
        list.back()->Name += " *";
    }
    return list;
}

void StoreFigures() {
    ScopedRegistrySandbox sandbox;
    FakeClockTime time(CivilTime{2026, 12, 9, 0, 0, 1, 0});
    const EventList events = SampleEvents();
    const EventList renamed = Renamed(events);
    const int runs = 5;
    int run = 0;
    printf("save %d events, all changed:  %9.1f ms\n", kEvents,
           MeanMicros(runs * 2, [&] { SaveEvents(++run % 2 ? renamed : events); }) / 1000);
    printf("save %d events, none changed: %9.1f ms\n", kEvents,
           MeanMicros(runs, [&] { SaveEvents(events); }) / 1000);
    size_t all = 0, today = 0;
    const double loadAll = MeanMicros(runs, [&] {
        EventList list;
        LoadEvents(false, list);
        all = list.size();
    });
    const double loadToday = MeanMicros(runs, [&] {
        EventList list;
        LoadEvents(true, list);
        today = list.size();
    });
    printf("load %d events (all):         %9.1f ms  (%zu loaded)\n", kEvents, loadAll / 1000, all);
    printf("load %d events (today only):  %9.1f ms  (%zu kept)\n", kEvents, loadToday / 1000,
           today);
    // The clock prunes at every options load; usually there is nothing to prune.
    printf("remove old events, none past: %9.1f ms\n",
           MeanMicros(runs, [&] { RemoveOldEvents(false); }) / 1000);
    // What a one-time event costs as it fires: the whole store is read and the records
    // after it are rewritten.
    printf("delete one event by Id:       %9.1f ms\n",
           MeanMicros(1, [&] { DeleteEventById(events[1]->Id); }) / 1000);
    EventList sorted;
    LoadEvents(true, sorted);
    printf("sort a day list of %zu:        %9.1f ms\n", sorted.size(), MeanMicros(runs, [&] {
               EventList copy;
               for (const auto& e : sorted) copy.push_back(std::make_unique<EventRecord>(*e));
               SortDayList(copy);
           }) / 1000);
    // A start after ten years away: every event's missed occurrences counted.
    const long long from = WholeSeconds(DateValueOf({2016, 12, 9, 0, 0, 0, 0}));
    size_t lines = 0;
    const double missed = MeanMicros(runs, [&] {
        lines = MissedBetween(events, from, from + 3652 * 86400LL).size();
    });
    printf("missed over ten years:        %9.1f ms  (%zu lines)\n", missed / 1000, lines);
}

EventList DayList(bool enabled, bool reminded) {
    EventList list;
    for (int i = 0; i < kEvents; ++i) {
        auto e = std::make_unique<EventRecord>();
        e->Id = i;
        e->Time = (12 * 3600 + i) / 86400.0;
        e->Remind = reminded ? 3600 : 0;
        e->Reminded = reminded;
        e->Enabled = enabled;
        list.push_back(std::move(e));
    }
    SortDayList(list);
    return list;
}

void ScanFigures() {
    const long long now = 11 * 3600 + 30 * 60;  // 11:30, before every event's own time
    const int runs = 100000;
    volatile size_t sink = 0;
    const EventList usual = DayList(true, false);
    const EventList disabled = DayList(false, false);
    const EventList reminded = DayList(true, true);
    printf("scan per tick, %d events, first one ahead:        %8.3f us\n", kEvents,
           MeanMicros(runs, [&] { sink = sink + ScanDue(usual, now).size(); }));
    printf("scan per tick, %d events, all disabled:           %8.3f us\n", kEvents,
           MeanMicros(runs / 10, [&] { sink = sink + ScanDue(disabled, now).size(); }));
    printf("scan per tick, %d events, all reminded and ahead: %8.3f us\n", kEvents,
           MeanMicros(runs / 10, [&] { sink = sink + ScanDue(reminded, now).size(); }));
}

double MicrosPerTick(bool withEvents) {
    ScopedRegistrySandbox sandbox;
    FakeClockTime time(CivilTime{2026, 12, 9, 0, 0, 1, 0});
    if (withEvents) SaveEvents(SampleEvents());
    auto clock = StartClock();
    if (!clock) return -1;
    const int ticks = 3000;  // 00:00:02 to 00:50:01: nothing falls due
    return MeanMicros(ticks, [&] {
        time.AddSeconds(1);
        Tick(*clock);
    });
}

// The clock's reload of its day list (message 3030): today's and tomorrow's events loaded,
// keyed and filtered through the day's record.
double MicrosPerReload() {
    ScopedRegistrySandbox sandbox;
    FakeClockTime time(CivilTime{2026, 12, 9, 12, 0, 0, 0});
    SaveEvents(SampleEvents());
    auto clock = StartClock();
    if (!clock) return -1;
    return MeanMicros(20, [&] { SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0); });
}

void TickFigures() {
    printf("reload of the day list, %d events:              %8.1f ms\n", kEvents,
           MicrosPerReload() / 1000);
    const double none = MicrosPerTick(false);
    const double many = MicrosPerTick(true);
    printf("accepted tick of the clock window, no events:     %8.1f us\n", none);
    printf("accepted tick of the clock window, %d events:   %8.1f us\n", kEvents, many);
}

}  // namespace

int main() {
    StoreFigures();
    ScanFigures();
    TickFigures();
    return 0;
}
