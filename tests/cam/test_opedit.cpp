// OPEDIT, OPDELETE, the operation picker and the operations panel.
#include <cmath>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "cam/SelOpsDg.h"
#include "core/Glob.h"
#include "shell/LayPanel.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/OpsPanel.h"
#include "shell/UniLang.h"

namespace {

class OpEditTest : public ContourTest {
protected:
    // Operations of the given types after the existing ones, named "Op<n>".
    static void AddOps(const std::vector<int>& Types, const std::vector<int>& Masters) {
        for (size_t k = 0; k < Types.size(); ++k) {
            TCamOp& Op = OpList.Cam[OpList.CamCnt];
            Op.OpType = Types[k];
            Op.MasterOp = Masters[k];
            Op.Name = "Op" + std::to_string(OpList.CamCnt);
            Op.Status = 0;
            ++OpList.CamCnt;
        }
    }
};

TEST_F(OpEditTest, EditShowsTheStoredValuesAndRebuildsIntoTheSameRecord) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("in", "0.5");
    TObjHeader* OldPath = Childs(0)[0];
    OpList.Cam[0].Status = 1;
    // Cancel: the paths stay and so does the status.
    R->ExpectModal("ContourDialog", [](TForm& F) {
        EXPECT_EQ(F.Find<TControl>("EditPridavek")->Text, "0.5");
        EXPECT_TRUE(F.Find<TControl>("RBtnInside")->Checked);
        EXPECT_EQ(F.Find<TControl>("EditOpConName")->Text, "Kontura1");
        return mrCancel;
    });
    Sq->Flags |= FlagSelected;
    Run({"OPEDIT", ""});
    EXPECT_EQ(Childs(0), std::vector<TObjHeader*>{OldPath});
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Index, -1);
    EXPECT_FALSE(Glob.OpEdit);

    // OK with the other side: the same record, new paths, the sources kept.
    R->ExpectModal("ContourDialog", [](TForm& F) {
        F.Find<TControl>("RBtnOutside")->Click();
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    Sq->Flags |= FlagSelected;
    Run({"OPEDIT", ""});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    EXPECT_TRUE(OpList.Cam[0].Outside);
    EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{Sq});
    ASSERT_EQ(Childs(0).size(), 1u);
    EXPECT_NEAR(double(std::fabs(PathArea(Childs(0)[0]))), double(ClipperOffsetArea(Sq, 1.5)), 1e-3);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);
    EXPECT_EQ(MainVars.LastCom, "OPEDIT");
    EXPECT_TRUE(R->Done());
}

TEST_F(OpEditTest, PickerListsTheOperationsOfTheObjectAndEditsTheChosenOne) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    Sq->Flags |= FlagSelected;
    ContourSide("in");
    ASSERT_EQ(OpList.CamCnt, 2);
    R->ExpectModal("SelOpsDialog", [](TForm& F) {
        auto* D = static_cast<TSelOpsDialog*>(&F);
        EXPECT_EQ(D->ListBoxOps->Items, (std::vector<std::string>{"Kontura1", "Kontura2"}));
        EXPECT_FALSE(D->SbtnOk->Enabled);
        D->ListBoxOps->ChooseItem(1);
        EXPECT_TRUE(D->SbtnOk->Enabled);
        D->ListBoxOps->HotIndex = 0;
        D->ListBoxOps->OnMouseMove(0, 0, 0);
        EXPECT_EQ(OpList.LastHintIndex, 0);
        EXPECT_EQ(D->ListBoxOps->Hint, StrOpStatus[0]);
        F.ClickButton("SbtnOk");
        return mrOk;
    });
    R->ExpectModal("ContourDialog", [](TForm& F) {
        EXPECT_EQ(F.Find<TControl>("EditOpConName")->Text, "Kontura2");
        return mrCancel;
    });
    Sq->Flags |= FlagSelected;
    Run({"OPEDIT", ""});
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Yes"));
    EXPECT_TRUE(R->Done());
}

TEST_F(OpEditTest, NothingChosenSaysSo) {
    for (const char* Cmd : {"OPEDIT", "OPDELETE"}) {
        R->ExpectMessage(mrOk, Msg[85]);
        Run({Cmd, ""});
    }
    EXPECT_TRUE(TCmdHarness::LogHas("Err:CamOpEdit FAILED, no op selected"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:CamOpDelete FAILED, no op selected"));
    EXPECT_TRUE(R->Done());
}

TEST_F(OpEditTest, DeletingAPocketTakesItsSubOperationsAndPaths) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");  // operation 0, moved to the end below
    AddOps({OpTypePocket, OpTypePocketRough, OpTypePocketFin}, {-1, 1, 1});
    // A path of the roughing sub-operation.
    TObjHeader* Rough = AddLine({1, 1}, {2, 2}, false);
    CamOpAddChild(Rough, 2);
    Glob.OpShowContours = Glob.OpShowPockets = Glob.OpShowSurfaces = true;
    H->Form().CamOpsToPanel();
    ASSERT_EQ(H->Form().ListBoxOps->Items, (std::vector<std::string>{"Kontura1", "Op1"}));
    H->Form().ListBoxOps->ChooseItem(1);
    EXPECT_EQ(OpList.Index, 1);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Select Op (OpNum:1 OpName:Op1, ItemIndex:1, SubOpsCnt:2)"));
    Run({"OPDELETE"});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].Name, "Kontura1");
    EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{Sq});
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);  // the square and the contour's path
    EXPECT_EQ(H->Form().ListBoxOps->Items, std::vector<std::string>{"Kontura1"});
}

// One layer per operation: deleting the operation of layer 1 takes the next
// operation's paths and tool down to layer 1, and its regeneration stays there.
TEST_F(OpEditTest, DeletingAnOperationTakesTheNextOperationsPathsDownALayer) {
    Glob.AutoLayNum = Glob.AutoApplyToolOpen = Glob.AutoRegen = true;
    Glob.TabLayer[65].Show = true;
    SetTool(2, 4);
    const int TID2 = Glob.Tool[2].TID = 77;
    std::vector<TObjHeader*> Src;
    for (int k = 0; k < 2; ++k) {
        Src.push_back(AddRect({k * 50.0L, 0}, {k * 50.0L + 10, 10}, true));
        Src.back()->Layer = 65;  // the sources on a drawing layer
        // The second operation gets another depth and with it the next layer.
        Contour([k](TForm& F) {
            F.Find<TControl>("RBtnOutside")->Click();
            if (k == 1) F.Find<TEdit>("EditDepth")->TypeText("0.5");
        });
    }
    ASSERT_EQ(OpList.CamCnt, 2);
    ASSERT_EQ(OpList.Cam[1].La1, 2);
    EXPECT_EQ(Childs(1)[0]->Layer, 2);
    H->Form().ListBoxOps->ChooseItem(0);
    Run({"OPDELETE"});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].La1, 1);
    EXPECT_EQ(Glob.Tool[1].TID, TID2);
    EXPECT_EQ(OpList.LastLa, 1);
    ASSERT_EQ(Childs(0).size(), 1u);
    EXPECT_EQ(Childs(0)[0]->Layer, 1);
    EXPECT_EQ(Src[1]->Layer, 65);
    Src[1]->Flags |= FlagSelected;
    Run({"MOVE", "", "0 0", "0 20"});
    ASSERT_EQ(Childs(0).size(), 1u);
    EXPECT_EQ(Childs(0)[0]->Layer, 1);
    for (const Osy& Q : SamplePath(Childs(0)[0])) ASSERT_NEAR(double(DistToPath(Src[1], Q)), 2.0, 1e-6);
}

TEST_F(OpEditTest, EmptyListStillShowsTheFilterTicks) {
    TMainForm& F = H->Form();
    Glob.OpShowContours = Glob.OpShowPockets = Glob.OpShowSurfaces = true;
    F.PanelOpsOn();
    F.CamOpsToPanel();
    EXPECT_TRUE(F.ListBoxOps->Items.empty());
    for (const char* N : {"ImChOpKontury", "ImChOpVyplne", "ImChOpPovrchy"}) {
        EXPECT_TRUE(F.FindComponent(N)->Visible) << N;
        EXPECT_EQ(dynamic_cast<TImage&>(*F.FindComponent(N)).PictureFile, LayMarkFile(1)) << N;
    }
    EXPECT_FALSE(F.FindComponent("ImChOpVrtani")->Visible);
}

TEST_F(OpEditTest, PanelFiltersColoursAndHighlight) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    AddOps({OpTypePocket, OpTypePocketRough, OpTypePocketFin, OpTypeSurface}, {-1, 1, 1, -1});
    OpList.Cam[4].Status = 3;
    TMainForm& F = H->Form();
    Glob.OpShowContours = Glob.OpShowPockets = Glob.OpShowSurfaces = true;
    F.PanelOpsOn();
    F.FindComponent("ImChOpKontury")->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);  // contours off
    EXPECT_FALSE(Glob.OpShowContours);
    EXPECT_FALSE(F.FindComponent("ImChOpKontury")->Visible);
    EXPECT_TRUE(F.FindComponent("ImChOpVyplne")->Visible);
    EXPECT_EQ(dynamic_cast<TImage&>(*F.FindComponent("ImChOpVyplne")).PictureFile, LayMarkFile(1));
    ASSERT_EQ(F.ListBoxOps->Items, (std::vector<std::string>{"Op1", "Op4"}));
    EXPECT_EQ(F.ListBoxOps->ItemColors, (std::vector<uint32_t>{0x008000, 0x0000FF}));
    F.ListBoxOps->ChooseItem(1);
    EXPECT_EQ(OpList.Index, 4);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Select Op (OpNum:4 OpName:Op4, ItemIndex:1, SubOpsCnt:0)"));
    // Pointing at a contour row highlights its source; empty space clears it.
    F.FindComponent("ImChOpKontury")->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);
    F.ListBoxOps->HotIndex = 0;
    F.ListBoxOps->OnMouseMove(0, 5, 5);
    EXPECT_EQ(Glob.DrawHighLight, OpTypeContour);
    EXPECT_EQ(HighlightPolysCnt, 1);
    EXPECT_GT(HighlightPolys[0].Cnt, 3);
    F.ListBoxOps->HotIndex = -1;
    F.ListBoxOps->OnMouseMove(0, 5, 500);
    EXPECT_EQ(Glob.DrawHighLight, 0);
    EXPECT_EQ(OpList.LastHintIndex, -1);
    (void)Sq;
}

}  // namespace
