// The event store's lock across the programs of one logon session: a named mutex, taken with a
// bounded wait so that no program hangs behind another that does.
#pragma once
#include <windows.h>

#include "framework/Handles.h"

namespace tembra {

// How long an operation on the event store waits for another program's to end.
DWORD EventStoreWait();
// Tests shorten it.
void SetEventStoreWait(DWORD milliseconds);

class EventStoreLock {
public:
    // Waits up to `milliseconds` for the lock. A program that ended holding it left it
    // abandoned: it is ours at once (the store may hold what a save cut short left).
    explicit EventStoreLock(DWORD milliseconds = EventStoreWait());
    ~EventStoreLock();
    EventStoreLock(const EventStoreLock&) = delete;
    EventStoreLock& operator=(const EventStoreLock&) = delete;

    // Whether the caller may go on: it holds the lock, or there is no lock to be had (the
    // name taken by an object of another kind), as before there was one.
    bool Held() const { return held_; }

private:
    UniqueKernelHandle mutex_;
    bool owned_ = false;
    bool held_ = false;
};

}  // namespace tembra
