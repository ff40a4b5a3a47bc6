// What the three programs of the suite know of each other: the clock's window class and the
// messages it takes from the settings program, the titles by which the settings program's
// windows are found, its start letters, the program files, which live side by side, and the
// named objects they share.
#pragma once

namespace tembra {

// The clock's window class; a search by class name alone finds the running clock.
constexpr const char* kClockClassName = "zmrClock";

// Sent to the clock, synchronously and with both parameters 0, after the settings program
// saved options or events (WM_USER + 2005 and + 2006).
enum : unsigned {
    WM_CLOCK_RELOADOPTIONS = 0x0400 + 2005,  // 3029
    WM_CLOCK_RELOADEVENTS = 0x0400 + 2006,   // 3030
};

// Exact titles of the settings program's windows: its second start and the clock look for them.
constexpr const char* kSettingsSheetTitle = "Tembra Clock 设置";
constexpr const char* kNewEventTitle = "Tembra Clock - 新建事件";
constexpr const char* kAboutTitle = "Tembra Clock - 关于";

// The settings program's one-letter argument; an empty command line opens the sheet on its
// first page.
constexpr char kStartEventList = '1';
constexpr char kStartNewEvent = 'n';
constexpr char kStartAbout = 'a';

// Named mutexes of the user's logon session, each owned by the one running copy: of the
// clock, of the settings program's sheet or new-event editor, and of its about box (which
// may open beside the sheet). Two starts at the same moment cannot both run.
constexpr const char* kClockInstanceMutex = "Local\\TembraClock.Clock";
constexpr const char* kSettingsInstanceMutex = "Local\\TembraClock.Settings";
constexpr const char* kAboutInstanceMutex = "Local\\TembraClock.About";

// Program files, in one folder.
constexpr const char* kClockProgram = "TembraClock.exe";
constexpr const char* kSettingsProgram = "TCSets.exe";
constexpr const char* kInternetTimeProgram = "Chronet.exe";

// The mutex every load, save, append and delete of the event store holds, one per logon
// session: the clock's deletions and the settings program's saves never interleave.
constexpr const char* kEventStoreMutexName = "Local\\TembraClockEventStore";

}  // namespace tembra
