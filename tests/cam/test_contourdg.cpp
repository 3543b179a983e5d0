// The contour dialog as CONTOUR shows it: the proposed name, the depth controls, the
// 3D corner box, the layer proposal of one-layer-per-operation mode and the tool group.
#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"

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

TEST_F(ContourDgTest, LayerWithoutToolDistanceSaysSo) {
    Glob.Tool[1].ToolType = -1;
    Look([](TContourDialog& D) { EXPECT_EQ(D.LabDistFromOrig->Caption, "Špatně zadaný nástroj!"); });
    SetTool(1, 2);
    Look([](TContourDialog& D) { EXPECT_EQ(D.LabDistFromOrig->Caption, "Odstup: " + GeneralNumText(1) + "mm"); });
}

}  // namespace
