#include "store/EventStore.h"

#include <cmath>
#include <cstdio>

#include "store/ClockOptions.h"
#include "store/RegistryKey.h"

namespace tembra {
namespace {

std::string AlarmName(long index) {
    char name[32];
    snprintf(name, sizeof name, "Alarm%ld", index);
    return name;
}

std::string AlarmPath(long index) { return std::string(reg::kClockKey) + "\\" + AlarmName(index); }

// A stored count is a DWORD; anything beyond what a list can hold is treated as garbage.
long StoredCount(const RegistryKey& options) {
    DWORD count = options.ReadNumber(reg::kAlarms, 0);
    return count > 0x7FFFFFF ? 0 : static_cast<long>(count);
}

// A time of day outside [0, 1) cannot come from the settings program; keep what we can.
double SaneTimeOfDay(double time) {
    if (!std::isfinite(time)) return 0.0;
    return time - std::floor(time);
}

void ReadDetails(const RegistryKey& key, EventRecord& e, int today) {
    e.Frequency = static_cast<std::int32_t>(key.ReadNumber("Frequency", Once));
    e.FreqDetail0 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail0", static_cast<DWORD>(today)));
    e.FreqDetail1 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail1", 127));
    e.FreqDetail2 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail2", 1));
    e.FreqDetail3 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail3", 1));
    e.Enabled = key.ReadNumber("Enabled", 1) != 0;
}

void ReadRest(const RegistryKey& key, EventRecord& e, double now) {
    double id = key.ReadDate("Id");
    e.Id = (id == 0.0 || !std::isfinite(id)) ? now : id;
    e.Name = key.ReadText("Name", "Message");
    e.Action = static_cast<std::int32_t>(key.ReadNumber("Action", ShowMessage));
    e.Run = key.ReadText("Run", "");
    e.RunParams = key.ReadText("RunParams", "");
    e.RunIn = key.ReadText("RunIn", "");
    e.Remind = static_cast<std::int32_t>(key.ReadNumber("Remind", 0));
    e.WavFile = key.ReadText("WavFile", "");
    e.LoopSound = key.ReadNumber("LoopSound", 0) != 0;
    e.SoundOnly = key.ReadNumber("SoundOnly", 0) != 0;
}

void WriteRecord(RegistryKey& key, const EventRecord& e) {
    key.WriteDate("Time", e.Time);
    key.WriteNumber("Frequency", static_cast<DWORD>(e.Frequency));
    key.WriteNumber("FreqDetail0", static_cast<DWORD>(e.FreqDetail0));
    key.WriteNumber("FreqDetail1", static_cast<DWORD>(e.FreqDetail1));
    key.WriteNumber("FreqDetail2", static_cast<DWORD>(e.FreqDetail2));
    key.WriteNumber("FreqDetail3", static_cast<DWORD>(e.FreqDetail3));
    key.WriteFlag("Enabled", e.Enabled);
    key.WriteDate("Id", e.Id);
    key.WriteText("Name", e.Name);
    key.WriteNumber("Action", static_cast<DWORD>(e.Action));
    key.WriteText("Run", e.Run);
    key.WriteText("RunParams", e.RunParams);
    key.WriteText("RunIn", e.RunIn);
    key.WriteNumber("Remind", static_cast<DWORD>(e.Remind));
    key.WriteText("WavFile", e.WavFile);
    key.WriteFlag("LoopSound", e.LoopSound);
    key.WriteFlag("SoundOnly", e.SoundOnly);
}

}  // namespace

bool LoadEvents(bool todayOnly, EventList& list) {
    const double now = CurrentDateValue();
    const int today = DayPart(now);

    RegistryKey options;
    long count = options.Open(reg::kOptionsKey, true) ? StoredCount(options) : 0;
    options.Close();

    RegistryKey key;
    for (long i = 0; i < count; ++i) {
        if (!key.Open(AlarmPath(i), false)) continue;
        // Presence, not the value, tells an event from an empty key: an event at midnight
        // is stored as 0.0.
        double time = 0.0;
        if (!key.TryReadDate("Time", &time)) continue;
        auto e = std::make_unique<EventRecord>();
        e->Time = SaneTimeOfDay(time);
        ReadDetails(key, *e, today);
        if (todayOnly && e->Enabled && !CanStillComeToday(*e, now)) continue;
        ReadRest(key, *e, now);
        list.push_back(std::move(e));
    }
    return true;
}

namespace {

// Opens (creating) the store's root and writes the new count "Alarms", which `newCount`
// computes from the old one. Returns the old count, or -1 when the root key can neither be
// opened nor created.
template <class NewCount>
long RewriteCount(NewCount newCount) {
    RegistryKey root;
    if (!root.Open(reg::kClockKey, true)) return -1;
    root.Close();
    RegistryKey options;
    long oldCount = 0;
    if (options.Open(reg::kOptionsKey, true)) {
        oldCount = StoredCount(options);
        options.WriteNumber(reg::kAlarms, static_cast<DWORD>(newCount(oldCount)));
    }
    return oldCount;
}

}  // namespace

bool SaveEvents(const EventList& list) {
    const long oldCount = RewriteCount([&](long) { return static_cast<long>(list.size()); });
    if (oldCount < 0) return false;

    RegistryKey root;
    if (root.Open(reg::kClockKey, true)) {
        for (long k = oldCount - 1; k >= 0; --k) root.DeleteTree(AlarmName(k));
    }
    root.Close();

    RegistryKey key;
    for (size_t i = 0; i < list.size(); ++i) {
        if (key.Open(AlarmPath(static_cast<long>(i)), true)) WriteRecord(key, *list[i]);
    }
    return true;
}

bool AppendEvent(const EventRecord& event) {
    const long n = RewriteCount([](long old) { return old + 1; });
    if (n < 0) return false;

    RegistryKey root;
    if (root.Open(reg::kClockKey, true)) root.DeleteTree(AlarmName(n));
    root.Close();
    RegistryKey key;
    if (key.Open(AlarmPath(n), true)) WriteRecord(key, event);
    return true;
}

bool DeleteEventById(double id) {
    EventList list;
    LoadEvents(false, list);
    for (auto it = list.begin(); it != list.end(); ++it) {
        if ((*it)->Id == id) {
            list.erase(it);
            break;
        }
    }
    return SaveEvents(list);
}

bool RemoveOldEvents(bool shutdownOnly) {
    EventList list;
    LoadEvents(false, list);
    const double now = CurrentDateValue();
    for (size_t i = list.size(); i-- > 0;) {
        const EventRecord& e = *list[i];
        if (IsPastOnce(e, now) && (!shutdownOnly || e.Action == ShutDown))
            list.erase(list.begin() + static_cast<long>(i));
    }
    return SaveEvents(list);
}

}  // namespace tembra
