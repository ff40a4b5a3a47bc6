// The notification-area icon, the popup menu and its commands.
#include "clock/ClockWindow.h"

namespace tembra {

void ClockWindow::SetTrayMode(bool on, bool show) {
    if (on) {
        ShowWindow(hwnd_, SW_HIDE);
    } else {
        SizeToText();
        if (show) ShowWindow(hwnd_, SW_SHOW);
        Repaint();
    }
}

void ClockWindow::OnTrayNotify(WPARAM, LPARAM) {}
void ClockWindow::OnTaskbarCreated() {}
void ClockWindow::ShowPopupMenu() {}
HMENU ClockWindow::BuildPopupMenu(HWND* settingsWindow) const {
    if (settingsWindow) *settingsWindow = nullptr;
    return CreatePopupMenu();
}
void ClockWindow::RunCommand(UINT) {}
void ClockWindow::ToggleOption(bool& option, const char* name) {
    option = !option;
    WriteOption(name, option ? 1 : 0);
}
void ClockWindow::StartSettings(const char*) {}
void ClockWindow::StartSibling(const char*, const char*) {}

}  // namespace tembra
