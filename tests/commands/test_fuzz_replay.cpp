// Every kept fuzz input of the command table file and of the dial-face protocol runs through the same entry as its
// fuzz target, without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#include "fuzz/FuzzReaders.h"

#include <chrono>

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using FuzzReplayTest = KestrilonTest;

TEST_F(FuzzReplayTest, ComSetCorpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("comset", Dir(), FuzzComSet), 3u);
}

TEST_F(FuzzReplayTest, DaskovinProtocolCorpus) {
    TAnswerAllResponder answers;
    EXPECT_GE(ReplayCorpus("daskovin", Dir(), FuzzDaskovinProtocol), 3u);
}

// The shortcut field is the rest of its line: a long run of modifiers is read in
// linear time and still names its key.
TEST_F(FuzzReplayTest, LongShortcutReadsInLinearTime) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "ctrl+";
    const auto t0 = std::chrono::steady_clock::now();
    const std::string s = TextToShortCut(text + "q");
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
    EXPECT_EQ(s.size(), 5u * 200000 + 1);
    EXPECT_EQ(s.substr(s.size() - 6), "Ctrl+Q");
    EXPECT_EQ(TextToShortCut(text + "bogus"), "");
    EXPECT_EQ(TextToShortCut("Shift+Alt+f12"), "Shift+Alt+F12");
}

}  // namespace
