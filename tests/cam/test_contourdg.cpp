// The contour dialog as CONTOUR shows it: the proposed name, the depth controls, the
// 3D corner box, the layer proposal of one-layer-per-operation mode and the tool group.
#include <algorithm>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "tools/ToolDg.h"

namespace {

class ContourDgTest : public ContourTest {
protected:
    // CONTOUR of a new square; Look sees the shown dialog, which is then cancelled.
    void Look(const std::function<void(TContourDialog&)>& See) {
        AddRect({X, 0}, {X + 10, 10}, true);
        X += 50;
        R->ExpectModal("ContourDialog", [See](TForm&) {
            See(*ContourDialog);
            return mrCancel;
        });
        Run({"CONTOUR", ""});
        EXPECT_TRUE(R->Done());
    }
    Extended X = 0;
};

TEST_F(ContourDgTest, NameCountsTheContoursAlreadyInTheList) {
    for (int k = 0; k < 2; ++k) {
        AddRect({X, 0}, {X + 10, 10}, true);
        X += 50;
        ContourSide("out");
    }
    ASSERT_EQ(OpList.CamCnt, 2);
    Look([](TContourDialog& D) { EXPECT_EQ(D.EditOpConName->Text, "Kontura3"); });
    EXPECT_EQ(OpList.CamCnt, 2);
}

TEST_F(ContourDgTest, DepthControlsFollowTheToolSetting) {
    Glob.Tool[1].Pruchod[1].Hloubka = 2.5L;
    for (bool Apply : {false, true}) {
        SCOPED_TRACE(Apply);
        Glob.AutoApplyToolOpen = Apply;
        Look([Apply](TContourDialog& D) {
            for (TControl* C : {static_cast<TControl*>(D.LabOpDepth), static_cast<TControl*>(D.EditDepth),
                                static_cast<TControl*>(D.labOpFeed), static_cast<TControl*>(D.EditFeed)})
                EXPECT_EQ(C->Enabled, Apply) << C->Name;
            // The depth is the tool's deepest pass either way.
            EXPECT_EQ(D.EditDepth->Text, GeneralNumText(2.5L));
        });
    }
}

TEST_F(ContourDgTest, UncheckingInsideReversClearsAndDisablesThe3DCorners) {
    Look([](TContourDialog& D) {
        ASSERT_TRUE(D.ChBoxInsideRevers->Checked);
        EXPECT_TRUE(D.ChBox3DCorner->Enabled);
        D.ChBox3DCorner->Checked = true;
        D.ChBoxInsideRevers->Click();
        EXPECT_FALSE(D.ChBoxInsideRevers->Checked);
        EXPECT_FALSE(D.ChBox3DCorner->Checked);
        EXPECT_FALSE(D.ChBox3DCorner->Enabled);
        D.ChBoxInsideRevers->Click();
        EXPECT_TRUE(D.ChBox3DCorner->Enabled);
        EXPECT_FALSE(D.ChBox3DCorner->Checked);
    });
}

// One layer per operation: the last layer already has an operation, so a typed depth
// other than the one shown moves the proposal to the next layer; the shown depth keeps it.
TEST_F(ContourDgTest, ChangedDepthMovesTheProposalToTheNextLayer) {
    Glob.AutoLayNum = true;
    Glob.AutoApplyToolOpen = true;
    AddRect({X, 0}, {X + 10, 10}, true);
    X += 50;
    ContourSide("out");
    ASSERT_EQ(OpList.CamCnt, 1);
    ASSERT_EQ(OpList.LastLa, 1);
    Look([](TContourDialog& D) {
        EXPECT_EQ(D.ContourLa, 1);
        const std::string Shown = D.EditDepth->Text;
        D.EditDepth->TypeText("3");
        EXPECT_EQ(D.ContourLa, 2);
        D.EditDepth->TypeText(Shown);
        EXPECT_EQ(D.ContourLa, 1);
    });
}

// A depth typed for a new operation in one-layer-per-operation mode goes into the
// layer the operation moves to; the layer of the operation before keeps its passes.
TEST_F(ContourDgTest, TypedDepthGoesIntoTheChosenLayerOnly) {
    Glob.AutoLayNum = Glob.AutoApplyToolOpen = true;
    SetTool(2, 2);
    for (int La : {1, 2}) Glob.Tool[La].Material.Tech.Ap = 5;
    AddRect({X, 0}, {X + 10, 10}, true);
    X += 50;
    ContourSide("out");
    AddRect({X, 0}, {X + 10, 10}, true);
    Contour([](TForm& F) { F.Find<TEdit>("EditDepth")->TypeText("3"); });
    ASSERT_EQ(OpList.CamCnt, 2);
    EXPECT_EQ(OpList.Cam[1].La1, 2);
    Extended D1 = 0, D2 = 0;
    ASSERT_TRUE(MaxDepth(1, D1, false) && MaxDepth(2, D2, false));
    EXPECT_EQ(D1, 1);
    EXPECT_EQ(D2, 3);
    EXPECT_EQ(OpList.Cam[0].Depth, 1);
}

// Operations share their layer's tool: a depth typed for another operation on the same
// layer deepens them too, so they take that depth and are regenerated, or marked out of
// date without automatic regeneration.
TEST_F(ContourDgTest, OtherOperationsOfARedepthedLayerGoToTheRegeneration) {
    Glob.AutoApplyToolOpen = true;
    Glob.Tool[1].Material.Tech.Ap = 5;
    for (bool Auto : {false, true}) {
        SCOPED_TRACE(Auto);
        Glob.AutoRegen = Auto;
        SetTool(1, 2);
        const int First = OpList.CamCnt;
        AddRect({X, 0}, {X + 10, 10}, true);
        X += 50;
        ContourSide("out");
        AddRect({X, 0}, {X + 10, 10}, true);
        X += 50;
        Mark();
        Contour([](TForm& F) { F.Find<TEdit>("EditDepth")->TypeText("3"); });
        ASSERT_EQ(OpList.CamCnt, First + 2);
        EXPECT_EQ(OpList.Cam[First].Depth, 3);
        EXPECT_EQ(OpList.Cam[First].Status, Auto ? 0 : 1);
        const std::vector<std::string> L = NewLog();
        const bool Regen = std::find(L.begin(), L.end(), "Ops:Regen ContourOp Start (OpNum:" +
                                                             std::to_string(First) + ")") != L.end();
        EXPECT_EQ(Regen, Auto);
        EXPECT_EQ(OpList.Cam[First + 1].Status, 0);  // the operation just built is current
        EXPECT_EQ(DeadOpLink(), "");
    }
}

TEST_F(ContourDgTest, LayerWithoutToolDistanceSaysSo) {
    Glob.Tool[1].ToolType = -1;
    Look([](TContourDialog& D) { EXPECT_EQ(D.LabDistFromOrig->Caption, "Špatně zadaný nástroj!"); });
    SetTool(1, 2);
    Look([](TContourDialog& D) { EXPECT_EQ(D.LabDistFromOrig->Caption, "Odstup: " + GeneralNumText(1) + "mm"); });
}

}  // namespace
