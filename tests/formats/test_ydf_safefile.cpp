// Files written through the temporary file of the program folder: the space check
// before the target is touched, the copy, and no temporary file left behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/TextFile.h"
#include "core/UniLog.h"
#include "formats/SafeFile.h"
#include "formats/UniYDF.h"
#include "platform/ScriptResponder.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

using SafeFileTest = KestrilonTest;

const std::string Content = "line 1\r\nline 2\r\n";

bool Write(const std::string& Target) {
    if (!BeginTempFile() || !AppendTempLines({"line 1", "line 2"})) return false;
    return CommitTempFile(Target, "Err:full", "Err:copy", "Sys:end");
}

// Free space one byte short, exact, unknown: only the exact one writes.
TEST_F(SafeFileTest, FreeSpaceDecidesBeforeTheTargetIsTouched) {
    struct TCase {
        int64_t Free;
        bool Written;
    };
    for (const TCase c : {TCase{int64_t(Content.size()) - 1, false}, TCase{int64_t(Content.size()), true},
                          TCase{-1, false}}) {
        SCOPED_TRACE(c.Free);
        ResetLog();
        TScriptResponder resp;
        if (!c.Written) resp.ExpectMessage(mrOk, Msg[24]);
        const std::string target = WriteFile("out/job.ydf", "old");
        std::string asked;
        SafeFileDiskFree = [&](const std::string& Folder) {
            asked = Folder;
            return c.Free;
        };
        EXPECT_EQ(Write(target), c.Written);
        EXPECT_EQ(asked, InDir("out"));
        EXPECT_EQ(ReadFile(target), c.Written ? Content : "old");
        EXPECT_FALSE(TextFileExists(TempFilePath()));
        EXPECT_TRUE(resp.Done());
        EXPECT_EQ(TCmdHarness::LogHas("Err:full"), !c.Written);
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:end"));
    }
}

// A target that cannot be written: message 25, the copy-failure line, no end line.
TEST_F(SafeFileTest, UnwritableTargetIsReported) {
    TScriptResponder resp;
    resp.ExpectMessage(mrOk, Msg[25]);
    EXPECT_FALSE(Write(InDir("no/such/folder/job.ydf")));
    EXPECT_TRUE(resp.Done());
    EXPECT_TRUE(TCmdHarness::LogHas("Err:copy"));
    EXPECT_FALSE(TCmdHarness::LogHas("Sys:end"));
    EXPECT_FALSE(TextFileExists(TempFilePath()));
}

// The program folder cannot take the temporary file: the job file is not touched and
// the failure is logged and shown.
TEST_F(SafeFileTest, JobFileNotWrittenWithoutTemporaryFile) {
    const std::string target = WriteFile("job.ydf", "old");
    ASSERT_EQ(::mkdir(InDir("TEMP.$$$").c_str(), 0755), 0);  // a folder in the way
    TScriptResponder resp;
    resp.ExpectMessage(mrOk, Msg[25]);
    EXPECT_FALSE(SaveYdfFile(target, true, true));
    EXPECT_TRUE(resp.Done());
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_TRUE(TCmdHarness::LogHas("ERR:FAILED Save YDF"));
}

}  // namespace
