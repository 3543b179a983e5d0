// ADDCHAR through the command line: a character drawn on the "Orig" layer becomes a
// shape of FONT/Font.shp that a text in that font uses after a restart; a font file
// that does not load back is left as it was.
#include <vector>

#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniPline.h"
#include "platform/Controls.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/CmdTest.h"

namespace {

class ComAddCharTest : public CmdTest {
protected:
    void StartProgram() {
        H.reset();
        ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        Mark();
    }
    // An "L" 10 mm high and 6 mm wide on the "Orig" layer, the pen ending 8 mm on.
    void DrawL() {
        Run({"POLYLINE", "0 10", "0 0", "", "6 0", ""});
        H->Esc();
        Run({"POINT", "8 0"});
    }
    std::string Font() {
        std::string B;
        ReadFileBytes(InDir("FONT/Font.shp"), B);
        return B;
    }
};

TEST_F(ComAddCharTest, TheNewCharacterWritesAfterARestart) {
    StartProgram();
    DrawL();
    Run({"ADDCHAR", "A"});  // no number: nothing written
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong char number (A)"));
    EXPECT_FALSE(TextFileExists(InDir("FONT/Font.shp")));
    Run({"ADDCHAR", "64.6"});
    EXPECT_EQ(NewLog().back(), "Sys:ComAddChar End");
    ASSERT_NE(Font().find("*65,"), std::string::npos);

    StartProgram();
    {
        TScriptResponder R;
        R.ExpectModal("TextDialog", [](TForm& F) {
            auto* Grid = F.Find<TStringGrid>("DrawGridFont");
            for (int32_t Row = 0; Row < Grid->RowCount(); ++Row)
                if (Grid->Cells[0][Row] == "FONT") Grid->SelectCell(0, Row);
            F.Find<TEdit>("EditVyska")->TypeText("100");  // one font unit is one millimetre
            F.Find<TEdit>("EditWidthFactor")->TypeText("1");
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("STYLE");
        EXPECT_TRUE(R.Done());
    }
    Run({"TEXT", "100 50", "AA"});
    ASSERT_NE(MainVars.DataStart, nullptr);
    ASSERT_EQ(MainVars.DataStart->Type, ObjText);
    H->Enter("TEXTTOPLINE");
    H->Drag(90, 40, 130, 70);
    H->Enter("");
    // Two L's, the second where the first left the pen.
    std::vector<TObjHeader*> L;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (p->Type == ObjPline) L.push_back(p);
    ASSERT_EQ(L.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(double(AsPline(L[i])->S.x), 100 + 8 * i, 1e-6);
        EXPECT_NEAR(double(AsPline(L[i])->S.y), 60, 1e-6);
        EXPECT_NEAR(double(PlineEndPt(L[i]).x), 106 + 8 * i, 1e-6);
        EXPECT_NEAR(double(PlineEndPt(L[i]).y), 50, 1e-6);
    }
}

TEST_F(ComAddCharTest, AFontThatDoesNotLoadBackStaysAsItWas) {
    StartProgram();
    const std::string Broken = "*1,2,x\r\n2,zz,0\r\n";
    WriteFile("FONT/Font.shp", Broken);
    DrawL();
    TScriptResponder R;
    R.ExpectMessage(mrOk, "Font.shp");
    Run({"ADDCHAR", "66"});
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Font(), Broken);
    EXPECT_EQ(NewLog().back(), "Sys:ComAddChar End");
}

}  // namespace
