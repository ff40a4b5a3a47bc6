#include "nettime/win/Settings.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "framework/Handles.h"
#include "framework/ModulePath.h"
#include "nettime/core/ServerList.h"

namespace tembra::nettime {
namespace {

// Reads four bytes whatever the stored type; a value of another size counts as missing.
std::optional<uint32_t> ReadFourBytes(HKEY key, const char* name) {
    uint32_t value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};

}  // namespace

ChronetOptions ReadOptions(const char* commandLine) {
    ChronetOptions options;
    if (commandLine && *commandLine) {
        ApplyCommandLine(commandLine, &options);
        return options;
    }
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return options;
    UniqueRegKey key(raw);
    StoredOptions stored;
    stored.trayMode = ReadFourBytes(key.get(), kValueTrayMode);
    stored.autoAdjustTime = ReadFourBytes(key.get(), kValueAutoAdjust);
    stored.serversNum = ReadFourBytes(key.get(), kValueServersNum);
    ApplyStoredOptions(stored, &options);
    return options;
}

std::vector<std::string> LoadServerList(const std::string& directory) {
    std::string path = directory + "\\" + kServerListFile;
    std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "rb"));
    std::vector<std::string> entries;
    if (file) {
        std::string content;
        char chunk[4096];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, file.get())) > 0) content.append(chunk, n);
        entries = ParseServerLines(content);
    }
    if (entries.empty()) entries = BuiltInServers();
    return entries;
}

std::vector<std::string> LoadServerList() { return LoadServerList(DirectoryOf(ProgramPath())); }

}  // namespace tembra::nettime
