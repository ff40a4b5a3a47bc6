#include "store/EventStoreLock.h"

#include "store/SuiteContract.h"

namespace tembra {
namespace {

// Longer than a save of a thousand events takes on a slow machine (seconds), short enough
// for a user not to give up on a program that waits.
DWORD g_wait = 10000;

}  // namespace

DWORD EventStoreWait() { return g_wait; }
void SetEventStoreWait(DWORD milliseconds) { g_wait = milliseconds; }

EventStoreLock::EventStoreLock(DWORD milliseconds)
    : mutex_(CreateMutexA(nullptr, FALSE, kEventStoreMutexName)) {
    if (!mutex_) {
        held_ = true;
        return;
    }
    const DWORD result = WaitForSingleObject(mutex_.get(), milliseconds);
    owned_ = held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

EventStoreLock::~EventStoreLock() {
    if (owned_) ReleaseMutex(mutex_.get());
}

}  // namespace tembra
