#include "clock/DayRecord.h"

#include <algorithm>

#include "clock/Scheduler.h"

namespace tembra {

void DayRecord::Note(const EventRecord& event, HandledAs what) {
    const long long moment = OccurrenceMoment(event);
    auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.key == event.ListKey && e.moment == moment;
    });
    if (entry == entries_.end())
        entries_.push_back({event.ListKey, moment, what});
    else
        entry->what |= what;
    auto known = std::find_if(known_.begin(), known_.end(),
                              [&](const auto& r) { return r->ListKey == event.ListKey; });
    if (known == known_.end()) {
        known_.push_back(std::make_unique<EventRecord>(event));
    } else {
        **known = event;
    }
}

void DayRecord::Apply(EventList& fresh) const {
    for (auto it = fresh.begin(); it != fresh.end();) {
        EventRecord& record = **it;
        unsigned what = 0;
        for (const Entry& e : entries_)
            if (e.key == record.ListKey && e.moment == OccurrenceMoment(record)) what |= e.what;
        if (what & (kHandledFired | kHandledSkipped)) {
            it = fresh.erase(it);
            continue;
        }
        if (what & kHandledReminded) record.Reminded = true;
        ++it;
    }
}

void DayRecord::ForgetBefore(int firstDay) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return DayOfMoment(e.moment) < firstDay; }),
                   entries_.end());
    known_.erase(std::remove_if(known_.begin(), known_.end(),
                                [&](const auto& r) {
                                    return std::none_of(
                                        entries_.begin(), entries_.end(),
                                        [&](const Entry& e) { return e.key == r->ListKey; });
                                }),
                 known_.end());
}

}  // namespace tembra
