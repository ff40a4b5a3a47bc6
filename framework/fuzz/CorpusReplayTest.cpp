// Replays one fuzz target's kept corpus (the build names both): every input that once found a
// fault, or that reaches a corner of the parser, runs again under the sanitizers.
#include <gtest/gtest.h>

#include "framework/fuzz/FuzzTarget.h"

namespace tembra::fuzz {
void TEMBRA_FUZZ_TARGET(const uint8_t* data, size_t size);
}

TEST(FuzzCorpus, EveryKeptInputRunsCleanly) {
    EXPECT_GT(tembra::fuzz::ReplayCorpus(TEMBRA_FUZZ_CORPUS, tembra::fuzz::TEMBRA_FUZZ_TARGET), 0u)
        << "no corpus at " << TEMBRA_FUZZ_CORPUS;
}
