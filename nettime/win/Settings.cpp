#include "nettime/win/Settings.h"

#include <cstdio>
#include <memory>

#include "framework/ModulePath.h"
#include "nettime/core/ServerList.h"
#include "store/InternetTimeStore.h"

namespace tembra::nettime {
namespace {

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
    // Read-only: this program never creates the key.
    StoredOptions stored;
    if (!LoadInternetTimeValues(&stored, false)) return options;
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
