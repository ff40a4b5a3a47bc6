#include "store/SavePlan.h"

#include <algorithm>
#include <map>
#include <set>

namespace tembra {

SavePlan PlanSave(const std::vector<OldSlot>& old, const std::vector<NewRecord>& fresh) {
    // What loading finds as the writes go on, by record and by Id.
    std::map<std::string, long> visible, oldCount, newCount;
    std::map<std::string, long> withId;
    std::set<std::string> newIds;
    for (const OldSlot& slot : old) {
        if (!slot.loads) continue;
        ++visible[slot.loaded];
        ++oldCount[slot.loaded];
        ++withId[slot.id];
    }
    for (const NewRecord& record : fresh) {
        ++newCount[record.stored];
        newIds.insert(record.id);
    }
    auto count = [](const std::map<std::string, long>& counts, const std::string& key) {
        const auto it = counts.find(key);
        return it == counts.end() ? 0L : it->second;
    };
    // Whether rewriting the slot would leave loading without something that must stay.
    auto wouldMiss = [&](const OldSlot& slot) {
        const long needed = std::min(count(oldCount, slot.loaded), count(newCount, slot.loaded));
        if (count(visible, slot.loaded) - 1 < needed) return true;
        if (newIds.count(slot.id) && count(withId, slot.id) - 1 < 1) return true;
        // An Id given at loading says nothing about which new record it is.
        return !slot.idStored && needed == 0;
    };

    SavePlan plan;
    auto next = old.begin();
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        while (next != old.end() && next->index < i) ++next;
        const OldSlot* slot = next != old.end() && next->index == i ? &*next : nullptr;
        if (slot && slot->loads && slot->stored == fresh[i].stored) continue;
        plan.writes.push_back(i);
        if (slot && slot->loads) {
            if (wouldMiss(*slot)) {
                plan.keeps.push_back(i);
                ++visible[slot->loaded];
                ++withId[slot->id];
            }
            --visible[slot->loaded];
            --withId[slot->id];
        }
        ++visible[fresh[i].stored];
        ++withId[fresh[i].id];
    }
    return plan;
}

}  // namespace tembra
