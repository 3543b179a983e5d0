// FILLETONE, CHAMFERONE, FILLETALL, CHAMFERALL and FILLETOFFS typed through the
// command line.
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
using Adrs = std::vector<TObjHeader*>;

class ComFilletTest : public CmdTest {
protected:
    void Begin() { StartWithContours(1); }
    static TObjHeader* Rect(Osy A, Osy B, bool Selected = false) { return AddRect(A, B, Selected); }
    static int Arcs(const TObjHeader* p) {
        int n = 0;
        for (int i = 0; i < PlineSegCount(p); ++i) n += PlineSegs(p)[i].Alfa != 0;
        return n;
    }
};

TEST_F(ComFilletTest, FilletOneTreatsOnePickedCornerPerPick) {
    Begin();
    TObjHeader* R = Rect({0, 0}, {20, 20});
    CamOpAddParent(R, 0);
    Mark();
    Run({"FILLETONE", "5", "19.9 0"});
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    TObjHeader* F = MainVars.DataStart;
    EXPECT_NE(F, R);
    EXPECT_EQ(Arcs(F), 1);
    EXPECT_EQ(OpList.Cam[0].Parents[0], F);
    EXPECT_EQ(MainVars.ComCnt, 1);
    const Lines L = NewLog();
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComFillerOne Start"));
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Value:5"));
    EXPECT_TRUE(TCmdHarness::LogHas("Ops:Adding OpNum:0 to regen"));
    EXPECT_EQ(L.back(), "Sys:ComFillerOne End");
    H->Enter("0 19.9");
    EXPECT_EQ(Arcs(MainVars.DataStart), 2);
    H->Esc();
}

TEST_F(ComFilletTest, ChamferOneCutsTheCornerAtTheTangentPoints) {
    Begin();
    Rect({0, 0}, {20, 20});
    Run({"CHAMFERONE", "5", "19.9 0"});
    const TObjHeader* F = MainVars.DataStart;
    EXPECT_EQ(Arcs(F), 0);
    EXPECT_EQ(PlineSegCount(F), 5);
    EXPECT_NEAR(double(EnPline.Length(F)), 70 + 5 * std::sqrt(2.0L), 1e-9);
}

TEST_F(ComFilletTest, BadInputsOfTheOneCornerCommands) {
    const struct {
        Lines Script;
        const char* Err;
    } Cases[] = {
        {{"FILLETONE", "x", "1 1"}, "Err: Wrong value (X)"},
        {{"CHAMFERONE", "2", "x"}, "Err:Wrong pickpoint (X)"},
    };
    for (const auto& C : Cases) {
        Begin();
        Rect({0, 0}, {20, 20});
        Run(C.Script);
        EXPECT_TRUE(TCmdHarness::LogHas(C.Err)) << C.Err;
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_EQ(Arcs(MainVars.DataStart), 0);
        H.reset();
    }
}

TEST_F(ComFilletTest, FilletAllTreatsEverySelectedPolyline) {
    const struct {
        const char* Key;
        const char* Value;
        int Arcs;     // per polyline; -1 unchanged
        const char* Line;
    } Cases[] = {
        {"FILLETALL", "2*3", 4, "Sys:ComFillerAll End"},
        {"CHAMFERALL", "1", 0, "Sys:ComChamferAll End"},
        {"FILLETALL", "x", -1, "Sys:Wrong fillet radius"},
        {"CHAMFERALL", "x", -1, "Sys:wrong chamfer len"},
    };
    for (const auto& C : Cases) {
        Begin();
        TObjHeader* A = Rect({0, 0}, {20, 20}, true);
        Rect({30, 0}, {50, 20}, true);
        TObjHeader* Off = Rect({60, 0}, {80, 20});
        CamOpAddParent(A, 0);
        Mark();
        Run({C.Key, C.Value, ""});
        EXPECT_TRUE(TCmdHarness::LogHas(C.Line)) << C.Key;
        if (C.Arcs < 0) {
            EXPECT_EQ(MainVars.DataStart, A);
        } else {
            EXPECT_EQ(MainVars.DataStart, Off);
            EXPECT_EQ(Arcs(MainVars.DataEnd), C.Arcs) << C.Key;
            EXPECT_EQ(PlineSegCount(MainVars.DataEnd), 8) << C.Key;
            EXPECT_EQ(OpList.Cam[0].Parents[0], Off->Next);
            EXPECT_EQ(OpList.Cam[0].Status, 1);
        }
        H.reset();
    }
}

TEST_F(ComFilletTest, FilletOffsRoundsCornersAndSwapsTheClimbOfAPath) {
    Begin();
    TObjHeader* R = Rect({0, 0}, {20, 20}, true);
    R->Layer = 5;
    CamOpAddChild(R, 0);
    OpList.Cam[0].Sousledne = false;
    Run({"FILLETOFFS", "2", ""});
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    TObjHeader* F = MainVars.DataStart;
    EXPECT_NE(F, R);
    EXPECT_EQ(F->Layer, 5);
    EXPECT_EQ(Arcs(F), 4);
    Osy Min, Max;
    EnPline.Envelope(F, Min, Max);
    EXPECT_NEAR(double(Max.x - Min.x), 20, 1e-6);
    EXPECT_EQ(OpList.Cam[0].Childs[0], F);
    EXPECT_TRUE(OpList.Cam[0].Sousledne);
    EXPECT_EQ(OpList.Cam[0].Status, 4);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComFilletOffset End"));
}

TEST_F(ComFilletTest, FilletOffsLeavesAPolylineThatAPassLoses) {
    Begin();
    TObjHeader* R = Rect({0, 0}, {20, 4}, true);
    Run({"FILLETOFFS", "3", ""});
    EXPECT_EQ(MainVars.DataStart, R);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
}

}  // namespace
