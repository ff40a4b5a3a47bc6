// One running copy of a program per logon session, decided by a named mutex that the copy
// which runs owns for as long as it runs: two starts at the same moment cannot both win, as
// they can when each looks for the other's window first.
#pragma once
#include <windows.h>

#include "framework/Handles.h"

namespace tembra {

class SingleInstance {
public:
    // Opens or creates the mutex `name` ("Local\..." keeps it to the logon session).
    explicit SingleInstance(const char* name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True once this copy owns the mutex, waiting up to `timeoutMs` for the copy that owns it
    // to end. Without a mutex (the system refused it) every copy runs, as before.
    bool Claim(DWORD timeoutMs);

private:
    UniqueKernelHandle mutex_;
    bool owned_ = false;
};

}  // namespace tembra
