#include "store/InternetTimeOptions.h"

#include "framework/core/LeadingNumber.h"

namespace tembra {

std::string ServersNumText(const std::optional<std::uint32_t>& stored) {
    if (!stored || *stored == 0) return std::to_string(inet::kDefaultServersNum);
    // Shown as the internet time program reads it: a signed number.
    return std::to_string(static_cast<std::int32_t>(*stored));
}

std::uint32_t ServersNumToStore(const std::string& text) {
    // Capped where the internet time program still reads it as a positive number.
    const std::uint32_t n = ParseLeadingNumber(text, 0x7FFFFFFF);
    return n == 0 ? static_cast<std::uint32_t>(inet::kDefaultServersNum) : n;
}

}  // namespace tembra
