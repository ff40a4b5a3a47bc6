// A fuzz target: a function that reads arbitrary bytes the way the program reads what others
// wrote, and must neither crash, leak nor invoke undefined behaviour on any of them.
// Each target is built twice: into a libFuzzer program (framework/scripts/fuzz.sh) and into
// the native tests, which replay the target's kept corpus so that a fixed crash stays fixed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tembra::fuzz {

using FuzzFunction = void (*)(const uint8_t* data, size_t size);

// Runs `target` on every file below `directory`; returns how many files it ran.
size_t ReplayCorpus(const std::string& directory, FuzzFunction target);

// Reads fixed-size values from the front of the input, zero once it is used up, so a
// target can draw numbers and then take the rest as text.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    template <class T>
    T Take() {
        T value{};
        unsigned char* out = reinterpret_cast<unsigned char*>(&value);
        for (size_t i = 0; i < sizeof value && used_ < size_; ++i) out[i] = data_[used_++];
        return value;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_) + used_, size_ - used_);
        used_ = size_;
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t used_ = 0;
};

}  // namespace tembra::fuzz
