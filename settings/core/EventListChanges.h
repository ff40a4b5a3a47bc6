// What the Events page stores on Apply: its own changes, made to the list as it is stored at
// that moment, which the clock (deleting fired one-time events) and other programs (adding
// new events) may have changed since the page loaded it.
#pragma once
#include "store/EventRecord.h"

namespace tembra {

// Copies of the records of `list`, in order.
EventList CopyEvents(const EventList& list);

// `loaded` is the list the page loaded; `page` the page's list now, where a record made from
// loaded[i] carries ListKey i + 1, edited or not, and a new or copied one carries 0; `stored`
// the list stored now. Returns `stored` with the page's changes: a record the page deleted is
// removed and one it edited replaced where it stands; one no longer stored needs no deletion,
// and an edit of it is added as a new event. New and copied records follow at the end, in the
// page's order, each with an Id no other record has. What the page left as it loaded stays as
// stored, with whatever another program changed in it.
EventList ApplyPageChanges(const EventList& loaded, const EventList& page,
                           const EventList& stored);

}  // namespace tembra
