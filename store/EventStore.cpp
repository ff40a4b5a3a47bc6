#include "store/EventStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "store/ClockOptions.h"
#include "store/EventStoreLock.h"
#include "store/EventValues.h"
#include "store/RegistryKey.h"
#include "store/SavePlan.h"

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

DWORD StoredCount() {
    RegistryKey options;
    return options.Open(reg::kOptionsKey, true) ? options.ReadNumber(reg::kAlarms, 0) : 0;
}

void WriteCount(DWORD count) {
    RegistryKey options;
    if (options.Open(reg::kOptionsKey, true)) options.WriteNumber(reg::kAlarms, count);
}

// An existing event key below the count, as read.
struct StoredSlot {
    DWORD index = 0;
    EventValues values;                   // the fields read
    std::unique_ptr<EventRecord> record;  // what it loads as, when it has a "Time" and is wanted
    bool idStored = false;
    std::optional<CopyMark> mark;
};

std::optional<CopyMark> ReadMark(const RegistryKey& key) {
    const std::optional<RegistryValue> value = key.ReadValue(kCopyMarkName);
    if (!value || value->type != REG_BINARY) return std::nullopt;
    return DecodeCopyMark(value->bytes);
}

// Reads the event keys below the count in key order and gives each to `take`. A key with a
// "Time" has its schedule read; `wanted` decides whether the rest is read and a record made.
// Returns the stored count.
template <class Wanted, class Take>
DWORD ReadSlots(Wanted wanted, Take take) {
    const double now = CurrentDateValue();
    const DWORD count = StoredCount();
    RegistryKey key(KEY_READ);
    for (DWORD i : StoredIndexes(count)) {
        if (!key.Open(AlarmPath(i), false)) continue;
        StoredSlot slot;
        slot.index = i;
        slot.mark = ReadMark(key);
        ReadEventValues(key, kTimeField, kTimeField + 1, slot.values);
        if (slot.values[kTimeField]) {
            ReadEventValues(key, 0, kIdField, slot.values);
            auto e = std::make_unique<EventRecord>();
            if (LoadSchedule(slot.values, DayPart(now), *e) && wanted(*e)) {
                ReadEventValues(key, kIdField, kTimeField, slot.values);
                slot.idStored = LoadDetails(slot.values, now, *e);
                slot.record = std::move(e);
            }
        }
        take(std::move(slot));
    }
    return count;
}

bool AnyEvent(const EventRecord&) { return true; }

// The whole store as read before it is rewritten.
struct StoredList {
    DWORD count = 0;                // "Alarms"
    std::vector<StoredSlot> slots;  // every existing key below it, by number

    DWORD End() const { return slots.empty() ? 0 : slots.back().index + 1; }
    size_t PositionOf(size_t index) const {
        return static_cast<size_t>(
            std::lower_bound(slots.begin(), slots.end(), index,
                             [](const StoredSlot& s, size_t i) { return s.index < i; }) -
            slots.begin());
    }
    const StoredSlot& At(size_t index) const { return slots[PositionOf(index)]; }
    EventList Records() const {
        EventList list;
        for (const StoredSlot& slot : slots) {
            if (slot.record) list.push_back(std::make_unique<EventRecord>(*slot.record));
        }
        return list;
    }
};

std::string IdKey(double id) { return RegistryValue::Date(id).bytes; }

std::vector<OldSlot> OldSlotsOf(const StoredList& stored) {
    std::vector<OldSlot> old;
    for (const StoredSlot& slot : stored.slots) {
        OldSlot o;
        o.index = slot.index;
        o.stored = Fingerprint(slot.values);
        o.mark = slot.mark;
        if (slot.record) {
            o.loads = true;
            o.idStored = slot.idStored;
            o.loaded = Fingerprint(StoredValuesOf(*slot.record));
            o.id = IdKey(slot.record->Id);
        }
        old.push_back(std::move(o));
    }
    return old;
}

// What a save cut short left marked: keys whose event loads from another key are deleted and
// left out of `stored`; the others, the only version of their event, are unmarked. Without
// `mayWrite` (another program may be writing) they are only left out.
void ClearMarks(StoredList& stored, bool mayWrite) {
    const std::vector<size_t> redundant = RedundantMarked(OldSlotsOf(stored));
    RegistryKey root;
    if (mayWrite) mayWrite = root.Open(reg::kClockKey, false);
    std::vector<StoredSlot> kept;
    for (StoredSlot& slot : stored.slots) {
        if (std::binary_search(redundant.begin(), redundant.end(), slot.index)) {
            if (mayWrite && root.DeleteTree(AlarmName(slot.index))) continue;
            slot.record.reset();  // no event of its own, though the key stays
        } else if (slot.mark && mayWrite) {
            RegistryKey key;
            if (key.Open(AlarmPath(slot.index), false) && key.DeleteValue(kCopyMarkName))
                slot.mark.reset();
        }
        kept.push_back(std::move(slot));
    }
    stored.slots = std::move(kept);
}

StoredList ReadStoredList(bool mayWrite) {
    StoredList stored;
    bool marked = false;
    stored.count = ReadSlots(AnyEvent, [&](StoredSlot&& slot) {
        marked = marked || slot.mark;
        stored.slots.push_back(std::move(slot));
    });
    if (marked) ClearMarks(stored, mayWrite);
    return stored;
}

template <class Wanted>
void ReadEvents(Wanted wanted, EventList& list, bool mayWrite) {
    EventList read;
    bool marked = false;
    ReadSlots(wanted, [&](StoredSlot&& slot) {
        marked = marked || slot.mark;
        if (slot.record) read.push_back(std::move(slot.record));
    });
    if (marked) {  // rare: a save was cut short
        read.clear();
        for (auto& e : ReadStoredList(mayWrite).Records())
            if (wanted(*e)) read.push_back(std::move(e));
    }
    for (auto& e : read) list.push_back(std::move(e));
}

// Writes `values` into the key of `index`, which a save made afresh or is rewriting. Loading
// passes the key over until its "Time", written last, is back, so any "Time" there goes
// first, then any mark. A key beyond the old list is made afresh: nothing tells what a save
// cut short left there; a copy gets its mark before its "Time".
void WriteSlot(RegistryKey& root, DWORD index, const EventValues& values, bool beyondOldList,
               const std::string* mark = nullptr) {
    RegistryKey key;
    if (key.Open(AlarmPath(index), false)) {
        if (beyondOldList) {
            key.Close();
            root.DeleteTree(AlarmName(index));
        } else {
            for (const char* name : {EventFieldName(kTimeField), kCopyMarkName})
                if (key.HasValue(name)) key.DeleteValue(name);
        }
    }
    if (!key.IsOpen() && !key.Open(AlarmPath(index), true)) return;
    if (mark) key.WriteValue(kCopyMarkName, {REG_BINARY, *mark});
    WriteEventValues(key, values);
}

// Makes the stored list `list`, in the order SavePlan explains: marks on old records whose
// new version comes first, then records beyond the old list (loading cannot see them yet, or
// sees them complete), then marked copies of old records that would otherwise go missing,
// raising the count over them, then the old list's slots ascending, the count, and last the
// keys the count no longer covers.
bool WriteList(const StoredList& stored, const EventList& list) {
    RegistryKey root;
    if (!root.Open(reg::kClockKey, true)) return false;

    std::vector<EventValues> values;
    std::vector<NewRecord> fresh;
    for (const auto& e : list) {
        values.push_back(StoredValuesOf(*e));
        fresh.push_back({Fingerprint(values.back()), IdKey(e->Id)});
    }
    const SavePlan plan = PlanSave(OldSlotsOf(stored), fresh);
    auto markOf = [&](size_t index) {
        CopyMark mark;
        mark.source = index;
        mark.pair = plan.pairOf[stored.PositionOf(index)];
        if (mark.pair) mark.pairStored = fresh[*mark.pair].stored;
        return EncodeCopyMark(mark);
    };

    for (size_t i : plan.marks) {
        RegistryKey key;
        if (key.Open(AlarmPath(static_cast<DWORD>(i)), false))
            key.WriteValue(kCopyMarkName, {REG_BINARY, markOf(i)});
    }
    const DWORD oldEnd = stored.End();
    const DWORD newEnd = static_cast<DWORD>(list.size());
    for (size_t i : plan.writes) {
        if (i >= oldEnd) WriteSlot(root, static_cast<DWORD>(i), values[i], true);
    }
    DWORD count = stored.count;
    const DWORD firstCopy = std::max(oldEnd, newEnd);
    DWORD copyEnd = firstCopy;
    for (size_t i : plan.keeps) {
        const std::string mark = markOf(i);
        WriteSlot(root, copyEnd++, stored.At(i).values, true, &mark);
    }
    if (copyEnd > firstCopy && count < copyEnd) WriteCount(count = copyEnd);
    for (size_t i : plan.writes) {
        if (i < oldEnd) WriteSlot(root, static_cast<DWORD>(i), values[i], false);
    }
    if (count != newEnd) WriteCount(newEnd);
    for (const StoredSlot& slot : stored.slots) {
        if (slot.index >= newEnd) root.DeleteTree(AlarmName(slot.index));
    }
    for (DWORD i = firstCopy; i < copyEnd; ++i) root.DeleteTree(AlarmName(i));
    return true;
}

// Deletions of the clock that could not wait for another program's work on the store.
std::vector<EventRecord>& DeferredDeletes() {
    static std::vector<EventRecord> deletes;
    return deletes;
}

bool DeleteStoredLocked(const EventRecord& event) {
    const StoredList stored = ReadStoredList(true);
    for (const StoredSlot& slot : stored.slots) {
        if (!slot.record) continue;
        EventRecord candidate = *slot.record;
        // A key without an "Id" was given its loading moment, a different one at each load:
        // it matches by its other values.
        if (!slot.idStored) candidate.Id = event.Id;
        if (!SameStoredValues(candidate, event)) continue;
        EventList list;
        for (const StoredSlot& other : stored.slots) {
            if (other.record && &other != &slot)
                list.push_back(std::make_unique<EventRecord>(*other.record));
        }
        return WriteList(stored, list);
    }
    return true;
}

// The store's lock for one operation of this process, which first carries out the deletions
// deferred before.
class StoreAccess {
public:
    explicit StoreAccess(DWORD wait = EventStoreWait()) : lock_(wait) {
        if (!lock_.Held()) return;
        std::vector<EventRecord> deletes;
        deletes.swap(DeferredDeletes());
        for (const EventRecord& e : deletes) DeleteStoredLocked(e);
    }
    bool Held() const { return lock_.Held(); }

private:
    EventStoreLock lock_;
};

}  // namespace

bool LoadEvents(bool todayOnly, EventList& list) {
    if (todayOnly) return LoadEventsStillToCome(CurrentDateValue(), list);
    const StoreAccess access;
    ReadEvents(AnyEvent, list, access.Held());
    return true;
}

bool LoadEventsStillToCome(double from, EventList& list) {
    const StoreAccess access;
    ReadEvents([from](const EventRecord& e) { return !e.Enabled || CanStillComeToday(e, from); },
               list, access.Held());
    return true;
}

bool SaveEvents(const EventList& list) {
    const StoreAccess access;
    return access.Held() && WriteList(ReadStoredList(true), list);
}

bool UpdateEvents(const std::function<void(EventList&)>& change) {
    const StoreAccess access;
    if (!access.Held()) return false;
    const StoredList stored = ReadStoredList(true);
    EventList list = stored.Records();
    change(list);
    WriteList(stored, list);
    return true;
}

bool AppendEvent(const EventRecord& event) {
    const StoreAccess access;
    if (!access.Held()) return false;
    RegistryKey root;
    if (!root.Open(reg::kClockKey, true)) return false;
    const DWORD count = StoredCount();
    const DWORD n = NextIndex(StoredIndexes(count));
    // Complete before the count covers it.
    WriteSlot(root, n, StoredValuesOf(event), true);
    if (count != n + 1) WriteCount(n + 1);
    return true;
}

bool DeleteEventById(double id) {
    const StoreAccess access;
    if (!access.Held()) return false;
    const StoredList stored = ReadStoredList(true);
    EventList list = stored.Records();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if ((*it)->Id == id) {
            list.erase(it);
            break;
        }
    }
    return WriteList(stored, list);
}

bool DeleteStoredEvent(const EventRecord& event) {
    const StoreAccess access;
    if (access.Held()) return DeleteStoredLocked(event);
    DeferredDeletes().push_back(event);
    return false;
}

bool RetryDeferredDeletes() {
    if (DeferredDeletes().empty()) return true;
    return StoreAccess(0).Held();
}

bool RemoveOldEvents(bool shutdownOnly) {
    const StoreAccess access;
    if (!access.Held()) return false;
    const StoredList stored = ReadStoredList(true);
    EventList list = stored.Records();
    const double now = CurrentDateValue();
    for (size_t i = list.size(); i-- > 0;) {
        const EventRecord& e = *list[i];
        if (IsPastOnce(e, now) && (!shutdownOnly || e.Action == ShutDown))
            list.erase(list.begin() + static_cast<long>(i));
    }
    return WriteList(stored, list);
}

}  // namespace tembra
