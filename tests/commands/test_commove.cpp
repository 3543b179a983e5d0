// MOVE, MOVETOCEN and ALIGN with the alignment dialog.
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/AlignDg.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComMoveTest : public CmdTest {
protected:
    static TObjHeader* Line(Osy S, Osy E, bool Selected = false) { return AddLine(S, E, Selected); }
    static Osy Start(const TObjHeader* p) { return AsPline(p)->S; }
    // One contour operation with source Src and path Path.
    static void OneOp(TObjHeader* Src, TObjHeader* Path) {
        OpList.CamCnt = 1;
        OpList.Cam[0].OpType = 1;
        OpList.Cam[0].Status = 0;
        if (Src) CamOpAddParent(Src, 0);
        if (Path) CamOpAddChild(Path, 0);
    }
};

TEST_F(ComMoveTest, MoveByTwoPoints) {
    const struct {
        const char* Base;
        const char* Target;
        Extended X, Y;  // the line's start afterwards
        const char* Err;
    } Cases[] = {
        {"5 5", "@10 0", 11, 2, nullptr},
        {"100 -7", "@10 0", 11, 2, nullptr},
        {"0 0", "3 4", 4, 6, nullptr},
        {"0 0", "", 1, 2, "Err:Wrong pickpoint ()"},
        {"x", nullptr, 1, 2, "Err:Wrong pickpoint (X)"},
    };
    for (const auto& C : Cases) {
        CmdTest::Start();
        TObjHeader* L = Line({1, 2}, {5, 8}, true);
        Line({0, 0}, {1, 0});  // not selected: stays
        Mark();
        H->Enter("MOVE");
        H->Enter("");
        H->Enter(C.Base);
        if (C.Target) H->Enter(C.Target);
        EXPECT_EQ(MainVars.ComCnt, -1) << C.Base;
        EXPECT_EQ(Start(L).x, C.X) << C.Base;
        EXPECT_EQ(Start(L).y, C.Y) << C.Base;
        EXPECT_EQ(Start(MainVars.DataEnd).x, 0);
        if (C.Err) EXPECT_TRUE(TCmdHarness::LogHas(C.Err)) << C.Base;
        EXPECT_EQ(NewLog().back(), "Sys:ComMove End");
        H.reset();
    }
}

TEST_F(ComMoveTest, MoveLeavesPathStatusMoveToCenMarksIt) {
    for (const bool ToCen : {false, true}) {
        CmdTest::Start();
        TObjHeader* Src = Line({50, 50}, {60, 50});
        TObjHeader* Path = Line({0, 0}, {2, 2}, !ToCen);
        OneOp(Src, Path);
        if (ToCen) {
            Run({"MOVETOCEN"});
            Src->Flags |= FlagSelected;  // the reference
            H->Enter("");
            EXPECT_FALSE(Src->Flags & FlagSelected);
            Path->Flags |= FlagSelected;  // the objects to move
            H->Enter("");
            EXPECT_EQ(Start(Path).x, 54);
            EXPECT_EQ(Start(Path).y, 49);
        } else {
            Run({"MOVE", "", "0 0", "5 0"});
            EXPECT_EQ(Start(Path).x, 5);
        }
        EXPECT_EQ(OpList.Cam[0].Status, ToCen ? 4 : 0) << ToCen;
        H.reset();
    }
}

TEST_F(ComMoveTest, MoveToCenWithEmptySecondSelectionMovesNothing) {
    CmdTest::Start();
    TObjHeader* A = Line({0, 0}, {10, 0}, true);
    Mark();
    Run({"MOVETOCEN", "", ""});
    EXPECT_EQ(Start(A).x, 0);
    EXPECT_EQ(NewLog().back(), "Sys:ComMoveToCen End");
}

TEST_F(ComMoveTest, MoveToCenWithoutReferenceIsRefused) {
    CmdTest::Start();
    TObjHeader* A = Line({0, 0}, {10, 0});
    Mark();
    H->Enter("MOVETOCEN");
    H->Enter("");  // no reference selected
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:No reference object selected"));
    ASSERT_FALSE(H->Responder().Shown.empty());
    EXPECT_EQ(H->Responder().Shown.back(), "message:Nejsou vybrány žádné objekty -> OK");
    // Had it gone on, this selection would have moved.
    A->Flags |= FlagSelected;
    H->Enter("");
    EXPECT_EQ(Start(A).x, 0);
    EXPECT_EQ(Start(A).y, 0);
}

TEST_F(ComMoveTest, AlignPutsTheCheckedReferencePointOnTheTarget) {
    // Extents x 1..5, y 2..8; target (0, 0): the line's start moves by -R.
    const struct {
        const char* Button;
        Extended Rx, Ry;
    } Cases[] = {
        {"TopLeft", 1, 8},    {"TopCenter", 3, 8},    {"TopRight", 5, 8},
        {"MiddleLeft", 1, 5}, {"MiddleCenter", 3, 5}, {"MiddleRight", 5, 5},
        {"BottomLeft", 1, 2}, {"BottomCenter", 3, 2}, {"BottomRight", 5, 2},
    };
    for (const auto& C : Cases) {
        CmdTest::Start();
        CreateAlignDialog();
        TObjHeader* L = Line({1, 2}, {5, 8}, true);
        AlignDialog->Find<TRadioButton>(C.Button)->Click();
        H->Answer(mrOk);
        Run({"ALIGN", "", "0 0"});
        EXPECT_EQ(Start(L).x, 1 - C.Rx) << C.Button;
        EXPECT_EQ(Start(L).y, 2 - C.Ry) << C.Button;
        EXPECT_TRUE(TCmdHarness::LogHas("Usr:" + std::string(C.Button)));
        H.reset();
    }
}

TEST_F(ComMoveTest, AlignEnvelopeCancelAndEmptySelection) {
    // Envelope: one rectangle on the drawing layer, around the moved selection.
    CmdTest::Start();
    CreateAlignDialog();
    Glob.LayerDraw = 7;
    Line({1, 2}, {5, 8}, true);
    AlignDialog->ChBoxAddEnvelope->Checked = true;
    H->Answer(mrOk);
    Run({"ALIGN", "", "10 10"});
    const TObjHeader* R = MainVars.DataEnd;
    ASSERT_EQ(R->Type, ObjPline);
    EXPECT_EQ(R->Layer, 7);
    EXPECT_EQ(PlineSegCount(R), 4);
    Osy Mn{1e9, 1e9};
    for (int i = 0; i < 4; ++i) {
        const Osy P = PlineSegStart(R, i);
        Mn = {std::min(Mn.x, P.x), std::min(Mn.y, P.y)};
    }
    EXPECT_EQ(Mn.x, 10);
    EXPECT_EQ(Mn.y, 10);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Adding envelope"));
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Align to X:1 Y:2"));
    H.reset();
    // Cancel: nothing moves, no rectangle.
    CmdTest::Start();
    TObjHeader* L = Line({1, 2}, {5, 8}, true);
    Mark();
    Run({"ALIGN", "", "10 10"});
    EXPECT_EQ(MainVars.DataStart, L);
    EXPECT_EQ(L->Next, nullptr);
    EXPECT_EQ(Start(L).x, 1);
    EXPECT_EQ(NewLog().back(), "Sys:ComAlign End");
    H.reset();
    // Empty selection with the envelope box checked: no rectangle from the empty extents.
    CmdTest::Start();
    Line({1, 2}, {5, 8});
    AlignDialog->ChBoxAddEnvelope->Checked = true;
    H->Answer(mrOk);
    Run({"ALIGN", "", "10 10"});
    EXPECT_EQ(MainVars.DataStart->Next, nullptr);
    H.reset();
    // A flat selection gives no rectangle; an unselected object last in the drawing
    // stays where it is and keeps its flags.
    CmdTest::Start();
    TObjHeader* Flat = Line({1, 2}, {5, 2}, true);
    TObjHeader* Last = Line({20, 20}, {30, 25});
    AlignDialog->ChBoxAddEnvelope->Checked = true;
    AlignDialog->Find<TRadioButton>("BottomLeft")->Click();
    H->Answer(mrOk);
    Run({"ALIGN", "", "0 0"});
    EXPECT_EQ(MainVars.DataEnd, Last);
    EXPECT_EQ(Start(Last).x, 20);
    EXPECT_EQ(Start(Last).y, 20);
    EXPECT_EQ(Start(Flat).x, 0);
}

TEST_F(ComMoveTest, AlignQueuesEveryOperationWithASource) {
    CmdTest::Start();
    CreateAlignDialog();
    TObjHeader* Moved = Line({1, 2}, {5, 8}, true);
    TObjHeader* Other = Line({20, 20}, {30, 20});
    OpList.CamCnt = 2;
    OpList.Cam[0].OpType = OpList.Cam[1].OpType = 1;
    OpList.Cam[0].Status = OpList.Cam[1].Status = 0;
    CamOpAddParent(Moved, 0);
    CamOpAddParent(Other, 1);
    Glob.AutoRegen = false;
    H->Answer(mrOk);
    Run({"ALIGN", "", "0 0"});
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Cam[1].Status, 1);
}

}  // namespace
