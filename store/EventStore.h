// The user's events under HKCU\Software\Tembra\Clock: the count "Alarms" beside the options
// and one key "Alarm<n>" per event, in list order.
#pragma once
#include "store/EventRecord.h"

namespace tembra {

// Appends the stored events to `list`; with `todayOnly` only those that can still come
// today (disabled ones are always kept).
bool LoadEvents(bool todayOnly, EventList& list);
// Appends the stored events that can still come on the day of `from` at or after it
// (disabled ones are always kept): LoadEvents with `todayOnly` as of another moment.
bool LoadEventsStillToCome(double from, EventList& list);
// Replaces the whole stored list, writing only the records that change. Cut short at any
// write (the process ended), the store loads complete records of the old or the new list,
// some perhaps twice, and no record or event that both lists hold is missing (SavePlan.h).
bool SaveEvents(const EventList& list);
// Stores `event` as a new last event; the count covers it only once it is complete.
bool AppendEvent(const EventRecord& event);
// Removes the first stored event whose Id equals `id` exactly. This and the removals below
// rewrite the store as SaveEvents does.
bool DeleteEventById(double id);
// Removes the first stored event whose Id and stored values all equal those of `event`:
// that event itself, not another that merely shares its Id. Nothing matching, nothing
// is written.
bool DeleteStoredEvent(const EventRecord& event);
// Removes past one-time events (only the shutdown ones with `shutdownOnly`).
bool RemoveOldEvents(bool shutdownOnly);

}  // namespace tembra
