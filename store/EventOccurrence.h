// What the settings program's event list shows of an event: when it next comes, and how often.
// The day rules are the clock's own (CanStillComeToday), so the list shows the day the clock
// fires the event.
#pragma once
#include <string>

#include "store/EventRecord.h"

namespace tembra {

// When the event next comes at or after `now`: a one-time event's own moment (past or not); a
// recurring one's first matching day from today (tomorrow once its time of day has passed) at
// its time of day. With no matching day in a week (no weekday chosen, a weekday outside
// 1..7) the seventh day examined; an unknown frequency gives the zero date.
double NextOccurrence(const EventRecord& event, double now);

// The list's date column: the next occurrence as "05.08.2000 14:30:00", or "禁用" for a
// disabled event.
std::string OccurrenceText(const EventRecord& event, double now);

// The list's frequency column: "一次", "每天", "每周", "每月"; empty for an unknown frequency.
std::string FrequencyText(const EventRecord& event);

}  // namespace tembra
