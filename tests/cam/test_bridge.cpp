// BRIDGE: gaps cut into tool paths.
#include <cmath>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

class BridgeTest : public ContourTest {
protected:
    // The ends of the open pieces on layer La.
    static std::vector<Osy> Ends(int La) {
        std::vector<Osy> E;
        for (TObjHeader* p : Drawing())
            if (p->Layer == La && p->Type == ObjPline && !(AsPline(p)->PlineFlags & PlineClosed)) {
                E.push_back(AsPline(p)->S);
                E.push_back(PlineEndPt(p));
            }
        return E;
    }
};

TEST_F(BridgeTest, GapEndsAtHalfTheWidthPlusTheToolRadius) {
    SetTool(1, 3);
    AddRect({0, 0}, {20, 20}, true);
    ContourSide("out");
    ASSERT_EQ(OpList.CamCnt, 1);
    R->ExpectMessage(mrYes, Msg[126] + "Kontura1\r\n" + Msg[127]);
    Run({"BRIDGE", "2", "10 -1.5"});
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_TRUE(H->Form().ListBoxOps->Items.empty());
    EXPECT_EQ(H->Prompt(), Prompt[6]);
    const Osy F{10, -1.5};
    int AtGap = 0;
    for (const Osy& E : Ends(1))
        if (std::fabs(Dist(E, F) - 2.5) < 1e-6) ++AtGap;
    EXPECT_EQ(AtGap, 2);
    for (TObjHeader* p : Drawing())
        if (p->Layer == 1 && !(AsPline(p)->PlineFlags & PlineClosed))
            for (const Osy& Q : SamplePath(p)) EXPECT_GT(Dist(Q, F), 2.5 - 1e-6);
    // Off every path: nothing changes and the next position is asked for.
    const size_t Count = Drawing().size();
    Run({"50 50"});
    EXPECT_EQ(Drawing().size(), Count);
    EXPECT_EQ(H->Prompt(), Prompt[6]);
    // An empty Enter ends the command.
    Run({""});
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong pickpoint (2)"));
    EXPECT_TRUE(R->Done());
}

TEST_F(BridgeTest, NoKeepsTheOperationAndEndsTheCommand) {
    AddRect({0, 0}, {20, 20}, true);
    ContourSide("out");
    R->ExpectMessage(mrNo, Msg[126]);
    Run({"BRIDGE", "2", "10 -1"});
    EXPECT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(Childs(0).size(), 1u);
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:No"));
}

TEST_F(BridgeTest, RemovalKeepsTheLayersOfTheOtherOperations) {
    // Operation 0 on layer 1, operation 1 on layer 2; one-layer-per-operation mode.
    SetTool(2, 2);
    AddRect({0, 0}, {20, 20}, true);
    ContourSide("out");
    Glob.LayerDraw = 2;
    AddRect({50, 0}, {70, 20}, true);
    ContourSide("out");
    Glob.LayerDraw = 1;
    Glob.AutoLayNum = true;
    R->ExpectMessage(mrYes, Msg[126]);
    Run({"BRIDGE", "2", "10 -1"});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].La1, 2);
    EXPECT_EQ(Childs(0)[0]->Layer, 2);
    EXPECT_FALSE(Ends(1).empty());  // the bridged paths stay on their own layer
}

TEST_F(BridgeTest, InvalidWidthEndsAtOnce) {
    Run({"BRIDGE", "x"});
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong pickpoint (X)"));
}

}  // namespace
