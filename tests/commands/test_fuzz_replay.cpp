// Every kept fuzz input of the command table file runs through the same entry as its
// fuzz target, without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#include "fuzz/FuzzReaders.h"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using FuzzReplayTest = KestrilonTest;

TEST_F(FuzzReplayTest, ComSetCorpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("comset", Dir(), FuzzComSet), 3u);
}

}  // namespace
