// WELD, DIVIDE and MARK typed through the command line.
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

class ComWeldTest : public CmdTest {
protected:
    void Begin() { StartWithContours(1); }
    static TObjHeader* Rect(Osy A, Osy B) { return AddRect(A, B, true); }
    static TObjHeader* Line(Osy S, Osy E) { return AddLine(S, E, true); }
};

TEST_F(ComWeldTest, WeldOfTwoOverlappingRectanglesIsOneOutline) {
    Begin();
    Rect({0, 0}, {10, 10});
    Rect({5, 5}, {15, 15});
    Run({"WELD", ""});
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    EXPECT_NEAR(double(EnPline.Length(MainVars.DataStart)), 60, 1e-9);
    EXPECT_FALSE(EnPline.OpenPline(MainVars.DataStart));
    EXPECT_EQ(NewLog().back(), "Sys:ComWeld End");
}

TEST_F(ComWeldTest, WeldLeavesOpenPolylinesAloneAndSaysSo) {
    Begin();
    EnPline.CircleAdd({0, 0}, 5, 1, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* Circle = MainVars.DataEnd;
    Circle->Flags |= FlagSelected;
    TObjHeader* Crossing = Line({-10, 0}, {10, 0});
    Run({"WELD", ""});
    ASSERT_EQ(CountObjs(MainVars.DataStart), 2);
    Osy C;
    Extended R = 0;
    const TObjHeader* Welded = MainVars.DataStart == Crossing ? MainVars.DataEnd : MainVars.DataStart;
    EXPECT_TRUE(EnPline.IsCircle(Welded, C, R));
    EXPECT_NEAR(double(R), 5, 1e-9);
    EXPECT_TRUE(EnPline.OpenPline(Crossing));
    EXPECT_EQ(PlineSegCount(Crossing), 1);
    EXPECT_NEAR(double(EnPline.Length(Crossing)), 20, 1e-9);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Open polylines not welded (1)"));
    ASSERT_FALSE(H->Responder().Shown.empty());
    EXPECT_EQ(H->Responder().Shown.back(), "message:Jsou vybrány otevřené objekty -> OK");
}

TEST_F(ComWeldTest, WeldRefusesAPolylineAnOperationUses) {
    Begin();
    TObjHeader* A = Rect({0, 0}, {10, 10});
    TObjHeader* B = Rect({5, 5}, {15, 15});
    TObjHeader* C = Rect({8, 8}, {20, 20});
    CamOpAddParent(B, 0);
    Run({"WELD", ""});
    EXPECT_EQ(Drawing(), (Adrs{B, C, A}));  // the first came back at the end
    ASSERT_FALSE(H->Responder().Shown.empty());
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(NewLog().back(), "Sys:ComWeld End");
}

TEST_F(ComWeldTest, DivideSplitsCrossingsAndTakesTheSourcesOutOfTheirOperations) {
    Begin();
    TObjHeader* A = Line({0, 5}, {10, 5});
    Line({5, 0}, {5, 10});
    CamOpAddParent(A, 0);
    Run({"DIVIDE", ""});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 4u);
    for (TObjHeader* p : D) {
        EXPECT_NEAR(double(EnPline.Length(p)), 5, 1e-9);
        EXPECT_FALSE(p->Flags & FlagSelected);
    }
    EXPECT_EQ(OpList.Cam[0].ParCnt, 0);
    EXPECT_EQ(OpList.Cam[0].Status, 1);  // AutoRegen off
    EXPECT_EQ(NewLog().back(), "Sys:ComDivide End");
}

TEST_F(ComWeldTest, DivideOfAFigureEightGivesItsLoops) {
    Begin();
    TObjHeader* S = AllocObj(PlineSizeFor(4), ObjPline);
    S->Layer = 1;
    AsPline(S)->S = {0, 0};
    const Osy Pts[] = {{10, 10}, {10, 0}, {0, 10}, {0, 0}};
    for (int i = 0; i < 4; ++i) PlineSegs(S)[i] = {0, Pts[i]};
    S->Flags |= FlagSelected;
    AppendObj(S, MainVars.DataStart, MainVars.DataEnd);
    const Extended Total = EnPline.Length(S);
    Run({"DIVIDE", ""});
    // The loop away from the start is one closed polyline; the pieces together are the
    // whole path and none crosses itself.
    Extended Sum = 0;
    int Closed = 0;
    for (TObjHeader* p : Drawing()) {
        Sum += EnPline.Length(p);
        Closed += !EnPline.OpenPline(p);
        TSelfCross X;
        EXPECT_EQ(EnPline.SelfCross(p, X), 0);
    }
    EXPECT_GE(CountObjs(MainVars.DataStart), 2);
    EXPECT_GE(Closed, 1);
    EXPECT_NEAR(double(Sum), double(Total), 1e-9);
}

TEST_F(ComWeldTest, MarkCountsRoundHalfToEven) {
    const struct {
        const char* Count;
        const char* Log;
        int Points;  // -1: nothing added
    } Cases[] = {
        {"5", "Usr:Count:5", 5}, {"2", "Usr:Count:2", -1},       {"4.5", "Usr:Count:4", 4},
        {"5.5", "Usr:Count:5", 6}, {"x", "Err:Wrong count (X)", -1}, {"1e12", "Err:Wrong count (1E12)", -1},
    };
    for (const auto& C : Cases) {
        Begin();
        Line({0, 0}, {100, 0});
        Run({"MARK", C.Count, ""});
        EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Count;
        if (C.Points < 0) {
            EXPECT_EQ(CountObjs(MainVars.DataStart), 1) << C.Count;
        } else {
            ASSERT_EQ(CountObjs(MainVars.DataStart), 2) << C.Count;
            TObjHeader* G = MainVars.DataEnd;
            ASSERT_EQ(G->Type, ObjGroup);
            EXPECT_EQ(AsGroup(G)->Count, C.Points) << C.Count;
            if (C.Points == 5) {
                const TObjHeader* m = AsGroup(G)->First;
                for (int i = 0; i < 5 && m; ++i, m = m->Next)
                    EXPECT_NEAR(double(static_cast<const TPointRec*>(m)->S.x), 25.0 * i, 1e-9);
            }
        }
        EXPECT_EQ(NewLog().back(), "Sys:ComMark End");
        H.reset();
    }
}

}  // namespace
