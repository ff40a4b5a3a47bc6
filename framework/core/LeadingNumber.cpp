#include "framework/core/LeadingNumber.h"

namespace tembra {

std::uint32_t ParseLeadingNumber(std::string_view text, std::uint32_t limit) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const std::uint32_t digit = static_cast<std::uint32_t>(text[i] - '0');
        if (digit > limit || value > (limit - digit) / 10) return limit;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace tembra
