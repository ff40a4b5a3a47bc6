#include "store/RegistryValues.h"

#include <vector>

namespace tembra {

std::optional<std::uint32_t> RegistryValues::Number(const char* name) const {
    DWORD value = 0;
    if (!key_.TryReadNumber(name, &value)) return std::nullopt;
    return value;
}

std::optional<std::string> RegistryValues::Text(const char* name, std::size_t capacity) const {
    std::vector<char> buffer(capacity + 1, '\0');
    DWORD size = static_cast<DWORD>(capacity);
    if (!key_.ReadTextInto(name, buffer.data(), &size)) return std::nullopt;
    return std::string(buffer.data());
}

void RegistryValues::WriteNumber(const char* name, std::uint32_t value) {
    key_.WriteNumber(name, value);
}

void RegistryValues::WriteText(const char* name, const std::string& text) {
    key_.WriteText(name, text);
}

}  // namespace tembra
