// libFuzzer's entry point for one target; the build names the target (TEMBRA_FUZZ_TARGET).
#include "framework/fuzz/FuzzTarget.h"

namespace tembra::fuzz {
void TEMBRA_FUZZ_TARGET(const uint8_t* data, size_t size);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tembra::fuzz::TEMBRA_FUZZ_TARGET(data, size);
    return 0;
}
