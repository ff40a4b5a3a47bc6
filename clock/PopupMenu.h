// The clock's popup menu as data: which items it holds for a given state. The window side
// turns this into a real menu; tests read it without showing anything.
#pragma once
#include <string>
#include <vector>

namespace tembra {

// Menu commands (the values are the menu item ids).
enum ClockCommand : unsigned {
    kCmdSettings = 1,
    kCmdExit = 2,
    kCmdDate = 3,
    kCmdSeconds = 4,
    kCmdTransparent = 5,
    kCmdTopMost = 6,
    kCmdColor2 = 7,
    kCmdBorder = 8,
    kCmdNoMove = 9,
    kCmdTray = 10,
    kCmdLeadingZero = 11,
    kCmdTwelveHours = 12,
    kCmdSwitchToSettings = 13,
    kCmdNewEvent = 14,
    kCmdEventList = 15,
    kCmdControlPanelTime = 16,
    kCmdAbout = 17,
    kCmdInternetTime = 18,
};

// Which window of the settings program is open, as far as the menu cares.
enum class OpenSettingsWindow { None, Sheet, NewEvent };

struct MenuState {
    OpenSettingsWindow settings = OpenSettingsWindow::None;
    bool trayMode = false;
    bool date = false;
    bool seconds = false;
    bool transparent = false;
    bool topMost = false;
    bool color2 = false;
    bool twelveHours = false;
    bool leadingZero = false;
    bool noMove = false;
    bool border = false;
};

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    unsigned id = 0;
    std::string text;
    bool checked = false;
    std::vector<MenuEntry> items;  // of a submenu
};

std::vector<MenuEntry> BuildMenuModel(const MenuState& state);

}  // namespace tembra
