// The short-contour and circle-centre marking modules, opened from the "Speciál" menu
// and confirmed with their own OK buttons, on drawings made through the command line.
#include <cmath>

#include "commands/Pelmora.h"
#include "commands/VUZ.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "platform/ScriptResponder.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdTest.h"

namespace {

class SpecMarkingTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        // The selection windows below are not on the snap raster.
        if (H->Form().MenuItem("SnapOnMnu")->Checked) H->Form().MenuItem("SnapOnMnu")->Click();
        // Drawing on tool layer T4, shown and pickable.
        Glob.TabLayer[4].Show = true;
        Glob.LayerDraw = 4;
    }
    // Opens the module from its menu item; Script fills the dialog and clicks its OK.
    void RunModule(const char* Item, const char* Form, TScriptResponder::TModalScript Script,
                   TScriptResponder& R) {
        R.ExpectModal(Form, std::move(Script));
        H->Form().MenuItem(Item)->Click();
    }
    // Wraps the objects inside the window into a group.
    void GroupWindow(Extended X1, Extended Y1, Extended X2, Extended Y2) {
        H->Enter("GROUP");
        H->Drag(X1, Y1, X2, Y2);
        H->Enter("");
    }
    static std::vector<TObjHeader*> Points() {
        std::vector<TObjHeader*> P;
        for (TObjHeader* p : Drawing())
            if (p->Type == ObjPoint) P.push_back(p);
        return P;
    }
};

TEST_F(SpecMarkingTest, ShortClosedPolylinesMoveAndGetACentrePoint) {
    // Perimeters 2 and 2.8 (short), 40 (long), an open line of 1 mm, and a short square in a group.
    Run({"RECTANGLE", "10 10", "10.5 10.5"});
    Run({"RECTANGLE", "20 20", "20.7 20.7"});
    Run({"RECTANGLE", "30 30", "40 40"});
    Run({"LINE", "50 50", "51 50", ""});
    Run({"RECTANGLE", "60 60", "60.5 60.5"});
    GroupWindow(59, 59, 62, 62);
    const uint8_t Was = MainVars.DataStart->Layer;
    ASSERT_EQ(Was, 4);
    TScriptResponder R;
    RunModule("SpecPelmoraMnu", "PelmoraDialog", [](TForm& F) {
        F.Find<TEdit>("EditDestLayer")->Text = "t1";  // found in any letter case
        F.Find<TBitBtn>("BitBtnOK")->Click();
        return mrOk;
    }, R);
    EXPECT_TRUE(R.Done());
    const std::vector<TObjHeader*> D = Drawing();
    ASSERT_EQ(D.size(), 7u) << ::testing::PrintToString(H->DumpLines());
    EXPECT_EQ(D[0]->Layer, 1);
    EXPECT_EQ(D[1]->Layer, 1);
    EXPECT_EQ(D[2]->Layer, Was);
    EXPECT_EQ(D[3]->Layer, Was);
    EXPECT_EQ(D[4]->Type, ObjGroup);
    EXPECT_EQ(AsGroup(D[4])->First->Layer, Was);
    const std::vector<TObjHeader*> P = Points();
    ASSERT_EQ(P.size(), 2u);
    const Osy Want[] = {{10.25L, 10.25L}, {20.35L, 20.35L}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(P[i]->Layer, 2);
        EXPECT_NEAR(double(AsPoint(P[i])->S.x), double(Want[i].x), 1e-9);
        EXPECT_NEAR(double(AsPoint(P[i])->S.y), double(Want[i].y), 1e-9);
    }
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
}

TEST_F(SpecMarkingTest, ShortContourInputsRefusedChangeNothing) {
    const struct {
        const char* Dest;
        const char* Point;
        const char* Len;
        int Msg;
    } Cases[] = {
        {"T17", "T2", "3", 55},   // beyond the first sixteen layers
        {"T1", "Orig", "3", 55},  // a special layer
        {"T1", "T2", "tři", 56},
    };
    Run({"RECTANGLE", "10 10", "10.5 10.5"});
    const uint8_t Was = MainVars.DataStart->Layer;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Dest + std::string("/") + C.Point + "/" + C.Len);
        TScriptResponder R;
        R.ExpectModal("PelmoraDialog", [&](TForm& F) {
            F.Find<TEdit>("EditDestLayer")->Text = C.Dest;
            F.Find<TEdit>("EditPointLayer")->Text = C.Point;
            F.Find<TEdit>("EditMaxLen")->Text = C.Len;
            F.Find<TBitBtn>("BitBtnOK")->Click();
            return mrOk;
        });
        R.ExpectMessage(mrOk, MsgText(C.Msg));
        H->Form().MenuItem("SpecPelmoraMnu")->Click();
        EXPECT_TRUE(R.Done());
        ASSERT_EQ(Drawing().size(), 1u);
        EXPECT_EQ(MainVars.DataStart->Layer, Was);
    }
}

TEST_F(SpecMarkingTest, CircleCentresMarkedPerLayerRange) {
    Run({"CIRCLE", "0 0", "1"});      // diameter 2
    Run({"CIRCLE", "10 0", "1.25"});  // 2.5
    Run({"CIRCLE", "20 0", "1.3"});   // 2.6
    Run({"CIRCLE", "30 0", "1"});     // 2, inside a group: ignored
    GroupWindow(28, -2, 32, 2);
    Run({"RECTANGLE", "40 0", "42 2"});
    const std::vector<std::string> Before = H->DumpLines();
    TScriptResponder R;
    RunModule("SpecVuzMnu", "VuzDialog", [](TForm& F) {
        auto* G = F.Find<TStringGrid>("StrGrid");
        EXPECT_EQ(G->Cells[0][3], "T3");
        EXPECT_EQ(G->Cells[1][0], "Min.průměr [mm]");
        G->EditCell(1, 3, "2");
        G->EditCell(2, 3, "2.5");
        G->EditCell(1, 5, "2,5");  // decimal comma
        G->EditCell(2, 5, "3");
        G->EditCell(1, 7, "3");  // minimum above the maximum: skipped
        G->EditCell(2, 7, "1");
        G->EditCell(1, 9, "x");
        G->EditCell(2, 9, "9");
        F.Find<TBitBtn>("BitBtnOK")->Click();
        return mrOk;
    }, R);
    EXPECT_TRUE(R.Done());
    const std::vector<TObjHeader*> P = Points();
    // Row by row, circles in drawing order.
    const struct {
        uint8_t Layer;
        Extended X;
    } Want[] = {{3, 0}, {3, 10}, {5, 10}, {5, 20}};
    ASSERT_EQ(P.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(P[i]->Layer, Want[i].Layer) << i;
        EXPECT_NEAR(double(AsPoint(P[i])->S.x), double(Want[i].X), 1e-9) << i;
        EXPECT_NEAR(double(AsPoint(P[i])->S.y), 0, 1e-9) << i;
    }
    // The circles themselves are as they were.
    const std::vector<std::string> After = H->DumpLines();
    EXPECT_TRUE(std::equal(Before.begin(), Before.end(), After.begin()));
}

}  // namespace
