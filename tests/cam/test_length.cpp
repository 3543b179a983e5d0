// STATISTIC: path lengths and machining times per layer, through the program's dialog.
#include <string>
#include <vector>

#include "cam/LenDg.h"
#include "core/Glob.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"
#include "tools/ToolRecords.h"

namespace {

class LengthTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        // One tool on T1: a single 1 mm pass, plunge 1 mm/s, feed 10 mm/s; spindle dwell 2 s.
        TTool& T = Glob.Tool[1];
        for (auto& R : T.Pruchod) R = {-1, -1, 0};
        T.Pruchod[1] = {1, 1, 10};
        T.Obrob = CelyObjekt;
        T.VretTime = 2;
        T.LaserTime = T.ChlazTime = T.OfukTime = 0;
        Glob.SpolParObr.Rychloposuv = 50;
        Glob.SpolParObr.PrejezdNadMat = 5;
    }
    // The grid row of layer La (and the totals row) after STATISTIC, columns 1 3 4 5 6 8.
    std::vector<std::string> Row(int GridRow) {
        TScriptResponder R;
        R.ExpectModal("LengthDialog", mrOk);
        H->Enter("STATISTIC");
        const TStringGrid& G = *LengthDialog->StrGrid;
        std::vector<std::string> Out;
        for (int c : {1, 3, 4, 5, 6, 8}) Out.push_back(G.Cells[size_t(c)][size_t(GridRow)]);
        return Out;
    }
};

using Cells = std::vector<std::string>;

TEST_F(LengthTest, WorkedExampleInBothOrders) {
    EnPline.LineAdd({0, 0}, {100, 0}, 1, MainVars.DataStart, MainVars.DataEnd);
    // Rapids whole object: travel 100 / 50 + (1 x (10 + 1) + back 100) / 50 = 4.22 s.
    EXPECT_EQ(Row(2), (Cells{"100.000", "0.02", "0.17", "0.07", "0.13", "0.39"}));
    EXPECT_EQ(Row(71), (Cells{"100.000", "0.02", "0.17", "0.07", "0.13", "0.39"}));
    EXPECT_EQ(LengthDialog->StrGrid->Cells[0][2], Glob.TabLayer[1].Name);
    // Whole pass: (1 x 11 + travel 100) / 50 = 2.22 s.
    Glob.Tool[1].Obrob = CelyPruchod;
    EXPECT_EQ(Row(2)[3], "0.04");
    EXPECT_TRUE(H->LogHas("Sys:ComLength End"));
}

TEST_F(LengthTest, PassesWithoutPlungeFeedAndLayersWithoutTools) {
    TTool& T = Glob.Tool[1];
    // Rows 1 and 3 plunge at 1 mm/s; row 2 has none (-1): row 3 plunges from row 1's depth.
    T.Pruchod[1] = {1, 1, 0};
    T.Pruchod[2] = {2, -1, 0};
    T.Pruchod[3] = {3, 1, 0};
    T.VretTime = 0;
    Glob.SpolParObr.Rychloposuv = 0;
    EnPline.LineAdd({0, 0}, {10, 0}, 1, MainVars.DataStart, MainVars.DataEnd);
    EnPline.LineAdd({0, 0}, {0, 30}, 66, MainVars.DataStart, MainVars.DataEnd);
    // Plunges: 1 x 1 / 1 + (3 - 1) x 1 / 1 = 3 s.
    EXPECT_EQ(Row(2), (Cells{"10.000", "0.05", "", "", "", "0.05"}));
    // Upin (66) shows its length only; it is in the total length.
    EXPECT_EQ(Row(67), (Cells{"30.000", "", "", "", "", ""}));
    EXPECT_EQ(Row(71), (Cells{"40.000", "0.05", "0.00", "0.00", "0.00", "0.05"}));
}

TEST_F(LengthTest, TextCountsOnceMoreThanItsPolylines) {
    // The program's own start-up, with its stroke font and text style.
    H.reset();
    H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
    Run({"TEXT", "0 0", "IL"});
    ASSERT_TRUE(MainVars.DataStart && MainVars.DataStart->Type == ObjText);
    MainVars.DataStart->Layer = 1;
    TObjHeader *S = nullptr, *E = nullptr;
    const int32_t Polylines = EnText.Explode(MainVars.DataStart, false, S, E);
    FreeObjList(S, E);
    ASSERT_GT(Polylines, 0);
    EXPECT_EQ(LayerStat(1).Count, Polylines + 1);
}

}  // namespace
