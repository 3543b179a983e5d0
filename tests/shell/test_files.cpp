// The file commands typed on the command line: SAVEAS, SAVE with its backup, NEW,
// OPEN, IMPORT and EXPORT of the native job file, and the formats this build lacks.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniPoint.h"
#include "platform/Controls.h"
#include "platform/ScriptResponder.h"
#include "shell/FileHist.h"
#include "shell/Main.h"
#include "shell/MainFiles.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

class FilesTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        EnPoint.Add(Osy{1, 2}, LayerOrig, MainVars.DataStart, MainVars.DataEnd);
        EnPoint.Add(Osy{5, 6}, LayerOrig, MainVars.DataStart, MainVars.DataEnd);
        MainVars.FileSaved = false;
    }
    static int Count() { return CountObjs(MainVars.DataStart); }
};

TEST_F(FilesTest, SaveAsNewAndOpenKeepTheJob) {
    TScriptResponder R;
    R.ExpectSave(InDir("plate"));
    H->Enter("SAVEAS");
    ASSERT_TRUE(TextFileExists(InDir("plate.ydf")));
    EXPECT_EQ(Glob.JmSouboru, "plate");
    EXPECT_EQ(H->Form().Caption, "Kestrilon - plate");
    EXPECT_TRUE(MainVars.FileSaved);
    ASSERT_FALSE(FileHist.empty());
    EXPECT_EQ(FileHist.back(), InDir("plate.ydf"));
    EXPECT_EQ(MainVars.ComCnt, -1);

    H->Enter("NEW");  // saved: no question
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Glob.JmSouboru, "");
    EXPECT_EQ(H->Form().Caption, "Kestrilon");

    R.ExpectOpen(InDir("plate"));
    H->Enter("OPEN");
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.y, 6);
    EXPECT_EQ(H->Form().Caption, "Kestrilon - PLATE");
    EXPECT_EQ(Glob.IniDirOpenSave, Dir());
    EXPECT_TRUE(R.Done());
}

TEST_F(FilesTest, SaveOfANeverSavedJobAsksForAName) {
    TScriptResponder R;
    R.ExpectSave("");
    H->Enter("SAVE");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:File never saved, saving as"));
    EXPECT_FALSE(MainVars.FileSaved);
}

// The backup is a copy in the backup folder (one separator with or without a trailing
// one); the job file is rewritten.
TEST_F(FilesTest, SaveKeepsABackup) {
    for (const std::string bakDir : {"bak", "bak/"}) {
        SCOPED_TRACE(bakDir);
        WriteFile("bak/.keep", "");
        const std::string job = WriteFile("job.ydf", "old job\r\n");
        Glob.JmSouboru = "job";
        Glob.IniDirOpenSave = Dir();
        Glob.SaveBakFiles = true;
        Glob.BakFilesDir = InDir(bakDir);
        MainVars.FileSaved = false;
        H->Enter("SAVE");
        EXPECT_EQ(ReadFile(InDir("bak/job.bak")), "old job\r\n");
        EXPECT_NE(ReadFile(job).find("ENDOBJECTS"), std::string::npos);
        EXPECT_TRUE(MainVars.FileSaved);
    }
}

TEST_F(FilesTest, SaveAsRefusedOverwriteWritesNothing) {
    const std::string job = WriteFile("job.ydf", "old");
    TScriptResponder R;
    R.ExpectSave(job);
    R.ExpectMessage(mrNo, "Přepsat");
    H->Enter("SAVEAS");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(ReadFile(job), "old");
    EXPECT_FALSE(MainVars.FileSaved);
}

TEST_F(FilesTest, OpenOfAnotherFormatLeavesAnEmptyJob) {
    MainVars.FileSaved = true;
    TScriptResponder R;
    R.ExpectOpen(WriteFile("drawing.dxf", "0\r\nEOF\r\n"));
    H->Enter("OPEN");
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong extension (.dxf)"));
    EXPECT_EQ(H->Form().Caption, "Kestrilon");
}

TEST_F(FilesTest, ImportAppendsTheObjectsMovedToDest) {
    TScriptResponder R;
    R.ExpectSave(InDir("part.ydf"));
    H->Enter("EXPORT");
    ASSERT_TRUE(TextFileExists(InDir("part.ydf")));
    Glob.Dest = Osy{10, 20};
    R.ExpectOpen(InDir("part.ydf"));
    H->Enter("IMPORT");
    ASSERT_EQ(Count(), 4);
    EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.x, 15);
    EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.y, 26);
    EXPECT_FALSE(MainVars.FileSaved);
    EXPECT_TRUE(R.Done());
}

TEST_F(FilesTest, FormatsOfThisBuildOnly) {
    TScriptResponder R;
    R.ExpectSave(InDir("out.dxf"));
    R.ExpectMessage(mrOk, ".dxf");
    H->Enter("EXPORT");
    R.ExpectSave(InDir("out.xyz"));
    R.ExpectMessage(mrOk, "Chybná přípona pro export");
    H->Enter("EXPORT");
    R.ExpectOpen(WriteFile("in.plt", "IN;"));
    R.ExpectMessage(mrOk, ".plt");
    H->Enter("IMPORT");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Format not available (.dxf)"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong extension (.xyz)"));
    EXPECT_FALSE(TextFileExists(InDir("out.dxf")));
    EXPECT_EQ(Count(), 2);
}

}  // namespace
