// Option values in memory, stored as the registry stores them: raw bytes per name.
#pragma once
#include <cstring>
#include <map>
#include <string>

#include "store/OptionValues.h"

namespace tembra::test {

class MemoryValues : public OptionValues {
public:
    std::map<std::string, std::string> bytes;

    void SetNumber(const std::string& name, std::uint32_t value) {
        bytes[name] = std::string(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void SetText(const std::string& name, const std::string& text) {
        bytes[name] = std::string(text.c_str(), text.size() + 1);
    }
    bool Has(const std::string& name) const { return bytes.count(name) != 0; }
    std::uint32_t NumberAt(const std::string& name) const { return Number(name.c_str()).value(); }
    std::string TextAt(const std::string& name) const { return Text(name.c_str(), 1000).value(); }

    std::optional<std::uint32_t> Number(const char* name) const override {
        auto it = bytes.find(name);
        if (it == bytes.end() || it->second.size() > 4) return std::nullopt;
        std::uint32_t value = 0;
        std::memcpy(&value, it->second.data(), it->second.size());
        return value;
    }
    std::optional<std::string> Text(const char* name, std::size_t capacity) const override {
        auto it = bytes.find(name);
        if (it == bytes.end() || it->second.empty()) return std::nullopt;
        std::string text(it->second.c_str());
        if (text.size() + 1 > capacity) return std::nullopt;
        return text;
    }
    void WriteNumber(const char* name, std::uint32_t value) override { SetNumber(name, value); }
    void WriteText(const char* name, const std::string& text) override { SetText(name, text); }
};

}  // namespace tembra::test
