// EXPORT and IMPORT of G-code typed on the command line: the program is written, the
// user's G-code editor gets it (EXPORT only, with its whole path), and IMPORT brings
// the cut path back onto the tool's layer where it was programmed.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "platform/Programs.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/CmdTest.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

class NcCommandsTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        // The program folder as the program lays it out, with its "Gcode.cfg".
        WriteProgramFolderFiles(Dir());
        Start();
        InitMaterial();
        InitToolLib();
        InitTool();
        InitToolType();
        Glob.TabLayer[1].Show = true;
        for (TToolPlunge& p : Glob.Tool[1].Material.Zapich) {
            p.FeedTime = 2;
            p.FeedPercent = false;
        }
        StartProgram = [this](const std::string& Program, const std::string& Param) {
            Started.push_back(Program + " " + Param);
            return true;
        };
    }
    std::vector<std::string> Started;
};

TEST_F(NcCommandsTest, ExportOpensTheEditorAndImportReadsTheProgramBack) {
    AddLine(Osy{2, 3}, Osy{12, 3}, false);
    Glob.GCodeEd = "gcode-editor";
    TScriptResponder R;
    R.ExpectSave(InDir("prog.nc"));
    H->Enter("EXPORT");
    EXPECT_TRUE(R.Done());
    ASSERT_TRUE(TextFileExists(InDir("prog.nc")));
    EXPECT_EQ(Started, (std::vector<std::string>{"gcode-editor " + InDir("prog.nc")}));

    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    R.ExpectOpen(InDir("prog.nc"));
    // The header's unit and feed-mode words are read past and listed.
    R.ExpectModal("ErrorDialog", mrOk);
    H->Enter("IMPORT");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(TCmdHarness::LogHas("Err:unsuported Gcode (G21)"));
    ASSERT_NE(MainVars.DataStart, nullptr);
    const TObjHeader* p = MainVars.DataStart;
    ASSERT_EQ(p->Type, ObjPline);
    EXPECT_EQ(p->Layer, 1);
    EXPECT_EQ(AsPline(p)->S.x, 2);
    EXPECT_EQ(AsPline(p)->S.y, 3);
    ASSERT_EQ(PlineSegCount(p), 1);
    EXPECT_EQ(PlineSegs(p)[0].E.x, 12);
}

TEST_F(NcCommandsTest, ExportSelWritesWithoutTheEditor) {
    AddLine(Osy{2, 3}, Osy{12, 3}, false);
    AddLine(Osy{2, 8}, Osy{12, 8}, false);
    Glob.GCodeEd = "gcode-editor";
    TScriptResponder R;
    H->Enter("EXPORTSEL");
    H->Drag(1, 2, 13, 4);
    R.ExpectSave(InDir("sel.nc"));
    H->Enter("");
    EXPECT_TRUE(R.Done());
    const std::string text = ReadFile(InDir("sel.nc"));
    EXPECT_NE(text.find("X12.000 Y3.000"), std::string::npos);
    EXPECT_EQ(text.find("Y8.000"), std::string::npos);
    EXPECT_TRUE(Started.empty());
}

}  // namespace
