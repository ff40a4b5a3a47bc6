// The internet time program's three options, as the settings program writes them and the
// internet time program reads them under one registry key.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tembra {

namespace inet {
// The internet time program has always spelt it "SoftWare"; registry names ignore case.
constexpr const char* kKey = "Software\\Tembra\\InternetTime";
constexpr const char* kTrayMode = "TrayMode";
constexpr const char* kAutoAdjustTime = "AutoAdjustTime";
constexpr const char* kServersNum = "ServersNum";
constexpr std::int32_t kDefaultServersNum = 3;
}  // namespace inet

// The values as stored, each four bytes whatever the registry type; absent when missing.
struct InternetTimeValues {
    std::optional<std::uint32_t> trayMode;
    std::optional<std::uint32_t> autoAdjustTime;
    std::optional<std::uint32_t> serversNum;
};

// What the settings page shows in its number edit: the stored number, or 3 when it is
// missing or 0 (a 0 would make the internet time program take 3 as well).
std::string ServersNumText(const std::optional<std::uint32_t>& stored);
// What the page stores for its edit text: the leading number, or 3 when that is 0 (an
// empty edit, "0", "00", or text not starting with a digit).
std::uint32_t ServersNumToStore(const std::string& text);

}  // namespace tembra
