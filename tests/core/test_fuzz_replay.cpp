// Every kept fuzz input of the typed-number parser runs through the same entry as its
// fuzz target, without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#include "fuzz/FuzzReaders.h"

#include <chrono>

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using FuzzReplayTest = KestrilonTest;

TEST_F(FuzzReplayTest, TypedNumberCorpus) {
    EXPECT_GE(ReplayCorpus("numbers", Dir(), FuzzTypedNumber), 20u);
}

// A settings value may be a whole line of terms: reading it stays linear (a copy of the
// rest per term once made a 1 MB line take minutes).
TEST_F(FuzzReplayTest, LongTermChainReadsInLinearTime) {
    std::string text = "2";
    for (int i = 0; i < 200000; ++i) text += i % 2 ? "-1" : "+2";
    const auto t0 = std::chrono::steady_clock::now();
    Extended v = 0;
    ASSERT_TRUE(StrToExtCalc(text, v, false));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
    EXPECT_EQ(v, 2 + 100000);
    // Left to right, no precedence; an empty term fails at its place.
    struct Case { const char* text; bool ok; Extended value; };
    for (const Case& c : {Case{"1+2*3", true, 9}, Case{"-4/2", true, -2}, Case{"1,5*2", true, 3},
                          Case{"1+", false, 0}, Case{"+1", false, 0}, Case{"1+-1", false, 0},
                          Case{"8/0", false, 0}}) {
        Extended x = 0;
        EXPECT_EQ(StrToExtCalc(c.text, x, false), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(x, c.value) << c.text;
    }
}

}  // namespace
