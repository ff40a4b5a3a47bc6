#include "store/SavePlan.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>

namespace tembra {
namespace {

constexpr std::uint32_t kNoPair = 0xFFFFFFFF;

void PutNumber(std::string& bytes, std::size_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}
std::uint32_t NumberAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

using Candidates = std::map<std::string, std::deque<std::size_t>>;

}  // namespace

std::string EncodeCopyMark(const CopyMark& mark) {
    std::string bytes;
    PutNumber(bytes, mark.source);
    PutNumber(bytes, mark.pair ? *mark.pair : kNoPair);
    return mark.pair ? bytes + mark.pairStored : bytes;
}

std::optional<CopyMark> DecodeCopyMark(const std::string& bytes) {
    if (bytes.size() < 8) return std::nullopt;
    CopyMark mark;
    mark.source = NumberAt(bytes, 0);
    if (NumberAt(bytes, 4) != kNoPair) {
        mark.pair = NumberAt(bytes, 4);
        mark.pairStored = bytes.substr(8);
    }
    return mark;
}

SavePlan PlanSave(const std::vector<OldSlot>& old, const std::vector<NewRecord>& fresh) {
    SavePlan plan;
    plan.pairOf.assign(old.size(), std::nullopt);
    std::vector<bool> freshPaired(fresh.size(), false);
    auto pair = [&](std::size_t k, std::size_t j) {
        plan.pairOf[k] = j;
        freshPaired[j] = true;
    };
    // The same record in the same slot.
    for (std::size_t k = 0; k < old.size(); ++k) {
        const OldSlot& slot = old[k];
        if (slot.loads && slot.index < fresh.size() && slot.loaded == fresh[slot.index].stored)
            pair(k, slot.index);
    }
    // Then the first unpaired old record with the same key, for each new record in order.
    auto pairBy = [&](Candidates& candidates, std::string NewRecord::*key) {
        for (std::size_t j = 0; j < fresh.size(); ++j) {
            if (freshPaired[j]) continue;
            const auto it = candidates.find(fresh[j].*key);
            if (it == candidates.end() || it->second.empty()) continue;
            pair(it->second.front(), j);
            it->second.pop_front();
        }
    };
    Candidates byRecord, byId;
    for (std::size_t k = 0; k < old.size(); ++k)
        if (old[k].loads && !plan.pairOf[k]) byRecord[old[k].loaded].push_back(k);
    pairBy(byRecord, &NewRecord::stored);
    // An edited event: an Id given at loading says nothing about which new record it is.
    for (std::size_t k = 0; k < old.size(); ++k)
        if (old[k].loads && old[k].idStored && !plan.pairOf[k]) byId[old[k].id].push_back(k);
    pairBy(byId, &NewRecord::id);

    std::vector<bool> written(fresh.size(), false);
    auto next = old.begin();
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        while (next != old.end() && next->index < i) ++next;
        const OldSlot* slot = next != old.end() && next->index == i ? &*next : nullptr;
        if (slot && slot->loads && !slot->mark && slot->stored == fresh[i].stored) continue;
        plan.writes.push_back(i);
        written[i] = true;
    }

    // New records beyond the old list are written before any old slot is touched.
    const std::size_t oldEnd = old.empty() ? 0 : old.back().index + 1;
    for (std::size_t k = 0; k < old.size(); ++k) {
        const OldSlot& slot = old[k];
        const bool rewritten = slot.index < fresh.size() && written[slot.index];
        if (!slot.loads || !(rewritten || slot.index >= fresh.size())) continue;
        const std::optional<std::size_t>& j = plan.pairOf[k];
        if (j && *j != slot.index && (*j < slot.index || *j >= oldEnd))
            plan.marks.push_back(slot.index);  // its new version is complete first
        else if (rewritten && (j || !slot.idStored))
            plan.keeps.push_back(slot.index);  // its slot is rewritten first
    }
    return plan;
}

std::vector<std::size_t> RedundantMarked(const std::vector<OldSlot>& slots) {
    auto holds = [&](std::size_t index, const std::string& stored) {
        const auto it = std::lower_bound(slots.begin(), slots.end(), index,
                                         [](const OldSlot& s, std::size_t i) { return s.index < i; });
        return it != slots.end() && it->index == index && it->loads && !it->mark &&
               it->stored == stored;
    };
    std::vector<std::size_t> redundant;
    for (const OldSlot& slot : slots) {
        if (!slot.mark) continue;
        const CopyMark& mark = *slot.mark;
        // A marked key without a "Time" holds no event at all.
        if (!slot.loads || (mark.source != slot.index && holds(mark.source, slot.stored)) ||
            (mark.pair && holds(*mark.pair, mark.pairStored)))
            redundant.push_back(slot.index);
    }
    return redundant;
}

}  // namespace tembra
