// Where the program's options and server list come from: the command line, the registry
// key the settings program writes, and "servers.lst" beside the program.
#pragma once
#include <string>
#include <vector>

#include "nettime/core/Options.h"

namespace tembra::nettime {

constexpr char kServerListFile[] = "servers.lst";

// A non-empty command line decides alone; an empty one reads the registry (read-only).
ChronetOptions ReadOptions(const char* commandLine);

// The entries of "servers.lst" in `directory`, or the built-in list when it yields none.
std::vector<std::string> LoadServerList(const std::string& directory);
// The same, beside the running program.
std::vector<std::string> LoadServerList();

}  // namespace tembra::nettime
