// The Sinumerik export dialog on EXPORT's road: tool calls at the start of a name move
// into the tool's numbers once, the grid lists the layers to be cut with a colour
// change at every tool change, the setup sheet lists exactly the grid's rows, and the
// choices reach the program.
#include <gtest/gtest.h>

#include <sstream>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "output/SinumericDg.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "support/CmdTest.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

class SinumericDgTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        InitMaterial();
        InitToolLib();
        InitTool();
        InitToolType();
        Glob.SpolParObr.PrejezdNadMat = 5.5L;
        Glob.SpolParObr.PrejezdNadUpin = 10;
        Glob.SpolParObr.RozmerPolot = "100x50x10";
        // Listed: 1 (its call in its name), 2, 3 (the call of 1 again). Not listed: 4 without
        // numbers, 5 hidden, 6 of a lathe tool type, 7 empty.
        const struct {
            const char* Name;
            int T, D, Type;
            bool Show;
        } Tools[] = {{"T10D4 jemná", 0, 0, 1, true}, {"hrubá", 3, 1, 1, true}, {"jemná", 10, 4, 1, true},
                     {"bez čísla", 0, 0, 1, true}, {"skrytá", 5, 1, 1, false}, {"soustružnický", 6, 1, 3, true},
                     {"prázdná", 7, 1, 1, true}};
        for (int La = 1; La <= 7; ++La) {
            TTool& T = Glob.Tool[La];
            T.JmNastroje = Tools[La - 1].Name;
            T.Tnum = Tools[La - 1].T;
            T.Dnum = Tools[La - 1].D;
            T.ToolType = Tools[La - 1].Type;
            T.Pruchod.fill(TPruchod{-1, -1, 10, 12000});
            T.Pruchod[1] = TPruchod{2.5L, 1, 10, 12000};
            T.Obrob = CelyPruchod;
            Glob.TabLayer[La].Show = Tools[La - 1].Show;
            if (La != 7) AddLine(Osy{0, Extended(La)}, Osy{10, Extended(La)}, false)->Layer = uint8_t(La);
        }
        Glob.Tool[3].Pruchod[1].Hloubka = 1;
        Glob.Tool[3].Pruchod[3] = TPruchod{1.5L, 1, 10, 12000};  // after an empty row
    }
    static std::vector<std::string> Lines(const std::string& Text) {
        std::vector<std::string> out;
        std::stringstream ss(Text);
        std::string l;
        while (std::getline(ss, l)) out.push_back(l.substr(0, l.find('\r')));
        return out;
    }
    static bool Logged(const std::string& Text) {
        for (const std::string& l : TCmdHarness::LogTexts())
            if (l == Text) return true;
        return false;
    }
};

TEST_F(SinumericDgTest, ExportListsTheLayersWritesTheSheetAndTheChosenWords) {
    TScriptResponder R;
    R.ExpectSave(InDir("DESKA.mpf"));
    R.ExpectModal("SinumericDialog", [&](TForm& F) {
        auto& D = static_cast<TSinumericDialog&>(F);
        EXPECT_EQ(D.DrawGrid->RowCount(), 4);
        const std::vector<std::string> calls{D.DrawGrid->Cells[2][1], D.DrawGrid->Cells[2][2], D.DrawGrid->Cells[2][3]};
        EXPECT_EQ(calls, (std::vector<std::string>{"T10D4 jemná", "T3D1 hrubá", "T10D4 jemná"}));
        EXPECT_EQ(D.DrawGrid->CellColors[1][1], 0x00FFFFu);
        EXPECT_EQ(D.DrawGrid->CellColors[1][2], 0x008000u);
        EXPECT_EQ(D.DrawGrid->CellColors[1][3], 0x00FFFFu);
        D.RBtnG55->Click();
        D.ChBoxLineCount->Click();
        D.EditInkrement->TypeText("5");
        D.BtnSave->Click();
        D.ClickButton("BitBtnOK");
        return mrOk;
    });
    R.ExpectSave(InDir("navodka.txt"));
    R.ExpectModal("ErrorDialog", mrOk);  // layer 4 has no tool call
    H->Enter("EXPORT");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Glob.Tool[1].JmNastroje, "jemná");
    EXPECT_EQ(Glob.Tool[1].Tnum, 10);
    EXPECT_EQ(Glob.Tool[1].Dnum, 4);

    const std::vector<std::string> sheet = Lines(Cp1250ToUtf8(ReadFile(InDir("navodka.txt"))));
    const std::vector<std::string> expected{
        "                          NAVODKA",
        "",
        "Soubor:    navodka.txt",
        "Dne:       " + ShortDateText(),
        "Kestrilon: 2.5 beta 6",
        "",
        "Hlad. Nastroj                        Hloubka Zapich Posuv Otacky  Poznamka",
        "",
        "T1   T10D4 jemná" + std::string(23, ' ') + "2.500   1.0   10.0  12000   ",
        "",
        "",
        "T2   T3D1 hrubá" + std::string(23, ' ') + "2.500   1.0   10.0  12000   ",
        "",
        "",
        "T3   T10D4 jemná" + std::string(23, ' ') + "1.000   1.0   10.0  12000   ",
        std::string(35, ' ') + "   1.500   1.0   10.0  12000",
        "",
        "",
        "Prejezd nad materialem: 5" + std::string(1, CfgDecimalSeparator()) + "50",
    };
    ASSERT_GE(sheet.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(sheet[i], expected[i]) << i;
    EXPECT_EQ(sheet.back(), "Poznamka:            ");
    EXPECT_TRUE(Logged("Usr:Gen repor"));
    EXPECT_TRUE(Logged("Sys:Save report file:DESKA"));
    EXPECT_TRUE(Logged("Sys:SinumericOutDg Close (Offset:G55 BlockNum:true NumIncr:5 ProgStopEveryLa:false "
                       "ProgStopMode: PathMode:Auto)"));

    const std::string mpf = Cp1250ToUtf8(ReadFile(InDir("DESKA.mpf")));
    EXPECT_NE(mpf.find("\r\nN25 G55\r\n"), std::string::npos) << mpf;
    EXPECT_NE(mpf.find(" T10 D4 ;jemná,"), std::string::npos);
    EXPECT_NE(mpf.find(" T3 D1 ;hrubá,"), std::string::npos);

    // A second showing changes no tool; cancelling the sheet's file choice writes nothing.
    const TTool before = Glob.Tool[1];
    std::remove(InDir("navodka.txt").c_str());
    R.ExpectSave(InDir("DESKA.mpf"));
    R.ExpectMessage(mrOk, "Přepsat");
    R.ExpectModal("SinumericDialog", [](TForm& F) {
        static_cast<TSinumericDialog&>(F).BtnSave->Click();
        return mrCancel;
    });
    R.ExpectSave("");
    H->Enter("EXPORT");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Glob.Tool[1], before);
    EXPECT_FALSE(TextFileExists(InDir("navodka.txt")));
}

}  // namespace
