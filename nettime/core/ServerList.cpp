#include "nettime/core/ServerList.h"

namespace tembra::nettime {

bool IsServerLine(const std::string& line) {
    if (line.empty()) return false;
    char c = line[0];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::vector<std::string> ParseServerLines(const std::string& content) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (IsServerLine(line)) entries.push_back(std::move(line));
        start = end + 1;
    }
    return entries;
}

const std::vector<std::string>& BuiltInServers() {
    static const std::vector<std::string> servers = {
        "pool.ntp.org",         "0.pool.ntp.org",       "1.pool.ntp.org",
        "2.pool.ntp.org",       "3.pool.ntp.org",       "time.windows.com",
        "time.nist.gov",        "time-a-g.nist.gov",    "time-b-g.nist.gov",
        "time.google.com",      "time1.google.com",     "time2.google.com",
        "time.cloudflare.com",  "ntp1.ptb.de",          "ntp2.ptb.de",
        "europe.pool.ntp.org",  "asia.pool.ntp.org",    "north-america.pool.ntp.org",
        "ntp.nict.jp",          "time.apple.com",
    };
    return servers;
}

}  // namespace tembra::nettime
