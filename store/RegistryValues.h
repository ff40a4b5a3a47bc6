// The option rules' view of an open registry key.
#pragma once
#include "store/OptionValues.h"
#include "store/RegistryKey.h"

namespace tembra {

class RegistryValues : public OptionValues {
public:
    explicit RegistryValues(RegistryKey& key) : key_(key) {}
    std::optional<std::uint32_t> Number(const char* name) const override;
    std::optional<std::string> Text(const char* name, std::size_t capacity) const override;
    void WriteNumber(const char* name, std::uint32_t value) override;
    void WriteText(const char* name, const std::string& text) override;

private:
    RegistryKey& key_;
};

}  // namespace tembra
