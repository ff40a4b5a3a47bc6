// The smallest program that shows a window: how long Wine takes to start a process and
// bring up its first window. Chronet's run is measured beside it.
#include <windows.h>

namespace {

constexpr char kClassName[] = "TembraBareWindow";
constexpr char kTitle[] = "Tembra Bare Window";

LRESULT CALLBACK BareWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BareWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return 1;
    if (!CreateWindowA(kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100,
                       nullptr, nullptr, instance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
