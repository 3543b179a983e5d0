// Every kept fuzz input of the job-file reader runs through the fuzz target's entry.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define KESTRILON_FUZZ_ENTRY_ONLY
#include "fuzz/fuzz_ydf.cpp"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using YdfFuzzReplayTest = KestrilonTest;

TEST_F(YdfFuzzReplayTest, Corpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("ydf", Dir(), FuzzYdfFile), 5u);
}

}  // namespace
