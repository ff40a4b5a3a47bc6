// COM initialised on the calling thread for the object's lifetime: the shell's folder
// browser and ShellExecuteEx (which may hand a document or a link to a shell extension)
// require a single-threaded apartment on the thread that calls them.
#pragma once
#include <objbase.h>

namespace tembra {

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        // Balanced only when it took: a thread already in another apartment keeps it.
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

}  // namespace tembra
