#include "store/EventStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "store/ClockOptions.h"
#include "store/RegistryKey.h"

namespace tembra {
namespace {

// "Alarm%d" keys are numbered by a non-negative int: beyond that no writer names a key, and
// the next number after the highest still fits a stored count.
constexpr DWORD kIndexLimit = 0x7FFFFFFF;

std::string AlarmName(DWORD index) {
    char name[32];
    snprintf(name, sizeof name, "Alarm%lu", static_cast<unsigned long>(index));
    return name;
}

std::string AlarmPath(DWORD index) { return std::string(reg::kClockKey) + "\\" + AlarmName(index); }

// The number of a sub-key named as AlarmName names it ("Alarm", then plain decimal without
// a sign or leading zeros; key names ignore case), or false for any other name.
bool ParseAlarmIndex(const std::string& name, DWORD* index) {
    const size_t prefix = 5;  // "Alarm"
    if (name.size() <= prefix || name.size() > prefix + 10 ||
        _strnicmp(name.c_str(), "Alarm", prefix) != 0)
        return false;
    if (name[prefix] == '0' && name.size() > prefix + 1) return false;
    unsigned long long value = 0;
    for (size_t i = prefix; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
    }
    if (value >= kIndexLimit) return false;
    *index = static_cast<DWORD>(value);
    return true;
}

// The numbers below `count` of the event keys that exist, ascending. Walking the existing
// keys, not the numbers up to the count, keeps the cost to what is stored whatever the
// count says.
std::vector<DWORD> StoredIndexes(DWORD count) {
    std::vector<DWORD> indexes;
    RegistryKey root(KEY_READ);
    if (!root.Open(reg::kClockKey, false)) return indexes;
    for (const std::string& name : root.SubKeyNames()) {
        DWORD index;
        if (ParseAlarmIndex(name, &index) && index < count) indexes.push_back(index);
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

// The number the next appended event gets: one past the highest stored event. With a sane
// count this is the count itself.
DWORD NextIndex(const std::vector<DWORD>& indexes) { return indexes.empty() ? 0 : indexes.back() + 1; }

// A time of day outside [0, 1) cannot come from the settings program; keep what we can.
double SaneTimeOfDay(double time) {
    if (!std::isfinite(time)) return 0.0;
    return time - std::floor(time);
}

// Flags count by their lowest bit, as the options do: a stored 2 is off.
bool ReadFlag(const RegistryKey& key, const char* name, bool fallback) {
    return (key.ReadNumber(name, fallback ? 1 : 0) & 1) != 0;
}

void ReadDetails(const RegistryKey& key, EventRecord& e, int today) {
    e.Frequency = static_cast<std::int32_t>(key.ReadNumber("Frequency", Once));
    e.FreqDetail0 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail0", static_cast<DWORD>(today)));
    e.FreqDetail1 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail1", 127));
    e.FreqDetail2 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail2", 1));
    e.FreqDetail3 = static_cast<std::int32_t>(key.ReadNumber("FreqDetail3", 1));
    e.Enabled = ReadFlag(key, "Enabled", true);
}

// Returns whether the key holds an "Id" of its own.
bool ReadRest(const RegistryKey& key, EventRecord& e, double now) {
    double id = 0.0;
    const bool stored = key.TryReadDate("Id", &id) && id != 0.0 && std::isfinite(id);
    e.Id = stored ? id : now;
    e.Name = key.ReadText("Name", "Message");
    e.Action = static_cast<std::int32_t>(key.ReadNumber("Action", ShowMessage));
    e.Run = key.ReadText("Run", "");
    e.RunParams = key.ReadText("RunParams", "");
    e.RunIn = key.ReadText("RunIn", "");
    e.Remind = static_cast<std::int32_t>(key.ReadNumber("Remind", 0));
    e.WavFile = key.ReadText("WavFile", "");
    e.LoopSound = ReadFlag(key, "LoopSound", false);
    e.SoundOnly = ReadFlag(key, "SoundOnly", false);
    return stored;
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

// Appends the stored events in key order, passing over those `wanted` refuses once their
// schedule is read. `idStored`, when given, gets for each appended record whether its key
// holds an "Id" of its own.
template <class Wanted>
void ReadEvents(Wanted wanted, EventList& list, std::vector<bool>* idStored = nullptr) {
    const double now = CurrentDateValue();
    RegistryKey options;
    const DWORD count = options.Open(reg::kOptionsKey, true) ? options.ReadNumber(reg::kAlarms, 0) : 0;
    options.Close();

    RegistryKey key;
    for (DWORD i : StoredIndexes(count)) {
        if (!key.Open(AlarmPath(i), false)) continue;
        // Presence, not the value, tells an event from an empty key: an event at midnight
        // is stored as 0.0.
        double time = 0.0;
        if (!key.TryReadDate("Time", &time)) continue;
        auto e = std::make_unique<EventRecord>();
        e->Time = SaneTimeOfDay(time);
        ReadDetails(key, *e, DayPart(now));
        if (!wanted(*e)) continue;
        const bool hasId = ReadRest(key, *e, now);
        if (idStored) idStored->push_back(hasId);
        list.push_back(std::move(e));
    }
}

bool AnyEvent(const EventRecord&) { return true; }

}  // namespace

bool LoadEvents(bool todayOnly, EventList& list) {
    if (todayOnly) return LoadEventsStillToCome(CurrentDateValue(), list);
    ReadEvents(AnyEvent, list);
    return true;
}

bool LoadEventsStillToCome(double from, EventList& list) {
    ReadEvents([from](const EventRecord& e) { return !e.Enabled || CanStillComeToday(e, from); },
               list);
    return true;
}

namespace {

// Opens (creating) the store's root and writes the new count "Alarms", which `newCount`
// computes from the stored event numbers below the old count. Gives those numbers in
// `stored`; false when the root key can neither be opened nor created.
template <class NewCount>
bool RewriteCount(NewCount newCount, std::vector<DWORD>* stored) {
    RegistryKey root;
    if (!root.Open(reg::kClockKey, true)) return false;
    root.Close();
    RegistryKey options;
    if (options.Open(reg::kOptionsKey, true)) {
        *stored = StoredIndexes(options.ReadNumber(reg::kAlarms, 0));
        options.WriteNumber(reg::kAlarms, newCount(*stored));
    }
    return true;
}

}  // namespace

bool SaveEvents(const EventList& list) {
    std::vector<DWORD> old;
    if (!RewriteCount([&](const std::vector<DWORD>&) { return static_cast<DWORD>(list.size()); },
                      &old))
        return false;

    RegistryKey root;
    if (root.Open(reg::kClockKey, true)) {
        for (auto k = old.rbegin(); k != old.rend(); ++k) root.DeleteTree(AlarmName(*k));
    }
    root.Close();

    RegistryKey key;
    for (size_t i = 0; i < list.size(); ++i) {
        if (key.Open(AlarmPath(static_cast<DWORD>(i)), true)) WriteRecord(key, *list[i]);
    }
    return true;
}

bool AppendEvent(const EventRecord& event) {
    std::vector<DWORD> stored;
    if (!RewriteCount([](const std::vector<DWORD>& old) { return NextIndex(old) + 1; }, &stored))
        return false;
    const DWORD n = NextIndex(stored);

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

bool DeleteStoredEvent(const EventRecord& event) {
    EventList list;
    std::vector<bool> idStored;
    ReadEvents(AnyEvent, list, &idStored);
    for (size_t i = 0; i < list.size(); ++i) {
        EventRecord stored = *list[i];
        // A key without an "Id" was given its loading moment, a different one at each load:
        // it matches by its other values.
        if (!idStored[i]) stored.Id = event.Id;
        if (SameStoredValues(stored, event)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            return SaveEvents(list);
        }
    }
    return true;
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
