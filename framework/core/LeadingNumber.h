// Numbers typed or pasted into digit edits.
#pragma once
#include <cstdint>
#include <string_view>

namespace tembra {

// The decimal number formed by the digits at the start of `text` (after any blanks), or 0
// when it does not start with a digit. Values above `limit` give `limit`, however many
// digits follow, so no input overflows.
std::uint32_t ParseLeadingNumber(std::string_view text, std::uint32_t limit = UINT32_MAX);

}  // namespace tembra
