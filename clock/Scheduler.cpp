#include "clock/Scheduler.h"

#include <algorithm>
#include <utility>

namespace tembra {
namespace {

constexpr unsigned long kPlatformNt = 2;        // VER_PLATFORM_WIN32_NT
constexpr unsigned kPowerOff = 0x08;            // EWX_POWEROFF
constexpr unsigned kForce = 0x04;               // EWX_FORCE
constexpr unsigned kForceIfHung = 0x10;         // EWX_FORCEIFHUNG

long long RemindSeconds(const EventRecord& e) { return e.Remind > 0 ? e.Remind : 0; }

long long EventSecond(const EventRecord& e) { return SecondsOfDay(TimePart(e.Time)); }

bool IsPending(std::uint32_t key, const std::vector<std::uint32_t>& pending) {
    return std::find(pending.begin(), pending.end(), key) != pending.end();
}

bool RemindPending(const EventRecord& e) { return RemindSeconds(e) != 0 && !e.Reminded; }

}  // namespace

long long AttentionSecond(const EventRecord& event) {
    // Whole seconds: the fraction of a day carries rounding noise, and equal moments must
    // compare equal.
    return EventSecond(event) - RemindSeconds(event);
}

void SortDayList(EventList& list) {
    std::vector<long long> keys;
    keys.reserve(list.size());
    for (const auto& e : list) keys.push_back(AttentionSecond(*e));
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

std::vector<DuePost> ScanDue(const EventList& list, long long nowSecond,
                             const std::vector<std::uint32_t>& pending) {
    std::vector<DuePost> posts;
    for (const auto& record : list) {
        const EventRecord& e = *record;
        if (!e.Enabled) continue;
        // The list is sorted by this moment: nothing after it can need attention yet.
        if (AttentionSecond(e) > nowSecond) break;
        if (IsPending(e.ListKey, pending)) continue;
        if (RemindPending(e)) {
            posts.push_back({true, e.ListKey});
        } else if (EventSecond(e) <= nowSecond) {
            posts.push_back({false, e.ListKey});
        }
        // Otherwise its reminder has been shown and its time lies ahead: look further.
    }
    return posts;
}

bool StillDue(const EventRecord& e, bool reminder, long long nowSecond) {
    if (!e.Enabled) return false;
    if (reminder) return RemindPending(e) && AttentionSecond(e) <= nowSecond;
    return EventSecond(e) <= nowSecond;
}

void AssignListKeys(const EventList& previous, EventList& fresh, std::uint32_t* lastKey) {
    std::vector<bool> taken(previous.size(), false);
    for (auto& record : fresh) {
        record->ListKey = 0;
        for (size_t i = 0; i < previous.size(); ++i) {
            if (!taken[i] && SameStoredValues(*previous[i], *record)) {
                taken[i] = true;
                record->ListKey = previous[i]->ListKey;
                break;
            }
        }
        if (record->ListKey == 0) record->ListKey = ++*lastKey;
    }
}

double ReloadMoment(double previousTick, double now) {
    const double second = 1.0 / 86400.0;
    if (DayPart(previousTick) == DayPart(now) && previousTick + second < now)
        return previousTick + second;
    return now;
}

unsigned ShutdownFlagsFor(unsigned long platformId, unsigned long majorVersion) {
    if (platformId == kPlatformNt && majorVersion >= 5) return kPowerOff | kForceIfHung;
    return kPowerOff | kForce;
}

bool ShutdownNeedsPrivilege(unsigned long platformId) { return platformId == kPlatformNt; }

}  // namespace tembra
