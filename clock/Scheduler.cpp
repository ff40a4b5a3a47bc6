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

bool IsPending(double id, const std::vector<double>& pending) {
    return std::find(pending.begin(), pending.end(), id) != pending.end();
}

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
                             const std::vector<double>& pending) {
    std::vector<DuePost> posts;
    for (const auto& record : list) {
        const EventRecord& e = *record;
        if (!e.Enabled) continue;
        // The list is sorted by this moment: nothing after it can need attention yet.
        if (AttentionSecond(e) > nowSecond) break;
        if (IsPending(e.Id, pending)) continue;
        if (RemindSeconds(e) != 0 && !e.Reminded) {
            posts.push_back({true, e.Id});
        } else if (EventSecond(e) <= nowSecond) {
            posts.push_back({false, e.Id});
        }
        // Otherwise its reminder has been shown and its time lies ahead: look further.
    }
    return posts;
}

unsigned ShutdownFlagsFor(unsigned long platformId, unsigned long majorVersion) {
    if (platformId == kPlatformNt && majorVersion >= 5) return kPowerOff | kForceIfHung;
    return kPowerOff | kForce;
}

bool ShutdownNeedsPrivilege(unsigned long platformId) { return platformId == kPlatformNt; }

}  // namespace tembra
