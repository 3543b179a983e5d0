// Every kept fuzz input of the drill data reader runs through the fuzz target's entry.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define KESTRILON_FUZZ_ENTRY_ONLY
#include "fuzz/fuzz_drl.cpp"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using DrlFuzzReplayTest = KestrilonTest;

TEST_F(DrlFuzzReplayTest, Corpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("drl", Dir(), FuzzDrlFile), 4u);
}

}  // namespace
