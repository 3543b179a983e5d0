// Every kept fuzz input of the tool files runs through the tool-file fuzz entries
// (the library reader and the tool-type reader; the tool sections; the geometry file),
// without fault.
#include <gtest/gtest.h>

#define FUZZ_REQUIRE(cond) EXPECT_TRUE(cond) << #cond
#define LLVMFuzzerTestOneInput FuzzToolLibEntry
#include "fuzz/fuzz_toollib.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput FuzzToolTypeEntry
#include "fuzz/fuzz_ttypedef.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput FuzzToolSectionsEntry
#include "fuzz/fuzz_toolsections.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput FuzzGeoEntry
#include "fuzz/fuzz_geo.cpp"
#undef LLVMFuzzerTestOneInput

#include "support/Corpus.h"
#include "support/Fixture.h"

namespace {

using ToolFuzzReplayTest = KestrilonTest;

TEST_F(ToolFuzzReplayTest, ToolFileCorpus) {
    const size_t n = ReplayCorpus("tools", Dir(), [](const std::string& Bytes) {
        const auto* data = reinterpret_cast<const uint8_t*>(Bytes.data());
        FuzzToolLibEntry(data, Bytes.size());
        FuzzToolTypeEntry(data, Bytes.size());
    });
    EXPECT_GE(n, 8u);
}

TEST_F(ToolFuzzReplayTest, ToolSectionCorpus) {
    const size_t n = ReplayCorpus("toolsections", Dir(), [](const std::string& Bytes) {
        FuzzToolSectionsEntry(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
    });
    EXPECT_GE(n, 6u);
}

TEST_F(ToolFuzzReplayTest, GeometryFileCorpus) {
    const size_t n = ReplayCorpus("geo", Dir(), [](const std::string& Bytes) {
        FuzzGeoEntry(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
    });
    EXPECT_GE(n, 2u);
}

}  // namespace
