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

// Reals of the block: a large value is written with its digits, not cut off in a short
// buffer; a value the block could not write back (beyond double, or float for an
// opacity) is refused and the setting keeps its value.
TEST_F(FuzzReplayTest, SettingsBlockExtremeReals) {
    SetCfgDecimalSeparator(',');
    EXPECT_EQ(CfgRegionalReal(1e300L), "1" + std::string(300, '0'));
    EXPECT_EQ(CfgRegionalReal(-1.5e20L), "-150000000000000000000");
    EXPECT_EQ(CfgRegionalReal(1.25e-300L), "0," + std::string(299, '0') + "125");
    const float opac = Glob.SelObjOpac;
    LinesToGlobalCfg({"SETUP", "  StockSizeX=1e300", "  StockSizeY=1e400", "  StockSizeZ=7",
                      "  SelObjOpac=1e39", "ENDSETUP"});
    EXPECT_EQ(Glob.StockSize.x, 1e300L);
    EXPECT_EQ(Glob.StockSize.y, 0);
    EXPECT_EQ(Glob.StockSize.z, 7);
    EXPECT_EQ(Glob.SelObjOpac, opac);
    // Written and read again, the large size comes back as it was.
    LinesToGlobalCfg(GlobalCfgLines(true));
    EXPECT_NEAR(double(Glob.StockSize.x / 1e300L), 1.0, 1e-14);
}

}  // namespace
