// OFFSET typed through the command line: inner and outer contours, points, failures,
// the original kept or deleted, and the source link moved to the offset curve.
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/Controls.h"
#include "shell/MainVars.h"
#include "shell/SetDg.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
using Adrs = std::vector<TObjHeader*>;

class ComOffsetTest : public CmdTest {
protected:
    void Begin(bool DeleteOriginal) {
        Start();
        Glob.TabLayer[1].Show = true;
        SetDialog->RbtnOffDel->Checked = DeleteOriginal;
        SetDialog->RbtnOffLeave->Checked = !DeleteOriginal;
        OpList.CamCnt = 1;
        OpList.Cam[0].OpType = OpTypeContour;
        OpList.Cam[0].Status = 0;
    }
    static TObjHeader* Square() {
        EnPline.RectangleAdd({0, 0}, {10, 10}, 1, MainVars.DataStart, MainVars.DataEnd);
        MainVars.DataEnd->Flags |= FlagSelected;
        return MainVars.DataEnd;
    }
    static Adrs Drawing() {
        Adrs A;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) A.push_back(p);
        return A;
    }
};

TEST_F(ComOffsetTest, SquareInsideAndOutside) {
    const struct {
        const char* Side;
        Extended MinX, MaxX;
        bool Arcs;
    } Cases[] = {{"5 5", 2, 8, false}, {"20 20", -2, 12, true}};
    for (const auto& C : Cases) {
        Begin(false);
        TObjHeader* Sq = Square();
        Mark();
        Run({"OFFSET", "2", "", C.Side});
        const Adrs D = Drawing();
        ASSERT_EQ(D.size(), 2u) << C.Side;
        EXPECT_EQ(D[0], Sq);
        Osy Min, Max;
        EnPline.Envelope(D[1], Min, Max);
        EXPECT_NEAR(double(Min.x), double(C.MinX), 1e-9) << C.Side;
        EXPECT_NEAR(double(Max.x), double(C.MaxX), 1e-9) << C.Side;
        EXPECT_EQ(D[1]->Layer, Glob.LayerDraw);
        bool Arc = false;
        for (int i = 0; i < PlineSegCount(D[1]); ++i) Arc |= PlineSegs(D[1])[i].Alfa != 0;
        EXPECT_EQ(Arc, C.Arcs) << C.Side;
        // The distance is kept: the command waits for the next selection.
        EXPECT_EQ(MainVars.ComCnt, 1);
        EXPECT_EQ(NewLog().back(), "Sys:ComOffset End");
        H.reset();
    }
}

TEST_F(ComOffsetTest, PointGivesACircleAndIsDeletedWhenAsked) {
    Begin(true);
    EnPoint.Add({3, 4}, 1, MainVars.DataStart, MainVars.DataEnd);
    MainVars.DataEnd->Flags |= FlagSelected;
    Run({"OFFSET", "3", "", "0 0"});
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    Osy C;
    Extended R = 0;
    ASSERT_TRUE(EnPline.IsCircle(MainVars.DataStart, C, R));
    EXPECT_NEAR(double(R), 3, 1e-9);
    EXPECT_NEAR(double(C.x), 3, 1e-9);
}

TEST_F(ComOffsetTest, AnOffsetThatDoesNotFitIsReportedAndKeepsTheOriginal) {
    // A square too small for the inner offset, and points with no positive radius.
    const struct {
        const char* Dist;
        bool Point;
    } Cases[] = {{"6", false}, {"0", true}, {"-2", true}};
    for (const auto& C : Cases) {
        Begin(true);
        TObjHeader* Orig = nullptr;
        if (C.Point) {
            EnPoint.Add({3, 4}, 1, MainVars.DataStart, MainVars.DataEnd);
            Orig = MainVars.DataEnd;
            Orig->Flags |= FlagSelected;
        } else {
            Orig = Square();
        }
        Run({"OFFSET", C.Dist, "", "5 5"});
        EXPECT_EQ(Drawing(), Adrs{Orig}) << C.Dist;  // kept although deletion was asked for
        EXPECT_TRUE(TCmdHarness::LogHas("Err:Offset did not fit")) << C.Dist;
        if (C.Point)
            EXPECT_TRUE(TCmdHarness::LogHas(std::string("Err:No circle around a point at the distance ") + C.Dist))
                << C.Dist;
        const auto& Shown = H->Responder().Shown;
        ASSERT_FALSE(Shown.empty()) << C.Dist;
        EXPECT_NE(Shown.back().find("1\r\n"), std::string::npos) << Shown.back();
        H.reset();
    }
}

TEST_F(ComOffsetTest, TheOffsetCurveTakesOverTheSourceLink) {
    Begin(false);
    TObjHeader* Sq = Square();
    CamOpAddParent(Sq, 0);
    Run({"OFFSET", "1", "", "5 5"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u);
    const TCamOp& Op = OpList.Cam[0];
    EXPECT_EQ(Adrs(Op.Parents.begin(), Op.Parents.begin() + Op.ParCnt), (Adrs{D[1]}));
    EXPECT_EQ(Op.Status, 1);
    EXPECT_FALSE(TCmdHarness::LogHas("Ops:Adding OpNum:0 to regen"));
}

TEST_F(ComOffsetTest, TheNextSelectionTakesTheSameDistanceAndGroupsAreNotOffset) {
    Begin(false);
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    EnPline.RectangleAdd({50, 50}, {60, 60}, 1, S, E);
    TObjHeader* G = MakeGroup(false, S, E);
    G->Flags |= FlagSelected;
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    CamOpAddParent(G, 0);
    Run({"OFFSET", "2", "", "0 0"});
    EXPECT_EQ(Drawing(), (Adrs{G}));
    EXPECT_EQ(OpList.Cam[0].Parents[0], G);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    TObjHeader* Sq = Square();
    Run({"", "5 5"});  // confirm the selection, then the side: no distance asked
    ASSERT_EQ(CountObjs(MainVars.DataStart), 3);
    Osy Min, Max;
    EnPline.Envelope(MainVars.DataEnd, Min, Max);
    EXPECT_NEAR(double(Max.x - Min.x), 6, 1e-9);
    EXPECT_EQ(MainVars.DataStart->Next, Sq);
    H->Esc();
}

TEST_F(ComOffsetTest, BadDistanceAndEmptySelectionEndQuietly) {
    const Lines Scripts[] = {{"OFFSET", "x"}, {"OFFSET", "2", ""}};
    for (const Lines& S : Scripts) {
        Begin(false);
        EnPline.RectangleAdd({0, 0}, {10, 10}, 1, MainVars.DataStart, MainVars.DataEnd);
        Mark();
        Run(S);
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
        EXPECT_EQ(NewLog().back(), "Sys:ComOffset End");
        H.reset();
    }
}

}  // namespace
