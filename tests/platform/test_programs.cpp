// Starting another program: a program on the path starts, a missing one is reported.
#include <gtest/gtest.h>

#include <unistd.h>

#include "core/TextFile.h"
#include "platform/Programs.h"
#include "support/Fixture.h"

namespace {

using ProgramsTest = KestrilonTest;

TEST_F(ProgramsTest, StartsDetachedOrReportsAMissingProgram) {
    const std::string mark = InDir("started");
    EXPECT_TRUE(StartProgram("touch", mark));
    for (int i = 0; i < 200 && !TextFileExists(mark); ++i) usleep(10000);
    EXPECT_TRUE(TextFileExists(mark));
    EXPECT_FALSE(StartProgram("no-such-program-of-kestrilon", mark));
}

}  // namespace
