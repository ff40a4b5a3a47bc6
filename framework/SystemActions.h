// The seam for every call that changes the world outside the process: starting programs,
// sound, shutting the computer down and setting the clock. Tests install a recorder.
#pragma once
#include <windows.h>
#include <string>

namespace tembra {

struct ProgramStart {
    std::string file;
    std::string parameters;
    std::string directory;
    std::string verb = {};  // empty: the default verb; "runas": with administrator rights
};

class SystemActions {
public:
    virtual ~SystemActions() = default;
    // ShellExecuteEx with the start's verb and SW_SHOWNORMAL; never shows an error box.
    virtual bool StartProgram(const ProgramStart& start) = 0;
    // sndPlaySound(file, flags); an empty file with flags 0 stops the playing sound.
    virtual bool PlaySoundFile(const std::string& file, UINT flags) = 0;
    // MessageBeep(0xFFFFFFFF): the system's default sound.
    virtual void DefaultBeep() = 0;
    // Enables the shutdown privilege (on NT) and calls ExitWindowsEx(flags).
    virtual bool ShutDown(UINT flags, bool enablePrivilege) = 0;
    // Enables the system-time privilege and sets the local time; on failure returns false
    // with the system error in *error.
    virtual bool SetLocalClock(const SYSTEMTIME& time, DWORD* error) = 0;
};

// The actions in force: the real ones, unless a test installed others. (The test builds of
// the programs install a recorder at start-up; the shipped programs have none.)
SystemActions& System();
// Installs `actions` (nullptr restores the default); returns the previous override.
SystemActions* SetSystemActions(SystemActions* actions);

// Describes a call as the recorders write it, e.g. "start|Z:\x\TCSets.exe|n|", and
// "start|Z:\x\Chronet.exe|A 3|Z:\x|runas" for a start with a verb.
std::string DescribeStart(const ProgramStart& start);

}  // namespace tembra
