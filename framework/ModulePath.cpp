#include "framework/ModulePath.h"

namespace tembra {

namespace {
ProgramPathSource g_source = nullptr;
}  // namespace

ProgramPathSource SetProgramPathSource(ProgramPathSource source) {
    ProgramPathSource previous = g_source;
    g_source = source;
    return previous;
}

std::string ProgramPath() {
    if (g_source) return g_source();
    char buffer[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    // A full buffer means a cut path (older systems do not even end it with a zero).
    if (n == 0 || n >= sizeof buffer) return std::string();
    return std::string(buffer, n);
}

std::string DirectoryOf(const std::string& path) {
    // Scan byte by byte, skipping the trail byte of each double-byte character: in code
    // page 936 a trail byte may have the value of a backslash.
    size_t lastSlash = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/') lastSlash = i;
    }
    return lastSlash == std::string::npos ? std::string() : path.substr(0, lastSlash);
}

}  // namespace tembra
