// The clock's day list as plain data: the order it is kept in, which of its records are due
// at a given moment, what a tick does, and the shutdown flags for a system version. No Win32
// here, so all of it is tested natively.
#pragma once
#include <cstdint>
#include <vector>

#include "store/EventRecord.h"

namespace tembra {

// How late an occurrence may still be carried out after the computer was away (asleep, or
// its clock set forward by hand for a shutdown): more than this and it is listed as missed.
constexpr long long kLateLimitSeconds = 120;

// A date-time value in whole seconds since 30 December 1899 midnight: the unit every moment
// below is given in.
long long WholeSeconds(double dateValue);
// The day number of a moment in whole seconds.
int DayOfMoment(long long moment);

// Second of the day of the event's time.
long long EventSecond(const EventRecord& event);
// Second of the day at which an event first needs attention: its reminder, or the event
// itself when it has none. A negative "Remind" would put the reminder after the event; it
// counts as no reminder. May be negative for a reminder that falls on the previous day.
long long AttentionSecond(const EventRecord& event);
// The moments of a day-list record's occurrence (on its OccursOn day) and of its attention.
long long OccurrenceMoment(const EventRecord& event);
long long AttentionMoment(const EventRecord& event);

// Sorts ascending by AttentionMoment with an exchange sort: records with equal keys are never
// exchanged with each other directly, so a stored order survives among equals as far as the
// exchanges of other records allow.
void SortDayList(EventList& list);

struct DuePost {
    bool reminder;  // true: the reminder; false: the event itself
    std::uint32_t key;  // the record's ListKey
};

// What one tick posts at the moment `now`. The scan stops at the first enabled record whose
// attention moment lies ahead; a record whose reminder has been shown and whose own time lies
// ahead is passed over, so it never holds back a later record whose time has come. Disabled
// records are passed over; so are records whose keys are in `pending` (already posted, not
// yet handled), so one moment is not posted twice.
std::vector<DuePost> ScanDue(const EventList& list, long long now,
                             const std::vector<std::uint32_t>& pending = {});

// Keys of the enabled records whose reminder is still to be shown and whose reminder moment
// lies strictly between `after` and `before`, while the event itself does not.
std::vector<std::uint32_t> RemindersBetween(const EventList& list, long long after,
                                             long long before);

// Whether a post for `event` is still to be carried out at `now`: the record is enabled and,
// for a reminder, not yet reminded and at or past its reminder moment, for the event itself
// at or past its moment. Between post and handling the clock may have been set back or the
// record changed.
bool StillDue(const EventRecord& event, bool reminder, long long now);

// Gives each record of a freshly loaded list its ListKey, so posts and open reminders keep
// finding it: the key of a record of `previous` for the same day's occurrence of the same
// event (each taken once): first one with the same stored values, then one with the same Id
// and time (an event edited meanwhile), then one with the same Id; otherwise a new key
// counted on from `*lastKey`.
void AssignListKeys(const EventList& previous, EventList& fresh, std::uint32_t* lastKey);

// What an accepted tick does.
struct TickPlan {
    bool accept = false;  // the shown second changed, or the system time was changed
    bool away = false;    // the computer was away (asleep) since the previous tick
    bool reload = false;  // the day list is loaded again...
    long long from = 0;   // ...with the occurrences at or after this moment
};
// The plan for a tick at `now` after an accepted tick at `previous`. A tick is taken whenever
// the second changes, in either direction. After a suspend, or a gap longer than the late
// limit without a time change, the computer was away: the list is loaded from the late
// limit before now (what passed before that is missed), but never from before `previous`.
// A clock set back loads from now. A clock set forward, or a new day, loads from the second
// after `previous` as long as that is no older than yesterday, so what the step passed over
// still fires (an event at 00:00:00 when the first tick of the day comes at 00:00:02).
TickPlan PlanTick(long long previous, long long now, bool timeChanged, bool suspended);

// ExitWindowsEx flags for an event shutdown: power off, forced; Windows 2000 and later
// (NT major version 5 and up) force only applications that hang.
unsigned ShutdownFlagsFor(unsigned long platformId, unsigned long majorVersion);
// Whether the shutdown privilege must be enabled first (the NT platform).
bool ShutdownNeedsPrivilege(unsigned long platformId);

}  // namespace tembra
