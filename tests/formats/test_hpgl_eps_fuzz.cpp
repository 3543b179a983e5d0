// Every kept fuzz input of the HPGL and PostScript readers runs through the fuzz
// targets' entries.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define KESTRILON_FUZZ_ENTRY_ONLY
#include "fuzz/fuzz_eps.cpp"
#include "fuzz/fuzz_hpgl.cpp"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using HpglEpsFuzzReplayTest = KestrilonTest;

TEST_F(HpglEpsFuzzReplayTest, Corpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("hpgl", Dir(), [&](const std::string& B) { FuzzHpglFile(B, answers.Messages); }), 4u);
    EXPECT_GE(ReplayCorpus("eps", Dir(), FuzzEpsFile), 3u);
}

}  // namespace
