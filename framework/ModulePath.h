// Paths of the running program.
#pragma once
#include <windows.h>
#include <string>

namespace tembra {

// Full path of the running program file (GetModuleFileName of the process image), or an
// empty text when it cannot be had (a path of MAX_PATH characters or more).
std::string ProgramPath();
// The directory part of `path`, without the trailing backslash.
std::string DirectoryOf(const std::string& path);

// Where ProgramPath takes the path from: nullptr for the process image; tests install
// their own to play a program whose path cannot be had. Returns the previous source.
using ProgramPathSource = std::string (*)();
ProgramPathSource SetProgramPathSource(ProgramPathSource source);

}  // namespace tembra
