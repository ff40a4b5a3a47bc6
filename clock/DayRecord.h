// What the clock has done today with each occurrence of its events. The day list is loaded
// afresh from the store at every reload (options, events, a time change, a new day), and the
// store knows nothing of this: each reload is filtered through it, so an occurrence fires,
// reminds and is answered once.
#pragma once
#include <vector>

#include "store/EventRecord.h"

namespace tembra {

enum HandledAs : unsigned {
    kHandledReminded = 1,  // its reminder was shown (and perhaps closed)
    kHandledFired = 2,     // it fired, or was run at once, or listed as missed
    kHandledSkipped = 4,   // the user answered "do not run" for it
};

class DayRecord {
public:
    // Notes what was done with the occurrence that the day-list record `event` stands for.
    void Note(const EventRecord& event, HandledAs what);
    // Applies the notes to a freshly loaded list whose keys have been given (AssignListKeys):
    // fired and skipped occurrences leave it, reminded ones are marked. An event changed to
    // another time is another occurrence and is not touched.
    void Apply(EventList& fresh) const;
    // The records of noted occurrences, for giving a reload's records their keys.
    const EventList& Known() const { return known_; }
    // Forgets the occurrences of days before `firstDay`.
    void ForgetBefore(int firstDay);

private:
    struct Entry {
        std::uint32_t key;
        long long moment;  // the occurrence, in whole seconds
        unsigned what;
    };
    std::vector<Entry> entries_;
    EventList known_;  // one record per key: the last seen version of the event
};

}  // namespace tembra
