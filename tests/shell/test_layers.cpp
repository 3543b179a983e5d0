// The layer table, the three tool-layer operations of the view dialog, the dialog's
// OK, and the layer panel's clicks and buttons.
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/Files.h"
#include "platform/ScriptResponder.h"
#include "shell/LayPanel.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ViewDg.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

class LayerTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir());
        ViewDialog->InitView();
        for (int n = 1; n <= 64; ++n) Glob.Tool[n].JmNastroje = "Tool" + std::to_string(n);
    }
    void TearDown() override {
        H.reset();
        KestrilonTest::TearDown();
    }
    TObjHeader* Line(uint8_t Layer, Extended Y = 0) {
        EnPline.LineAdd({0, Y}, {10, Y}, Layer, MainVars.DataStart, MainVars.DataEnd);
        return MainVars.DataEnd;
    }
    // Layers of the drawing's non-group objects, in list order.
    static std::vector<int> Layers() {
        std::vector<int> L;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) L.push_back(p->Layer);
        return L;
    }
    TMainForm& F() { return H->Form(); }
    std::unique_ptr<TCmdHarness> H;
};

TEST_F(LayerTest, InitViewDefaults) {
    EXPECT_EQ(Glob.TabLayer[1].Name, "T1");
    EXPECT_EQ(Glob.TabLayer[64].Name, "T64");
    const uint32_t Cycle[8] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF, 0xC0C0C0};
    for (int n = 1; n <= 64; ++n) {
        EXPECT_EQ(Glob.TabLayer[n].Color, Cycle[(n - 1) % 8]) << n;
        EXPECT_TRUE(Glob.TabLayer[n].Show);
    }
    EXPECT_EQ(Glob.TabLayer[65].Name, "Mat");
    EXPECT_EQ(Glob.TabLayer[67].Name, "Koty");
    EXPECT_EQ(Glob.LayerDraw, 68);
    EXPECT_EQ(Glob.Direct[dkCCW].Color, 0x0000FFu);
    EXPECT_EQ(Glob.Direct[dkText].Color, 0xFFFF00u);
    EXPECT_TRUE(Glob.Sort.Cisla);
    EXPECT_FALSE(Glob.Sort.Prejezdy);
    EXPECT_EQ(Glob.Sort.SpaceColor, 0xFF00FFu);
    EXPECT_TRUE(H->LogHas("Sys:Init View"));
}

TEST_F(LayerTest, LayerEntries) {
    const std::pair<const char*, int> Cases[] = {{"T1", 1}, {"t7", 7}, {"T64", 64}, {"T07", 0}, {"T0", 0},
                                                 {"T65", 0}, {" T7", 0}, {"T7 ", 0}, {"", 0}, {"7", 0}};
    for (const auto& [In, Out] : Cases) EXPECT_EQ(LayerNumberOf(In), Out) << '"' << In << '"';
}

TEST_F(LayerTest, DeletingT3MovesTheHigherLayersDown) {
    Line(3);
    TObjHeader* On4 = Line(4);
    TObjHeader* On64 = Line(64);
    Glob.Tool[64].JmNastroje = "Last";
    MainVars.FileSaved = true;
    TScriptResponder R;
    R.ExpectModal("InputBoxForm", [](TForm& Fm) {
        Fm.Find<TEdit>("EditValue")->Text = "t3";
        return mrOk;
    });
    R.ExpectMessage(mrYes, "Hladina není prázdná");
    ViewDialog->BtnDeleteClick();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Layers(), (std::vector<int>{3, 63}));
    EXPECT_EQ(MainVars.DataStart, On4);
    EXPECT_EQ(MainVars.DataEnd, On64);
    for (int k = 3; k <= 62; ++k) EXPECT_EQ(Glob.Tool[k].JmNastroje, "Tool" + std::to_string(k + 1));
    EXPECT_EQ(Glob.Tool[63].JmNastroje, "Last");
    EXPECT_EQ(Glob.Tool[64].JmNastroje, "Last");
    EXPECT_FALSE(MainVars.FileSaved);
    EXPECT_TRUE(H->LogHas("Usr:delete layer"));
}

TEST_F(LayerTest, InvalidEntryOrDeclinedWarningChangesNothing) {
    Line(3);
    MainVars.FileSaved = true;
    TScriptResponder R;
    R.ExpectModal("InputBoxForm", [](TForm& Fm) {
        Fm.Find<TEdit>("EditValue")->Text = "T07";
        return mrOk;
    });
    R.ExpectMessage(mrOk, "Neplatná hladina");
    ViewDialog->BtnDeleteClick();
    R.ExpectModal("InputBoxForm", [](TForm& Fm) {
        Fm.Find<TEdit>("EditValue")->Text = "T3";
        return mrOk;
    });
    R.ExpectMessage(mrNo, "Hladina není prázdná");
    ViewDialog->BtnDeleteClick();
    R.ExpectModal("InputBoxForm", mrCancel);
    R.ExpectMessage(mrOk, "Špatná hladina");
    ViewDialog->BtnChangeClick();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Layers(), (std::vector<int>{3}));
    EXPECT_TRUE(MainVars.FileSaved);
    EXPECT_TRUE(H->LogHas("Err:Invalid layer, T0"));
    EXPECT_TRUE(H->LogHas("Err:Invalid layer2, T0"));
}

TEST_F(LayerTest, InsertAndExchange) {
    Line(3);
    Line(63);
    Line(64);
    TScriptResponder R;
    R.ExpectMessage(mrYes, "T64");
    ASSERT_TRUE(ViewDialog->InsertLayer(3));
    EXPECT_EQ(Layers(), (std::vector<int>{4, 64}));
    EXPECT_EQ(Glob.Tool[3].JmNastroje, "Tool3");
    EXPECT_EQ(Glob.Tool[4].JmNastroje, "Tool3");
    EXPECT_EQ(Glob.Tool[64].JmNastroje, "Tool63");
    ViewDialog->ExchangeLayers(4, 64);
    EXPECT_EQ(Layers(), (std::vector<int>{64, 4}));
    EXPECT_EQ(Glob.Tool[4].JmNastroje, "Tool63");
    ViewDialog->ExchangeLayers(5, 5);
    EXPECT_EQ(Layers(), (std::vector<int>{64, 4}));
    EXPECT_TRUE(R.Done());
}

TEST_F(LayerTest, DeletedObjectsLeaveNoOperationLinks) {
    TObjHeader* A = Line(3, 0);
    TObjHeader* B = Line(4, 5);
    InitCamOps();
    OpList.CamCnt = 1;
    TCamOp& Op = OpList.Cam[0];
    Op.La1 = 4;
    Op.Parents[0] = A;
    Op.Parents[1] = B;
    Op.ParCnt = 2;
    Op.Childs[0] = A;
    Op.ChilCnt = 1;
    TScriptResponder R;
    R.ExpectMessage(mrYes, "Hladina není prázdná");
    ASSERT_TRUE(ViewDialog->DeleteLayer(3));
    EXPECT_EQ(Op.ParCnt, 1);
    EXPECT_EQ(Op.Parents[0], B);
    EXPECT_EQ(Op.ChilCnt, 0);
    EXPECT_EQ(Op.La1, 4);  // the operation keeps its layer number
    EXPECT_EQ(B->Layer, 3);
}

TEST_F(LayerTest, OkWritesTheDialogAndTheOpenPageGivesTheMode) {
    TScriptResponder R;
    R.ExpectModal("ViewDialog", [](TForm& Fm) {
        auto& D = static_cast<TViewDialog&>(Fm);
        EXPECT_EQ(D.PageControl1->ActivePageIndex, 0);
        D.ChBox[5]->Checked = false;
        D.RBtn[12]->Click();
        D.PageControl1->ActivePageIndex = 1;  // "Směr"
        D.ClickButton("BitBtnOK");
        return mrOk;
    });
    F().ComLayer();
    EXPECT_TRUE(R.Done());
    EXPECT_FALSE(Glob.TabLayer[5].Show);
    EXPECT_EQ(Glob.LayerDraw, 12);
    EXPECT_EQ(Glob.View, vDir);
    EXPECT_EQ(F().PanelDraw->Caption, "T12");
    EXPECT_TRUE(H->LogHas("Sys:ComLayer End"));
}

TEST_F(LayerTest, LayerInTheMiddleOfACommandCancelsItFirst) {
    H->Enter("LINE");
    ASSERT_EQ(MainVars.ComCnt, 0);
    TScriptResponder R;
    R.ExpectModal("ViewDialog", mrCancel);
    F().MenuItem("LayerMnu")->Click();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(MainVars.Command[0].empty());
    const auto Hist = F().HistoryList();
    ASSERT_FALSE(Hist.empty());
    EXPECT_NE(Hist.back().find(" CANCEL"), std::string::npos);
    EXPECT_TRUE(H->LogHas("Usr:Layer/Dir"));
}

TEST_F(LayerTest, PanelClicksAndButtons) {
    Line(35);
    Glob.ViewHighLayer = true;
    Glob.TabLayer[35].Show = false;
    F().LayerRowMouseDown(TMouseButton::mbLeft, 3);
    EXPECT_EQ(Glob.LayerDraw, 35);
    EXPECT_TRUE(Glob.TabLayer[35].Show);
    EXPECT_TRUE(H->LogHas("Usr:Set active Layer (T35)"));
    EXPECT_EQ(F().Find<TLabel>("LbT3")->Caption, "35");
    EXPECT_EQ(Glob.TabLayer[35].Use, 1);
    EXPECT_TRUE(F().Find<TPanel>("ShDraw2")->Visible);
    F().SpBtnLoHiClick();  // low bank: the active T35 is not shown
    EXPECT_FALSE(F().Find<TPanel>("ShDraw2")->Visible);
    EXPECT_EQ(F().Find<TLabel>("LbT3")->Caption, "3");

    // Right click on a special row only shows the layer.
    Glob.TabLayer[67].Show = false;
    F().LayerRowMouseDown(TMouseButton::mbRight, 67);
    EXPECT_TRUE(Glob.TabLayer[67].Show);
    EXPECT_EQ(Glob.LayerDraw, 35);

    F().SpBtnAllClick();  // first click hides all
    for (int L = 1; L <= 68; ++L) EXPECT_FALSE(Glob.TabLayer[L].Show) << L;
    F().SpBtnAllClick();
    for (int L = 1; L <= 68; ++L) EXPECT_TRUE(Glob.TabLayer[L].Show) << L;
    const TView Start = Glob.View;
    for (int i = 0; i < 5; ++i) F().SpBtnStyleClick();
    EXPECT_EQ(Glob.View, Start);

    // Hover: only a layer with objects shows its hint and highlight.
    F().LayerRowMouseEnter(4);
    EXPECT_FALSE(F().PanelHint->Visible);
    EXPECT_EQ(Glob.DrawHighLight, 0);
    Glob.ViewHighLayer = true;
    F().LayPanelUpdate();
    F().LayerRowMouseEnter(3);
    EXPECT_TRUE(F().PanelHint->Visible);
    EXPECT_EQ(Glob.DrawHighLight, 135);
    F().LayerRowMouseLeave();
    EXPECT_FALSE(F().PanelHint->Visible);
    EXPECT_EQ(Glob.DrawHighLight, 0);
}

TEST_F(LayerTest, PanelAnswersChangeLayer) {
    int Runs = 0;
    ComChangeLayerHook = [&] {
        ++Runs;
        EXPECT_EQ(MainVars.Command[2], "Mat");
        EXPECT_EQ(MainVars.ComCnt, 2);
        MainVars.ComCnt = -1;
    };
    MainVars.Command[0] = "CHANGELAYER";
    MainVars.ComCnt = 1;
    F().ComLine2->Caption = "Hladina>";
    F().LayerRowMouseDown(TMouseButton::mbLeft, 65);
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(F().ComLine1->Caption, "Hladina>Mat");
    EXPECT_EQ(F().ComLine2->Caption, "?>");
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(Glob.LayerDraw, 68);  // not set on this path
    EXPECT_EQ(F().HistoryList().back(), "Hladina>Mat");
}

// A program folder without "Default.cfg": every layer starts shown, so a stock outline
// on "Mat" can be seen and picked.
class FreshFolderLayerTest : public KestrilonTest {};

TEST_F(FreshFolderLayerTest, EveryLayerStartsShownAndPickable) {
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    ASSERT_FALSE(FileExists(Dir() + "/Default.cfg"));
    for (int La = 1; La <= LayerCount; ++La) EXPECT_TRUE(Glob.TabLayer[La].Show) << La;
    EXPECT_NE(Glob.TabLayer[LayerMat].Color, Glob.BackColor);
    EnPline.RectangleAdd({10, 10}, {60, 40}, LayerMat, MainVars.DataStart, MainVars.DataEnd);
    H.Enter("delete");
    H.Pick(35, 10);
    H.Enter();
    EXPECT_EQ(MainVars.DataStart, nullptr);
}

}  // namespace
