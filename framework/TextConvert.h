// The one place where text changes form: inside the programs text is UTF-8 in std::string,
// the Windows API takes and gives UTF-16. Invalid input becomes U+FFFD, never an error.
#pragma once
#include <string>
#include <string_view>

namespace tembra {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

}  // namespace tembra
