// The user's events under HKCU\Software\Tembra\Clock: the count "Alarms" beside the options
// and one key "Alarm<n>" per event, in list order.
#pragma once
#include "store/EventRecord.h"

namespace tembra {

// Appends the stored events to `list`; with `todayOnly` only those that can still come
// today (disabled ones are always kept).
bool LoadEvents(bool todayOnly, EventList& list);
// Replaces the whole stored list.
bool SaveEvents(const EventList& list);
// Stores `event` as a new last event.
bool AppendEvent(const EventRecord& event);
// Removes the first stored event whose Id equals `id` exactly.
bool DeleteEventById(double id);
// Removes past one-time events (only the shutdown ones with `shutdownOnly`).
bool RemoveOldEvents(bool shutdownOnly);

}  // namespace tembra
