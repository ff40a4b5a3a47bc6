// The clock's day list as plain data: the order it is kept in, which of its records are due
// at a given second, and the shutdown flags for a system version. No Win32 here, so all of
// it is tested natively.
#pragma once
#include <cstdint>
#include <vector>

#include "store/EventRecord.h"

namespace tembra {

// Second of the day at which an event first needs attention: its reminder, or the event
// itself when it has none. A negative "Remind" would put the reminder after the event; it
// counts as no reminder. May be negative for a reminder that falls on the previous day.
long long AttentionSecond(const EventRecord& event);

// Sorts ascending by AttentionSecond with an exchange sort: records with equal keys are never
// exchanged with each other directly, so a stored order survives among equals as far as the
// exchanges of other records allow.
void SortDayList(EventList& list);

struct DuePost {
    bool reminder;  // true: the reminder; false: the event itself
    std::uint32_t key;  // the record's ListKey
};

// What one tick posts at `nowSecond` (second of the day). The scan stops at the first enabled
// record whose attention moment lies ahead; a record whose reminder has been shown and whose
// own time lies ahead is passed over, so it never holds back a later record whose time has
// come. Disabled records are passed over; so are records whose keys are in `pending`
// (already posted, not yet handled), so one moment is not posted twice.
std::vector<DuePost> ScanDue(const EventList& list, long long nowSecond,
                             const std::vector<std::uint32_t>& pending = {});

// Whether a post for `event` is still to be carried out at `nowSecond`: the record is
// enabled and, for a reminder, not yet reminded and at or past its reminder moment, for
// the event itself at or past its time. Between post and handling the clock may have been
// set back or the record changed.
bool StillDue(const EventRecord& event, bool reminder, long long nowSecond);

// Gives each record of a freshly loaded list its ListKey: the key of a record of `previous`
// with the same stored values (each taken once, in list order), so posts and open reminders
// keep finding it, or else a new one counted on from `*lastKey`.
void AssignListKeys(const EventList& previous, EventList& fresh, std::uint32_t* lastKey);

// The moment from which a reload at the tick `now` counts events as still to come, when the
// previous accepted tick was at `previousTick`: the second after that tick when the clock has
// moved forward within its day, so what a jump passed over still fires; otherwise now.
double ReloadMoment(double previousTick, double now);

// ExitWindowsEx flags for an event shutdown: power off, forced; Windows 2000 and later
// (NT major version 5 and up) force only applications that hang.
unsigned ShutdownFlagsFor(unsigned long platformId, unsigned long majorVersion);
// Whether the shutdown privilege must be enabled first (the NT platform).
bool ShutdownNeedsPrivilege(unsigned long platformId);

}  // namespace tembra
