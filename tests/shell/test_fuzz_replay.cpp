// Every kept fuzz input of the language file, the settings block and the recent-files
// list runs through the same entry as its fuzz target, without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#include "fuzz/FuzzReaders.h"

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using FuzzReplayTest = KestrilonTest;

TEST_F(FuzzReplayTest, LanguageFileCorpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("lang", Dir(), FuzzLanguageFile), 2u);
}

TEST_F(FuzzReplayTest, SettingsBlockCorpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("setcfg", Dir(), FuzzSettingsBlock), 5u);
}

TEST_F(FuzzReplayTest, FileHistCorpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("filehist", Dir(), FuzzFileHist), 3u);
}

}  // namespace
