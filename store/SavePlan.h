// Which stored event keys a save rewrites, and how it keeps every event loadable, exactly
// once, whenever it is cut short.
//
// Each new record is paired with the old record it continues: the same record in the same
// slot, else the same record elsewhere, else (an edited event) the next old record with its
// stored Id, in list order, so that twins sharing an Id keep their own versions. A save writes
// the slots of the new list in ascending order; while one is written it holds no "Time" and
// loading passes it over. So that loading always finds one version of each pair:
// - an old record whose slot is rewritten before its new version is complete is first copied
//   beyond both lists (a copy is also kept of an old record whose Id was given at loading and
//   that nothing pairs: it may be an event loaded at another moment);
// - an old record whose new version is complete while its own slot still holds it is marked
//   there beforehand.
// A copy is marked too. A mark names the slot the new version goes to and what it holds there;
// loading hides a marked key while its event has another version, and the next load or save
// deletes such keys and unmarks the others (the only version left by a save cut short).
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tembra {

// What marks a copy a save set aside, or an old record standing where it was.
struct CopyMark {
    std::size_t source = 0;           // the slot copied from (its own slot when marked in place)
    std::optional<std::size_t> pair;  // where its new version goes, if anywhere
    std::string pairStored;           // fingerprint of that new version
};
// The mark as stored (binary) and read back; nullopt for bytes that are no mark.
std::string EncodeCopyMark(const CopyMark& mark);
std::optional<CopyMark> DecodeCopyMark(const std::string& bytes);

// An existing event key below the stored count.
struct OldSlot {
    std::size_t index = 0;
    bool loads = false;     // it has a "Time": loading gives a record
    bool idStored = false;  // its record's Id is stored, not given at loading
    std::string stored;     // fingerprint of the event values it holds (the mark aside)
    std::string loaded;     // fingerprint of the record it loads as, stored again
    std::string id;         // that record's Id
    std::optional<CopyMark> mark;
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
    // Old slots marked where they stand before anything is written.
    std::vector<std::size_t> marks;
    // Parallel to the old slots: the new record each one's event continues as, if any.
    std::vector<std::optional<std::size_t>> pairOf;
};

// `old` is ordered by index.
SavePlan PlanSave(const std::vector<OldSlot>& old, const std::vector<NewRecord>& fresh);

// The marked slots of `slots` (ordered by index) whose event loads from another key: an
// unmarked source slot still holding what the copy holds, or an unmarked slot holding the
// new version.
std::vector<std::size_t> RedundantMarked(const std::vector<OldSlot>& slots);

}  // namespace tembra
