// The list of time servers: lines of "servers.lst", or the built-in list.
#pragma once
#include <string>
#include <vector>

namespace tembra::nettime {

// A line is an entry, whole and unchanged, when it starts with an ASCII letter or digit;
// every other line (empty, indented, "#", ";" ...) is a comment.
bool IsServerLine(const std::string& line);
// Splits file content into lines (LF or CR LF) and keeps the entries.
std::vector<std::string> ParseServerLines(const std::string& content);
// Public time servers, used when "servers.lst" yields nothing.
const std::vector<std::string>& BuiltInServers();

}  // namespace tembra::nettime
