#include "store/LeadingNumber.h"

namespace tembra {

std::uint32_t LeadingNumber(const std::string& text, std::uint32_t limit) {
    std::uint32_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        const std::uint32_t digit = static_cast<std::uint32_t>(c - '0');
        // Checked before multiplying, so n * 10 + digit never wraps.
        if (digit > limit || n > (limit - digit) / 10) return limit;
        n = n * 10 + digit;
    }
    return n;
}

}  // namespace tembra
