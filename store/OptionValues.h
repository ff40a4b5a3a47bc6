// A flat set of named numbers and texts: the options key in the programs, a map in tests.
// The rules that read and write the clock's options are written against this, so they are
// tested without a registry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tembra {

class OptionValues {
public:
    virtual ~OptionValues() = default;
    // The stored value's bytes followed by zeros, or nothing when the value is missing or
    // longer than four bytes. The type is not checked.
    virtual std::optional<std::uint32_t> Number(const char* name) const = 0;
    // The stored text when it fits in `capacity` bytes with its terminating zero; nothing
    // when it is missing or longer.
    virtual std::optional<std::string> Text(const char* name, std::size_t capacity) const = 0;
    virtual void WriteNumber(const char* name, std::uint32_t value) = 0;
    virtual void WriteText(const char* name, const std::string& text) = 0;
};

}  // namespace tembra
