// Every kept fuzz input of the style file and of the about box's "Info" file runs
// through its fuzz target's entry, without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define LLVMFuzzerTestOneInput FuzzStyleEntry
#include "fuzz/fuzz_style.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput FuzzInfoEntry
#include "fuzz/fuzz_info.cpp"
#undef LLVMFuzzerTestOneInput

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using SmallFilesReplayTest = KestrilonTest;

TEST_F(SmallFilesReplayTest, StyleAndInfoCorpora) {
    for (const char* topic : {"style", "info"}) {
        SCOPED_TRACE(topic);
        const size_t n = ReplayCorpus(topic, Dir(), [&](const std::string& Bytes) {
            const auto* data = reinterpret_cast<const uint8_t*>(Bytes.data());
            (std::string(topic) == "style" ? FuzzStyleEntry : FuzzInfoEntry)(data, Bytes.size());
        });
        EXPECT_GE(n, 2u);
    }
}

}  // namespace
