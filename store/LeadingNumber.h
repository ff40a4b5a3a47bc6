// Numbers typed or pasted into digit edits: read as far as the leading digits go.
#pragma once
#include <cstdint>
#include <string>

namespace tembra {

// The decimal number formed by the digits at the very start of `text`, or 0 when it does
// not start with a digit. A number above `limit` gives `limit`: no length of digits
// overflows.
std::uint32_t LeadingNumber(const std::string& text, std::uint32_t limit = 0x7FFFFFFF);

}  // namespace tembra
