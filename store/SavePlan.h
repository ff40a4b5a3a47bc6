// Which stored event keys a save rewrites, and which old records it first copies aside, so
// that a save cut short after any single write loses no event.
//
// A save writes the slots of the new list in ascending order; while one is written it holds
// no "Time" and loading passes it over. Before an old record's slot is rewritten, the plan
// checks that loading still finds what must not go missing: as many copies of each record
// that both lists hold as the shorter of the two counts, and some record for each Id that
// both lists hold (an edited event keeps its old version until its new one is complete).
// Where it would not, the old record is first copied beyond both lists. For the usual
// changes (records removed, edited in place or appended) only edits need copies.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace tembra {

// An existing event key below the stored count.
struct OldSlot {
    std::size_t index = 0;
    bool loads = false;     // it has a "Time": loading gives a record
    bool idStored = false;  // its record's Id is stored, not given at loading
    std::string stored;     // fingerprint of the values it holds
    std::string loaded;     // fingerprint of the record it loads as, stored again
    std::string id;         // that record's Id
};

struct NewRecord {
    std::string stored;  // fingerprint of the values it is stored as
    std::string id;
};

struct SavePlan {
    // Slots below the new count to write, ascending; the others already hold their record.
    std::vector<std::size_t> writes;
    // Old slots whose records are copied beyond both lists before any slot is rewritten.
    std::vector<std::size_t> keeps;
};

// `old` is ordered by index.
SavePlan PlanSave(const std::vector<OldSlot>& old, const std::vector<NewRecord>& fresh);

}  // namespace tembra
