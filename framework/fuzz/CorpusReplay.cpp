#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "framework/fuzz/FuzzTarget.h"

namespace tembra::fuzz {

size_t ReplayCorpus(const std::string& directory, FuzzFunction target) {
    namespace fs = std::filesystem;
    size_t count = 0;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(directory, error)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        // An empty input still has a valid pointer to look at.
        static const uint8_t kNothing = 0;
        target(bytes.empty() ? &kNothing : reinterpret_cast<const uint8_t*>(bytes.data()),
               bytes.size());
        ++count;
    }
    return count;
}

}  // namespace tembra::fuzz
