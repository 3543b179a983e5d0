// Files written through a temporary file of their own beside the target: the space
// check before the target is touched, the rename, and no temporary file left behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/SafeWrite.h"
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
    if (!BeginTempFile(Target) || !AppendTempLines({"line 1", "line 2"})) return false;
    return CommitTempFile(Target, "Err:full", "Err:copy", "Sys:end");
}

// Temporary files of safe writes in Folder.
int TempFilesIn(const std::string& Folder) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(Folder)) n += IsTempFileName(e.path().filename());
    return n;
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
        EXPECT_EQ(TempFilesIn(InDir("out")), 0);
        EXPECT_TRUE(resp.Done());
        EXPECT_EQ(TCmdHarness::LogHas("Err:full"), !c.Written);
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:end"));
    }
}

// A target that cannot be replaced (a folder of that name): message 25 with its name,
// the copy-failure line, no end line, and no temporary file left beside it.
TEST_F(SafeFileTest, UnwritableTargetIsReported) {
    const std::string target = InDir("out/job.ydf");
    std::filesystem::create_directories(target);
    TScriptResponder resp;
    resp.ExpectMessage(mrOk, Msg[25] + ":\r\n" + target);
    SafeFileDiskFree = [](const std::string&) { return int64_t(1) << 40; };
    EXPECT_FALSE(Write(target));
    EXPECT_TRUE(resp.Done());
    EXPECT_TRUE(TCmdHarness::LogHas("Err:copy"));
    EXPECT_FALSE(TCmdHarness::LogHas("Sys:end"));
    EXPECT_EQ(TempFilesIn(InDir("out")), 0);
    ResetSafeFile();
}

// The target's folder cannot take the temporary file (a file stands in its way): the
// job file is not touched, and the failure is logged and shown with the file's name.
TEST_F(SafeFileTest, JobFileNotWrittenWithoutTemporaryFile) {
    WriteFile("plain", "a file, not a folder");
    const std::string target = InDir("plain/job.ydf");
    TScriptResponder resp;
    resp.ExpectMessage(mrOk, Msg[25] + ":\r\n" + target);
    EXPECT_FALSE(SaveYdfFile(target, true, true));
    EXPECT_TRUE(resp.Done());
    EXPECT_EQ(ReadFile(InDir("plain")), "a file, not a folder");
    EXPECT_TRUE(TCmdHarness::LogHas("ERR:FAILED Save YDF"));
}

}  // namespace
