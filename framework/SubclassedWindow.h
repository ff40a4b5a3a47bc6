// A window created by someone else (a dialog's control, the property sheet) whose messages
// an object takes over by replacing its window procedure. The object is found from the
// window through a window property, which also lets an owner hand WM_DRAWITEM to the
// control object that draws itself.
#pragma once
#include <windows.h>

namespace tembra {

class CSubclassedWindow {
public:
    CSubclassedWindow() = default;
    virtual ~CSubclassedWindow();
    CSubclassedWindow(const CSubclassedWindow&) = delete;
    CSubclassedWindow& operator=(const CSubclassedWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Takes over `hwnd`; false when it is no window or already taken over by an object.
    bool Attach(HWND hwnd);
    // Gives the window its own procedure back (also done when the window is destroyed).
    void Detach();

    // The object that took over `hwnd`, or null.
    static CSubclassedWindow* FromHandle(HWND hwnd);
    // Passes an owner's WM_DRAWITEM to the object of the item's window. True when that
    // object drew the item: the owner then returns TRUE.
    static bool ReflectDrawItem(LPARAM lParam);

protected:
    // Every message of the window; the default passes it to the original procedure.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called once the object has taken over the window.
    virtual void OnAttached() {}
    // The owner-draw request for this window; false when the object does not draw.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item);
    LRESULT CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace tembra
