// The user's events under HKCU\Software\Tembra\Clock: the count "Alarms" beside the options
// and one key "Alarm<n>" per event, in list order.
//
// Every operation holds the store's lock across the programs (EventStoreLock.h) for a bounded
// wait. A load that cannot get it in time reads the store as it is and writes nothing; a
// change that cannot get it stores nothing and reports failure (a deletion of the clock is
// deferred instead, see DeleteStoredEvent). The first load or save after a save was cut short
// clears the keys that save left marked (SavePlan.h).
#pragma once
#include <functional>

#include "store/EventRecord.h"

namespace tembra {

// Appends the stored events to `list`; with `todayOnly` only those that can still come
// today (disabled ones are always kept).
bool LoadEvents(bool todayOnly, EventList& list);
// Appends the stored events that can still come on the day of `from` at or after it
// (disabled ones are always kept): LoadEvents with `todayOnly` as of another moment.
bool LoadEventsStillToCome(double from, EventList& list);
// Replaces the whole stored list, writing only the records that change. Records sharing an Id
// are told apart by their order: an edited one keeps its Id and its place among them. Cut
// short at any write (the process ended), the store loads complete records of the old or the
// new list, one version of each event both lists hold, and after the next load or save no
// event twice that neither list holds twice (SavePlan.h).
bool SaveEvents(const EventList& list);
// Loads the stored list, lets `change` make it the list to store, and stores that as
// SaveEvents does, all under one hold of the lock. False, with nothing stored, only when
// another program held the store for longer than the wait.
bool UpdateEvents(const std::function<void(EventList&)>& change);
// Stores `event` as a new last event; the count covers it only once it is complete.
bool AppendEvent(const EventRecord& event);
// Removes the first stored event whose Id equals `id` exactly. This and the removals below
// rewrite the store as SaveEvents does.
bool DeleteEventById(double id);
// Removes the first stored event whose Id and stored values all equal those of `event`:
// that event itself, not another that merely shares its Id. Nothing matching, nothing
// is written. When another program holds the store for longer than the wait, the deletion
// is kept and carried out first by this process's next operation on the store (or by
// RetryDeferredDeletes); false then.
bool DeleteStoredEvent(const EventRecord& event);
// Carries out the deferred deletions if the store is free at once; true when none is left.
bool RetryDeferredDeletes();
// Removes past one-time events (only the shutdown ones with `shutdownOnly`).
bool RemoveOldEvents(bool shutdownOnly);

}  // namespace tembra
