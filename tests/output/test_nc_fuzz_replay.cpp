// Every kept fuzz input of the post-processor file and of the G-code reader runs
// through its fuzz entry without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define LLVMFuzzerTestOneInput FuzzGcodeCfgEntry
#include "fuzz/fuzz_gcodecfg.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput FuzzGcodeReadEntry
#include "fuzz/fuzz_gcoderead.cpp"
#undef LLVMFuzzerTestOneInput

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using NcFuzzReplayTest = KestrilonTest;

TEST_F(NcFuzzReplayTest, GcodeCfgCorpus) {
    const size_t n = ReplayCorpus("gcodecfg", Dir(), [](const std::string& Bytes) {
        FuzzGcodeCfgEntry(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
    });
    EXPECT_GE(n, 5u);
}

TEST_F(NcFuzzReplayTest, GcodeReaderCorpus) {
    const size_t n = ReplayCorpus("gcoderead", Dir(), [](const std::string& Bytes) {
        FuzzGcodeReadEntry(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
    });
    EXPECT_GE(n, 5u);
}

}  // namespace
