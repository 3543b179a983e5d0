// EXPLODE, JOIN, CHANGEDIR and CHANGESTART typed through the command line, with the
// links of machining operations.
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
using Adrs = std::vector<TObjHeader*>;

class ComExplodeTest : public CmdTest {
protected:
    void Begin() { StartWithContours(2); }
    static TObjHeader* Rect(Osy A, Osy B, bool Selected = true) { return AddRect(A, B, Selected); }
    static TObjHeader* Line(Osy S, Osy E, bool Selected = true) { return AddLine(S, E, Selected); }
};

TEST_F(ComExplodeTest, ExplodeGivesPiecesThatTakeTheLinksLastFirst) {
    Begin();
    EnPoint.Add({50, 50}, 1, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* Pt = MainVars.DataEnd;
    Pt->Flags |= FlagSelected;
    TObjHeader* R = Rect({0, 0}, {10, 10});
    TObjHeader* P = Rect({20, 0}, {30, 10});
    CamOpAddParent(R, 0);
    CamOpAddChild(P, 1);
    Run({"EXPLODE", ""});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 9u);
    EXPECT_EQ(D[0], Pt);
    EXPECT_EQ(Parents(0), (Adrs{D[4], D[3], D[2], D[1]}));
    EXPECT_EQ(Childs(1), (Adrs{D[8], D[7], D[6], D[5]}));
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Cam[1].Status, 4);
    EXPECT_FALSE(TCmdHarness::LogHas("Ops:Adding OpNum:0 to regen"));
    EXPECT_EQ(NewLog().back(), "Sys:ComExplode End");
}

TEST_F(ComExplodeTest, JoinCarriesTheLinksOfJoinedPiecesOver) {
    Begin();
    TObjHeader* A = Line({0, 0}, {10, 0});
    TObjHeader* B = Line({10, 0}, {10, 10});
    TObjHeader* C = Line({50, 0}, {60, 0});
    CamOpAddParent(B, 0);
    CamOpAddChild(A, 1);
    CamOpAddParent(C, 1);
    Run({"JOIN", ""});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u);
    EXPECT_EQ(PlineSegCount(D[0]), 2);
    EXPECT_EQ(Parents(0), (Adrs{D[0]}));
    EXPECT_EQ(Childs(1), (Adrs{D[0]}));
    EXPECT_EQ(Parents(1), (Adrs{C}));
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Cam[1].Status, 1);  // queued as C's operation
    for (TObjHeader* p : D) EXPECT_FALSE(p->Flags & FlagSelected);
}

TEST_F(ComExplodeTest, ChangeDirQueuesSourcesAndSwapsTheClimbOfPaths) {
    Begin();
    TObjHeader* S = Line({0, 0}, {10, 0});
    TObjHeader* P1 = Line({0, 5}, {10, 5});
    TObjHeader* P2 = Line({0, 9}, {10, 9});
    CamOpAddParent(S, 0);
    CamOpAddChild(P1, 1);
    CamOpAddChild(P2, 1);
    Run({"CHANGEDIR", ""});
    EXPECT_EQ(PlineEndPt(S).x, 0);
    EXPECT_EQ(Drawing(), (Adrs{S, P1, P2}));
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Cam[1].Status, 4);
    EXPECT_FALSE(OpList.Cam[1].Sousledne);  // inverted once per reversed path
    EXPECT_EQ(NewLog().back(), "Sys:ComChangeDir End");
}

TEST_F(ComExplodeTest, ChangeDirLeavesGroupsAndChangeStartTakesTheFirstOfTwo) {
    Begin();
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    EnPline.LineAdd({0, 30}, {10, 30}, 1, S, E);
    TObjHeader* Member = S;
    TObjHeader* G = MakeGroup(false, S, E);
    G->Flags |= FlagSelected;
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    Run({"CHANGEDIR", ""});
    EXPECT_EQ(AsPline(Member)->S.x, 0);
    TObjHeader* R1 = Rect({0, 0}, {10, 10}, false);
    TObjHeader* R2 = Rect({0, 0}, {10, 10}, false);
    Run({"CHANGESTART", "10 5"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 3u);
    EXPECT_EQ(D[1], R2);
    EXPECT_NE(D[2], R1);
    EXPECT_NEAR(double(AsPline(D[2])->S.y), 5, 1e-9);
    H->Esc();
}

TEST_F(ComExplodeTest, PreviousSelectionIsTakenAgain) {
    Begin();
    TObjHeader* S = Line({0, 0}, {10, 0});
    Run({"CHANGEDIR", ""});
    EXPECT_EQ(AsPline(S)->S.x, 10);
    EXPECT_FALSE(S->Flags & FlagSelected);
    Mark();
    Run({"CHANGEDIR", "P", ""});
    EXPECT_EQ(AsPline(S)->S.x, 0);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Select previous"));
    EXPECT_EQ(NewLog().back(), "Sys:ComChangeDir End");
}

TEST_F(ComExplodeTest, ChangeStartRebuildsAPickedClosedPolyline) {
    Begin();
    TObjHeader* Open = Line({0, 20}, {10, 20}, false);
    TObjHeader* R = Rect({0, 0}, {10, 10}, false);
    TObjHeader* Other = Line({50, 50}, {60, 50}, false);
    CamOpAddParent(R, 0);
    Run({"CHANGESTART", "10 5"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 3u);
    EXPECT_EQ(D[0], Open);
    EXPECT_EQ(D[1], Other);
    EXPECT_NEAR(double(AsPline(D[2])->S.x), 10, 1e-9);
    EXPECT_NEAR(double(AsPline(D[2])->S.y), 5, 1e-9);
    EXPECT_EQ(Parents(0), (Adrs{D[2]}));
    EXPECT_EQ(MainVars.ComCnt, 0);  // waits for the next pick
    // An open polyline: nothing changes, the command still waits.
    H->Enter("5 20");
    EXPECT_EQ(Drawing(), D);
    EXPECT_EQ(MainVars.ComCnt, 0);
    Mark();
    H->Enter("");
    EXPECT_EQ(MainVars.ComCnt, -1);
    const Lines L = NewLog();
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong pickpoint ()"));
    EXPECT_EQ(L.back(), "Sys:ComChangeStart End");
}

}  // namespace
