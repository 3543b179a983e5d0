// Every kept fuzz input of the PCB reader runs through the fuzz target's entry.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define KESTRILON_FUZZ_ENTRY_ONLY
#include "fuzz/fuzz_formica.cpp"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using FormicaFuzzReplayTest = KestrilonTest;

TEST_F(FormicaFuzzReplayTest, Corpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("formica", Dir(), FuzzFormicaFile), 4u);
}

}  // namespace
