#include "store/InternetTimeStore.h"

#include "store/RegistryKey.h"

namespace tembra {
namespace {

std::optional<std::uint32_t> Stored(const RegistryKey& key, const char* name) {
    DWORD value = 0;
    if (!key.TryReadNumber(name, &value)) return std::nullopt;
    return value;
}

}  // namespace

bool LoadInternetTimeValues(InternetTimeValues* values, bool createKey) {
    RegistryKey key(KEY_READ);
    if (!key.Open(inet::kKey, createKey)) return false;
    values->trayMode = Stored(key, inet::kTrayMode);
    values->autoAdjustTime = Stored(key, inet::kAutoAdjustTime);
    values->serversNum = Stored(key, inet::kServersNum);
    return true;
}

bool SaveInternetTimeValues(bool trayMode, bool autoAdjustTime, std::uint32_t serversNum) {
    RegistryKey key;
    if (!key.Open(inet::kKey, true)) return false;
    key.WriteFlag(inet::kTrayMode, trayMode);
    key.WriteFlag(inet::kAutoAdjustTime, autoAdjustTime);
    key.WriteNumber(inet::kServersNum, serversNum);
    return true;
}

}  // namespace tembra
