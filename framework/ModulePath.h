// Paths of the running program.
#pragma once
#include <windows.h>
#include <string>

namespace tembra {

// Full path of the running program file (GetModuleFileName of the process image).
std::string ProgramPath();
// The directory part of `path`, without the trailing backslash.
std::string DirectoryOf(const std::string& path);

}  // namespace tembra
