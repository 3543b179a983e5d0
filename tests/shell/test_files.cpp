// The file commands typed on the command line: SAVEAS, SAVE with its backup, NEW,
// OPEN, IMPORT and EXPORT of the native job file, and the formats this build lacks.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniPoint.h"
#include "cam/CamOpList.h"
#include "formats/SafeFile.h"
#include "formats/UniYDF.h"
#include "shell/UniLang.h"
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
        // Shown, so that a window can pick the points.
        Glob.TabLayer[LayerOrig].Show = true;
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

// NEW and OPEN of an unsaved job answered "save" whose SAVE AS is then cancelled: the
// command stops and the job stays as it was.
TEST_F(FilesTest, CancelledSaveKeepsTheJob) {
    for (const char* command : {"NEW", "OPEN"}) {
        SCOPED_TRACE(command);
        TScriptResponder R;
        R.ExpectMessage(mrYes, "Uložit soubor");
        R.ExpectSave("");
        H->Enter(command);
        EXPECT_TRUE(R.Done());  // no open dialog followed
        EXPECT_EQ(Count(), 2);
        EXPECT_FALSE(MainVars.FileSaved);
    }
}

// Files OPEN cannot read whole are reported; the current job, its title and folder stay.
TEST_F(FilesTest, OpenOfAFileThatCannotBeReadKeepsTheJob) {
    TScriptResponder R;
    R.ExpectSave(InDir("plate"));
    H->Enter("SAVEAS");
    const std::string saved = ReadFile(InDir("plate.ydf"));
    ASSERT_GT(saved.size(), 100u);
    struct TCase {
        std::string Name, Bytes, Said;
    };
    const TCase cases[] = {
        {"drawing.dxf", "0\r\nEOF\r\n", "jen soubor YDF"},
        {"cut.ydf", saved.substr(0, saved.size() - 40), "expected END"},
        {"empty.ydf", "", "line 1: expected OBJECTS"},
        {"garbage.ydf", std::string("\0\xff\x01PK\x03\x04 zip", 11), "expected OBJECTS"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        R.ExpectOpen(WriteFile("other/" + c.Name, c.Bytes));
        R.ExpectMessage(mrOk, c.Said);
        H->Enter("OPEN");
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(Count(), 2);
        EXPECT_EQ(Glob.JmSouboru, "plate");
        EXPECT_EQ(H->Form().Caption, "Kestrilon - plate");
        EXPECT_EQ(Glob.IniDirOpenSave, Dir());
        EXPECT_TRUE(MainVars.FileSaved);
    }
    R.ExpectOpen(InDir("other/missing.ydf"));
    R.ExpectMessage(mrOk, "není dostupný");
    H->Enter("OPEN");
    EXPECT_EQ(Count(), 2);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong extension (.dxf)"));
    EXPECT_TRUE(R.Done());
}

// SAVE AS that writes nothing (overwrite refused, wrong extension) keeps the folder
// of later saves.
TEST_F(FilesTest, SaveAsThatWritesNothingKeepsTheFolder) {
    Glob.JmSouboru = "job";
    Glob.IniDirOpenSave = Dir();
    Glob.SaveBakFiles = false;
    const std::string other = WriteFile("other/job.ydf", "old");
    TScriptResponder R;
    R.ExpectSave(other);
    R.ExpectMessage(mrNo, "Přepsat");
    H->Enter("SAVEAS");
    R.ExpectSave(InDir("other/job.txt"));
    R.ExpectMessage(mrOk, "Chybná přípona");
    H->Enter("SAVEAS");
    EXPECT_EQ(Glob.IniDirOpenSave, Dir());
    H->Enter("SAVE");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(ReadFile(other), "old");
    EXPECT_NE(ReadFile(InDir("job.ydf")).find("ENDOBJECTS"), std::string::npos);
}

// A save that fails (a full disk, a write-protected target) is shown; the job stays
// unsaved under its old title and folder, and the old file is kept.
TEST_F(FilesTest, FailedSaveIsShownAndTheJobStaysUnsaved) {
    const std::string locked = WriteFile("other/locked.ydf", "old");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    struct TCase {
        const char* Name;
        int64_t Free;
        std::string Target;
        int Msg;
    };
    const TCase cases[] = {{"full disk", 0, InDir("other/plate"), 24}, {"write-protected", -2, locked, 25}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Free >= 0) SafeFileDiskFree = [&](const std::string&) { return c.Free; };
        TScriptResponder R;
        R.ExpectSave(c.Target);
        if (c.Target == locked) R.ExpectMessage(mrYes, "Přepsat");
        R.ExpectMessage(mrOk, Msg[c.Msg]);
        H->Enter("SAVEAS");
        EXPECT_FALSE(MainVars.FileSaved);
        EXPECT_EQ(Glob.JmSouboru, "");
        EXPECT_EQ(H->Form().Caption, "Kestrilon");
        EXPECT_NE(Glob.IniDirOpenSave, InDir("other"));
        EXPECT_TRUE(FileHist.empty());
        // The same job saved by name into that folder.
        Glob.JmSouboru = c.Target == locked ? "locked" : "plate";
        Glob.IniDirOpenSave = InDir("other");
        Glob.SaveBakFiles = false;
        R.ExpectMessage(mrOk, Msg[c.Msg]);
        H->Enter("SAVE");
        EXPECT_TRUE(R.Done());
        EXPECT_FALSE(MainVars.FileSaved);
        EXPECT_EQ(ReadFile(locked), "old");
        EXPECT_FALSE(TextFileExists(InDir("other/plate.ydf")));
        Glob.JmSouboru.clear();
        Glob.IniDirOpenSave = Dir();
        ResetSafeFile();
    }
}

// The temporary file of a save that was interrupted is removed by the next save of
// that file; other files are left.
TEST_F(FilesTest, SaveRemovesTheTemporaryFileOfAnInterruptedSave) {
    const std::string stale = WriteFile("job.ydf.tmpAb12Cd", "partial");
    const std::string others[] = {WriteFile("job.ydf.tmpAb12Cd.keep", "x"), WriteFile("jobs.ydf.tmpAb12Cd", "x")};
    Glob.JmSouboru = "job";
    Glob.IniDirOpenSave = Dir();
    H->Enter("SAVE");
    EXPECT_TRUE(MainVars.FileSaved);
    EXPECT_FALSE(TextFileExists(stale));
    for (const std::string& f : others) EXPECT_TRUE(TextFileExists(f)) << f;
}

// A job file imported without its operations links nothing; with them, its links and
// sub-operations name the operations it brought, after the job's own.
TEST_F(FilesTest, ImportedObjectsTakeOnlyTheirOwnOperations) {
    OpList.CamCnt = 2;
    OpList.Cam[0].OpType = OpList.Cam[1].OpType = OpTypeContour;
    TObjHeader* line = AddLine(Osy{0, 0}, Osy{10, 0}, false);
    CamOpAddParent(line, 0);
    CamOpAddChild(line, 1);
    OpList.Cam[1].MasterOp = 0;
    TScriptResponder R;
    R.ExpectSave(InDir("part.ydf"));
    H->Enter("EXPORT");
    for (bool ops : {false, true}) {
        SCOPED_TRACE(ops);
        R.ExpectOpen(InDir("part.ydf"));
        R.ExpectModal("DxfInputDialog", [&](TForm& F) {
            for (const char* box : {"ChBoxTools", "ChBoxCfg", "ChBoxTech", "ChBoxPluns", "ChBoxOuts"})
                F.Find<TCheckBox>(box)->Checked = false;
            F.Find<TCheckBox>("ChBoxOps")->Checked = ops;
            return mrOk;
        });
        H->Enter("IMPORT");
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{line});
        EXPECT_EQ(Childs(1), std::vector<TObjHeader*>{line});
    }
    ASSERT_EQ(Count(), 9);
    ASSERT_EQ(OpList.CamCnt, 4);
    EXPECT_EQ(OpList.Cam[3].MasterOp, 2);
    EXPECT_EQ(Parents(2), std::vector<TObjHeader*>{MainVars.DataEnd});
    EXPECT_EQ(Childs(3), std::vector<TObjHeader*>{MainVars.DataEnd});
}

// Link numbers that name no operation of the file are not taken.
TEST_F(FilesTest, LinksBeyondTheOperationsAreIgnored) {
    InitCamOps();
    const std::string par = "TRUE;FALSE;FALSE;FALSE;FALSE;FALSE;0;0;0;FALSE;FALSE;0;0;0;0;0;FALSE;0;0;0;0;0;0;1;0";
    const std::string file = WriteFile("links.ydf", "CAMOPLIST\n  OpName=A\n  OpMID=-1\n  OpPar=" + par +
                                                        "\nENDCAMOPLIST\nOBJECTS\nPOINT\nOpParrent=1\nOpChild=-1\n"
                                                        "OpChild=0\nStart x=1 y=1\nENDPOINT\nENDOBJECTS\n");
    Osy mn, mx;
    ASSERT_TRUE(LoadYdfFile(file, false, false, mx, mn, false, false, false, true));
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_TRUE(Parents(0).empty());
    EXPECT_EQ(Childs(0), std::vector<TObjHeader*>{MainVars.DataEnd});
    EXPECT_EQ(OpList.Cam[1].ParCnt + OpList.Cam[1].ChilCnt, 0);
}

// The import dialog chooses the landing: the file's zero point or the lower left
// corner of what was read goes to the position typed in the dialog.
TEST_F(FilesTest, ImportPlacesTheObjectsAsTheDialogSays) {
    TScriptResponder R;
    R.ExpectSave(InDir("part.ydf"));
    H->Enter("EXPORT");
    ASSERT_TRUE(TextFileExists(InDir("part.ydf")));
    const struct {
        const char* Radio;
        Osy Last;  // the point read as (5, 6)
    } Cases[] = {
        {"RBtnZeroDxfCoord", {15, 26}},
        {"RBtnLeftBottom", {14, 24}},  // the extents (1, 2)..(5, 6) start at (10, 20)
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Radio);
        const int before = Count();
        R.ExpectOpen(InDir("part.ydf"));
        R.ExpectModal("DxfInputDialog", [&](TForm& F) {
            EXPECT_TRUE(F.Find<TCheckBox>("ChBoxTools")->Visible);
            F.Find<TRadioButton>(C.Radio)->Click();
            F.Find<TEdit>("EditXdest")->Text = "10";
            F.Find<TEdit>("EditYdest")->Text = "15+5";
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("IMPORT");
        ASSERT_EQ(Count(), before + 2);
        EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.x, C.Last.x);
        EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.y, C.Last.y);
        EXPECT_EQ(Glob.Dest.y, 20);
        EXPECT_FALSE(MainVars.FileSaved);
    }
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(TCmdHarness::LogHas("Sys: DxfInDg Close (Xpos:10 Ypos:20 Origin:Down-left)"));
}

// Cancel ends the import without reading; a number that does not parse keeps the
// previous position and still closes with OK.
TEST_F(FilesTest, ImportDialogCancelAndWrongNumber) {
    TScriptResponder R;
    R.ExpectSave(InDir("part.ydf"));
    H->Enter("EXPORT");
    Glob.Dest = Osy{1, 1};
    R.ExpectOpen(InDir("part.ydf"));
    R.ExpectModal("DxfInputDialog", [](TForm& F) {
        F.ClickButton("BitBtnCancel");
        return mrCancel;
    });
    H->Enter("IMPORT");
    EXPECT_EQ(Count(), 2);
    EXPECT_FALSE(TCmdHarness::LogHas("Err:nothing imported"));
    R.ExpectOpen(InDir("part.ydf"));
    R.ExpectModal("DxfInputDialog", [](TForm& F) {
        F.Find<TEdit>("EditXdest")->Text = "abc";
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("IMPORT");
    EXPECT_EQ(Count(), 4);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong number X pos (abc)"));
    EXPECT_EQ(Glob.Dest.x, 1);
    EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.x, 6);
    EXPECT_TRUE(R.Done());
}

// A DXF lands as the dialog says; the tools switch belongs to job files only.
TEST_F(FilesTest, ImportOfADxfPutsItsLowerLeftCornerAtThePosition) {
    const std::string dxf = WriteFile("plate.DXF",
                                      "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\nMILL3\r\n10\r\n-5\r\n20\r\n7\r\n"
                                      "11\r\n15\r\n21\r\n9\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
    TScriptResponder R;
    R.ExpectOpen(dxf);
    R.ExpectModal("DxfInputDialog", [](TForm& F) {
        EXPECT_FALSE(F.Find<TCheckBox>("ChBoxTools")->Visible);
        F.Find<TRadioButton>("RBtnLeftBottom")->Click();
        F.Find<TEdit>("EditXdest")->Text = "10";
        F.Find<TEdit>("EditYdest")->Text = "20";
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("IMPORT");
    EXPECT_TRUE(R.Done());
    ASSERT_EQ(Count(), 3);
    TObjHeader* line = MainVars.DataEnd;
    EXPECT_EQ(line->Layer, 3);
    EXPECT_EQ(AsPline(line)->S.x, 10);
    EXPECT_EQ(AsPline(line)->S.y, 20);
    EXPECT_EQ(PlineSegs(line)[0].E.x, 30);
}

// EXPORT to DXF goes through the export dialog; a window closed without OK writes
// nothing.
TEST_F(FilesTest, ExportToDxfAfterTheDialog) {
    for (int result : {mrCancel, mrOk}) {
        TScriptResponder R;
        R.ExpectSave(InDir("out.dxf"));
        R.ExpectModal("DxfOutDialog", result);
        H->Enter("EXPORT");
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(TextFileExists(InDir("out.dxf")), result == mrOk);
    }
    EXPECT_NE(ReadFile(InDir("out.dxf")).find("AC1006"), std::string::npos);
}

// HPGL out and in through the commands and their dialogs: the plot lands with its
// own zero at the position; PostScript lands with its lower left corner there.
TEST_F(FilesTest, HpglAndPostScriptThroughTheirDialogs) {
    Glob.TabLayer[1].Show = true;
    EnPoint.Add(Osy{3, 4}, 1, MainVars.DataStart, MainVars.DataEnd);
    TScriptResponder R;
    R.ExpectSave(InDir("pts.plt"));
    R.ExpectModal("HPOutputDialog", [](TForm& F) {
        F.Find<TButton>("BtnFillTab")->Click();
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("EXPORT");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(TCmdHarness::LogHas(
        "Sys:HpglOutDg Close (StepInfo:false Arcs:Arc OneFile:true Steps/mm X:80.000 Steps/mm Y:80.000"));
    R.ExpectOpen(InDir("pts.plt"));
    R.ExpectModal("HPInputDialog", [](TForm& F) {
        F.Find<TEdit>("EditXdest")->Text = "100";
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("IMPORT");
    EXPECT_TRUE(R.Done());
    ASSERT_EQ(Count(), 4);
    EXPECT_EQ(MainVars.DataEnd->Layer, 1);
    EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.x, 103);
    EXPECT_EQ(AsPoint(MainVars.DataEnd)->S.y, 4);

    R.ExpectOpen(WriteFile("v.EPS", "%%EndSetup\n36 72 m\n108 72 l\n"));
    R.ExpectModal("EpsInputDialog", [](TForm& F) {
        F.Find<TEdit>("EditXdest")->Text = "-1";
        F.Find<TEdit>("EditYdest")->Text = "2";
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("IMPORT");
    EXPECT_TRUE(R.Done());
    ASSERT_EQ(Count(), 5);
    EXPECT_NEAR(double(AsPline(MainVars.DataEnd)->S.x), -1, 1e-9);
    EXPECT_NEAR(double(PlineSegs(MainVars.DataEnd)[0].E.x), 24.4, 1e-9);
    EXPECT_NEAR(double(PlineSegs(MainVars.DataEnd)[0].E.y), 2, 1e-9);
}

// A name typed without extension takes the chosen filter entry's.
TEST_F(FilesTest, ExportAppendsTheFilterEntrysExtension) {
    struct TPick : TScriptResponder {
        bool SaveDialog(TSaveDialog& D) override {
            D.FileName = Name;
            D.FilterIndex = 1;
            return true;
        }
        std::string Name;
    } R;
    R.Name = InDir("plain");
    H->Enter("EXPORT");
    EXPECT_TRUE(TextFileExists(InDir("plain.ydf")));
}

// Every format the commands name has its row: those of this build work, the others
// answer "not available"; an extension outside the command's list is wrong.
TEST_F(FilesTest, ExtensionsOfNoFormatAreRefused) {
    TScriptResponder R;
    R.ExpectSave(InDir("out.xyz"));
    R.ExpectMessage(mrOk);
    H->Enter("EXPORT");
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong extension (.xyz)"));
    EXPECT_TRUE(R.Done());
    EXPECT_FALSE(TextFileExists(InDir("out.xyz")));
    EXPECT_EQ(Count(), 2);
    // An extension no list holds ends IMPORT silently.
    R.ExpectOpen(WriteFile("in.xyz", "x"));
    H->Enter("IMPORT");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Count(), 2);
}

// EXPORTSEL writes the selected objects only, refuses the two EXPORT-only formats,
// and clears the selection; "P" brings back the previous selection.
TEST_F(FilesTest, ExportSelWritesTheSelection) {
    TScriptResponder R;
    H->Enter("EXPORTSEL");
    H->Drag(0, 0, 3, 4);
    R.ExpectSave(InDir("sel.ydf"));
    H->Enter("");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(MainVars.DataStart->Flags & FlagSelected, 0);
    H->Enter("EXPORTSEL");
    H->Enter("P");
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Select previous"));
    EXPECT_NE(MainVars.DataStart->Flags & FlagSelected, 0);
    R.ExpectSave(InDir("sel.cnc"));
    R.ExpectMessage(mrOk, "Chybná přípona pro export");
    H->Enter("");
    EXPECT_TRUE(R.Done());

    R.ExpectMessage(mrNo);
    H->Enter("NEW");
    R.ExpectOpen(InDir("sel.ydf"));
    R.ExpectModal("DxfInputDialog", [](TForm& F) {
        F.Find<TRadioButton>("RBtnZeroDxfCoord")->Click();
        F.Find<TEdit>("EditXdest")->Text = "0";
        F.Find<TEdit>("EditYdest")->Text = "0";
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("IMPORT");
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(AsPoint(MainVars.DataStart)->S.x, 1);
}

}  // namespace

namespace {

// SAVE AS onto a symbolic link writes the job the link names; the link stays a link.
TEST_F(FilesTest, SaveAsOntoALinkWritesTheJobItNames) {
    AddLine(Osy{0, 0}, Osy{10, 0}, false);
    TScriptResponder R;
    R.ExpectSave(InDir("real.ydf"));
    H->Enter("SAVEAS");
    std::filesystem::create_symlink("real.ydf", InDir("link.ydf"));
    AddLine(Osy{3, 3}, Osy{4, 4}, false);
    MainVars.FileSaved = false;
    R.ExpectSave(InDir("link.ydf"));
    R.ExpectMessage(mrYes);  // the file exists: replace it
    H->Enter("SAVEAS");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(MainVars.FileSaved);
    EXPECT_TRUE(std::filesystem::is_symlink(InDir("link.ydf")));
    EXPECT_NE(ReadFile(InDir("real.ydf")).find("Start x=3.0 y=3.0"), std::string::npos);
}

}  // namespace
