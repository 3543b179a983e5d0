// Every kept fuzz input of the DXF reader runs through the fuzz target's entry.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define KESTRILON_FUZZ_ENTRY_ONLY
#include "fuzz/fuzz_dxf.cpp"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using DxfFuzzReplayTest = KestrilonTest;

TEST_F(DxfFuzzReplayTest, Corpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("dxf", Dir(), FuzzDxfFile), 5u);
}

}  // namespace
