#include "settings/core/EventListChanges.h"

#include <map>
#include <optional>

namespace tembra {
namespace {

// An Id given at loading differs at each load: such a record is known by its other values.
bool SameRecord(const EventRecord& a, const EventRecord& b) {
    if (!a.IdGiven && !b.IdGiven) return SameStoredValues(a, b);
    EventRecord other = b;
    other.Id = a.Id;
    return SameStoredValues(a, other);
}

// For each loaded record, the stored record it still is: the same record, else (one another
// program changed meanwhile) the next unmatched record with its stored Id, in list order, so
// that twins sharing an Id keep their own. A record no longer stored matches none.
std::vector<std::optional<size_t>> Match(const EventList& loaded, const EventList& stored) {
    std::map<double, std::vector<size_t>> byId;
    std::vector<size_t> given, all;
    for (size_t s = 0; s < stored.size(); ++s) {
        (stored[s]->IdGiven ? given : byId[stored[s]->Id]).push_back(s);
        all.push_back(s);
    }
    std::vector<std::optional<size_t>> match(loaded.size());
    std::vector<bool> taken(stored.size(), false);
    auto take = [&](size_t i, const std::vector<size_t>& candidates, bool sameValues) {
        for (size_t s : candidates) {
            if (taken[s] || (sameValues && !SameRecord(*loaded[i], *stored[s]))) continue;
            match[i] = s;
            taken[s] = true;
            return;
        }
    };
    static const std::vector<size_t> kNone;
    auto withId = [&](const EventRecord& e) -> const std::vector<size_t>& {
        const auto it = byId.find(e.Id);
        return it == byId.end() ? kNone : it->second;
    };
    for (size_t i = 0; i < loaded.size(); ++i) {
        if (loaded[i]->IdGiven) {
            take(i, all, true);
        } else {
            take(i, withId(*loaded[i]), true);
            if (!match[i]) take(i, given, true);
        }
    }
    for (size_t i = 0; i < loaded.size(); ++i)
        if (!match[i] && !loaded[i]->IdGiven) take(i, withId(*loaded[i]), false);
    return match;
}

}  // namespace

EventList CopyEvents(const EventList& list) {
    EventList copy;
    for (const auto& e : list) copy.push_back(std::make_unique<EventRecord>(*e));
    return copy;
}

EventList ApplyPageChanges(const EventList& loaded, const EventList& page,
                           const EventList& stored) {
    const std::vector<std::optional<size_t>> match = Match(loaded, stored);
    auto origin = [&](const EventRecord& e) -> std::optional<size_t> {
        if (e.ListKey == 0 || e.ListKey > loaded.size()) return std::nullopt;
        return e.ListKey - 1;
    };
    std::vector<const EventRecord*> mine(loaded.size(), nullptr);
    for (const auto& e : page)
        if (const auto i = origin(*e)) mine[*i] = e.get();

    EventList result = CopyEvents(stored);
    for (size_t i = 0; i < loaded.size(); ++i) {
        if (!match[i] || (mine[i] && SameStoredValues(*mine[i], *loaded[i]))) continue;
        std::unique_ptr<EventRecord>& record = result[*match[i]];
        if (!mine[i]) {
            record.reset();
            continue;
        }
        const EventRecord before = *record;
        record->CopyFrom(*mine[i]);
        if (loaded[i]->IdGiven) {  // the stored record's identity, not the page's loading moment
            record->Id = before.Id;
            record->IdGiven = before.IdGiven;
        }
    }
    EventList out;
    for (auto& e : result)
        if (e) out.push_back(std::move(e));
    for (const auto& e : page) {
        const auto i = origin(*e);
        if (i && (match[*i] || SameStoredValues(*e, *loaded[*i]))) continue;
        auto added = std::make_unique<EventRecord>(*e);
        added->Id = UnusedEventId(added->Id, out);
        added->IdGiven = false;
        added->ListKey = 0;
        out.push_back(std::move(added));
    }
    return out;
}

}  // namespace tembra
