#include "clock/Scheduler.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tembra {
namespace {

constexpr unsigned long kPlatformNt = 2;        // VER_PLATFORM_WIN32_NT
constexpr unsigned kPowerOff = 0x08;            // EWX_POWEROFF
constexpr unsigned kForce = 0x04;               // EWX_FORCE
constexpr unsigned kForceIfHung = 0x10;         // EWX_FORCEIFHUNG

long long RemindSeconds(const EventRecord& e) { return e.Remind > 0 ? e.Remind : 0; }

bool IsPending(std::uint32_t key, const std::vector<std::uint32_t>& pending) {
    return std::find(pending.begin(), pending.end(), key) != pending.end();
}

bool RemindPending(const EventRecord& e) { return RemindSeconds(e) != 0 && !e.Reminded; }

}  // namespace

long long EventSecond(const EventRecord& e) { return SecondsOfDay(TimePart(e.Time)); }

long long WholeSeconds(double dateValue) { return std::llround(dateValue * 86400.0); }

int DayOfMoment(long long moment) {
    const long long day = moment / 86400 - (moment % 86400 < 0 ? 1 : 0);
    return static_cast<int>(day);
}

long long AttentionSecond(const EventRecord& event) {
    // Whole seconds: the fraction of a day carries rounding noise, and equal moments must
    // compare equal.
    return EventSecond(event) - RemindSeconds(event);
}

long long OccurrenceMoment(const EventRecord& event) {
    return event.OccursOn * 86400LL + EventSecond(event);
}

long long AttentionMoment(const EventRecord& event) {
    return event.OccursOn * 86400LL + AttentionSecond(event);
}

void SortDayList(EventList& list) {
    std::vector<long long> keys;
    keys.reserve(list.size());
    for (const auto& e : list) keys.push_back(AttentionMoment(*e));
    const size_t n = list.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (keys[i] > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(list[i], list[j]);
            }
        }
    }
}

std::vector<DuePost> ScanDue(const EventList& list, long long now,
                             const std::vector<std::uint32_t>& pending) {
    std::vector<DuePost> posts;
    for (const auto& record : list) {
        const EventRecord& e = *record;
        if (!e.Enabled) continue;
        // The list is sorted by this moment: nothing after it can need attention yet.
        if (AttentionMoment(e) > now) break;
        if (IsPending(e.ListKey, pending)) continue;
        if (RemindPending(e)) {
            posts.push_back({true, e.ListKey});
        } else if (OccurrenceMoment(e) <= now) {
            posts.push_back({false, e.ListKey});
        }
        // Otherwise its reminder has been shown and its time lies ahead: look further.
    }
    return posts;
}

std::vector<std::uint32_t> RemindersBetween(const EventList& list, long long after,
                                             long long before) {
    std::vector<std::uint32_t> keys;
    for (const auto& e : list) {
        const long long at = AttentionMoment(*e);
        if (e->Enabled && RemindPending(*e) && at > after && at < before &&
            OccurrenceMoment(*e) >= before)
            keys.push_back(e->ListKey);
    }
    return keys;
}

bool StillDue(const EventRecord& e, bool reminder, long long now) {
    if (!e.Enabled) return false;
    if (reminder) return RemindPending(e) && AttentionMoment(e) <= now;
    return OccurrenceMoment(e) <= now;
}

void AssignListKeys(const EventList& previous, EventList& fresh, std::uint32_t* lastKey) {
    using Same = bool (*)(const EventRecord&, const EventRecord&);
    const Same passes[] = {
        [](const EventRecord& a, const EventRecord& b) { return SameStoredValues(a, b); },
        [](const EventRecord& a, const EventRecord& b) { return a.Id == b.Id && a.Time == b.Time; },
        [](const EventRecord& a, const EventRecord& b) { return a.Id == b.Id; },
    };
    std::vector<bool> taken(previous.size(), false);
    for (auto& record : fresh) record->ListKey = 0;
    for (Same same : passes) {
        for (auto& record : fresh) {
            if (record->ListKey != 0) continue;
            for (size_t i = 0; i < previous.size(); ++i) {
                const EventRecord& old = *previous[i];
                if (!taken[i] && old.OccursOn == record->OccursOn && same(old, *record)) {
                    taken[i] = true;
                    record->ListKey = old.ListKey;
                    break;
                }
            }
        }
    }
    for (auto& record : fresh)
        if (record->ListKey == 0) record->ListKey = ++*lastKey;
}

TickPlan PlanTick(long long previous, long long now, bool timeChanged, bool suspended) {
    TickPlan plan;
    if (now == previous && !timeChanged && !suspended) return plan;
    plan.accept = true;
    plan.reload = true;
    if (now < previous) {
        plan.from = now;
    } else if (suspended || (!timeChanged && now - previous > kLateLimitSeconds)) {
        plan.away = true;
        plan.from = std::min(now, std::max(previous + 1, now - kLateLimitSeconds));
    } else if (timeChanged) {
        const bool sinceYesterday = DayOfMoment(previous) >= DayOfMoment(now) - 1;
        plan.from = now > previous && sinceYesterday ? previous + 1 : now;
    } else if (DayOfMoment(now) != DayOfMoment(previous)) {
        plan.from = previous + 1;
    } else {
        plan.reload = false;
    }
    return plan;
}

unsigned ShutdownFlagsFor(unsigned long platformId, unsigned long majorVersion) {
    if (platformId == kPlatformNt && majorVersion >= 5) return kPowerOff | kForceIfHung;
    return kPowerOff | kForce;
}

bool ShutdownNeedsPrivilege(unsigned long platformId) { return platformId == kPlatformNt; }

}  // namespace tembra
