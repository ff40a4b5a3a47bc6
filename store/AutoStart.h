// The clock's auto-start entry: the value "zmrClock" under the current user's Run key.
#pragma once
#include <string>

namespace tembra {

// The clock's path: "TembraClock.exe" in the folder of the running program, or empty when
// that program's own path cannot be had (then auto-start is neither looked up nor changed).
std::string ClockPathBesideThisProgram();
// The stored Run value, or empty when it or the Run key is missing (the key is never created).
std::string ReadAutoStart();
// Whether the Run value starts the clock at `clockPath` (compared without regard to case).
bool AutoStartIsSet(const std::string& clockPath);
// Makes the Run value start the clock at `clockPath` (creating the Run key when it is
// missing; a value that already names it in another case stays), or removes the value,
// whatever it holds. Does nothing for an empty path.
void ApplyAutoStart(bool wanted, const std::string& clockPath);

}  // namespace tembra
