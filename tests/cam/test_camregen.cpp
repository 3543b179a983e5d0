// Regeneration through the editing commands: contour paths follow their sources.
#include <algorithm>
#include <cmath>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/CamOpRegen.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "shell/MainVars.h"
#include "shell/SetDg.h"

namespace {

class CamRegenTest : public ContourTest {
protected:
    // The lower left corner of the box of operation Op's only path.
    static Osy PathMin(int Op) {
        EXPECT_EQ(Childs(Op).size(), 1u);
        Osy Mn{1e9, 1e9};
        for (const Osy& Q : SamplePath(Childs(Op)[0])) Mn = {std::min(Mn.x, Q.x), std::min(Mn.y, Q.y)};
        return Mn;
    }
    // Every link of every operation names a record of the drawing list.
    static void ExpectLiveLinks() {
        std::vector<TObjHeader*> D = Drawing();
        for (int i = 0; i < OpList.CamCnt; ++i) {
            for (TObjHeader* p : Parents(i)) EXPECT_NE(std::find(D.begin(), D.end(), p), D.end());
            for (TObjHeader* p : Childs(i)) EXPECT_NE(std::find(D.begin(), D.end(), p), D.end());
        }
    }
};

TEST_F(CamRegenTest, PathsFollowMoveUndoAndSurviveSaveAndOpen) {
    Glob.AutoRegen = true;
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    EXPECT_NEAR(double(PathMin(0).x), -1, 1e-9);

    Sq->Flags |= FlagSelected;
    Run({"MOVE", "", "0 0", "10 10"});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_NEAR(double(PathMin(0).x), 9, 1e-9);
    EXPECT_NEAR(double(PathMin(0).y), 9, 1e-9);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);
    EXPECT_TRUE(TCmdHarness::LogHas("Ops:Regen ContourOp End"));
    ExpectLiveLinks();

    Run({"UNDO"});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_NEAR(double(PathMin(0).x), -1, 1e-9);
    ExpectLiveLinks();

    R->ExpectSave(InDir("job"));
    Run({"SAVEAS"});
    Run({"NEW"});
    EXPECT_EQ(OpList.CamCnt, 0);
    R->ExpectOpen(InDir("job.ydf"));
    Run({"OPEN"});
    ASSERT_EQ(OpList.CamCnt, 1);
    ASSERT_EQ(Parents(0).size(), 1u);
    EXPECT_NEAR(double(PathMin(0).x), -1, 1e-9);
    ExpectLiveLinks();
    // Regeneration still works on the reopened job (with the test's tool).
    SetTool(1, 2);
    Parents(0)[0]->Flags |= FlagSelected;
    Run({"MOVE", "", "0 0", "5 0"});
    EXPECT_NEAR(double(PathMin(0).x), 4, 1e-9);
    ExpectLiveLinks();
    EXPECT_TRUE(R->Done());
}

// Moving one source rebuilds only the operation it belongs to: the others keep their
// very path records, and the log names one rebuilt operation.
TEST_F(CamRegenTest, MoveRebuildsOnlyTheOperationOfTheMovedSource) {
    Glob.AutoRegen = true;
    std::vector<TObjHeader*> Squares;
    for (int Op = 0; Op < 4; ++Op) {
        for (int k = 0; k < 2; ++k) {
            const Extended X = Op * 40 + k * 15;
            Squares.push_back(AddRect({X, 0}, {X + 10, 10}, true));
        }
        ContourSide("out");
    }
    ASSERT_EQ(OpList.CamCnt, 4);
    std::vector<std::vector<TObjHeader*>> Before;
    for (int Op = 0; Op < 4; ++Op) Before.push_back(Childs(Op));
    Squares[5]->Flags |= FlagSelected;  // the second square of operation 2
    Mark();
    Run({"MOVE", "", "0 0", "0 5"});
    std::vector<std::string> Rebuilt;
    for (const std::string& L : NewLog())
        if (L.rfind("Ops:Regen ContourOp Start", 0) == 0) Rebuilt.push_back(L);
    EXPECT_EQ(Rebuilt, std::vector<std::string>{"Ops:Regen ContourOp Start (OpNum:2)"});
    for (int Op = 0; Op < 4; ++Op) {
        if (Op != 2) EXPECT_EQ(Childs(Op), Before[Op]) << Op;
        EXPECT_EQ(OpList.Cam[Op].Status, 0) << Op;
    }
    ExpectLiveLinks();
}

// Each editing command of the source rebuilds the operation from what the command left:
// every path lies at the tool radius from the operation's sources as they are now.
TEST_F(CamRegenTest, EditingCommandsOfTheSourceRebuildThePaths) {
    struct TCase {
        const char* Name;
        std::vector<std::string> Lines;  // "X" stands for the square's left side
        bool CutLine;                    // a selected line across the square to trim at
    };
    const TCase Cases[] = {
        {"MOVE", {"MOVE", "", "X 0", "@7 3"}, false},
        {"ROTATE", {"ROTATE", "", "X 0", "30"}, false},
        {"SCALE", {"SCALE", "", "X 0", "2"}, false},
        {"MIRROR", {"MIRROR", "", "X 0", "@1 2"}, false},
        {"OFFSET", {"OFFSET", "2", "", "X+5 5"}, false},
        {"TRIM", {"TRIM", "", "X+5 10"}, true},
    };
    if (!SetDialog) CreateSetDialog();
    SetDialog->RBtnRotDel->Checked = true;
    SetDialog->RBtnMirDel->Checked = true;
    SetDialog->RbtnOffDel->Checked = true;
    SetDialog->RbtnOffLeave->Checked = false;
    SetTool(2, 2);
    Glob.LayerDraw = 2;  // the paths on a layer of their own
    Glob.AutoRegen = true;
    Extended X = 0;
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        X += 100;
        TObjHeader* Sq = AddRect({X, 0}, {X + 10, 10}, true);
        ContourSide("out");
        const int Op = OpList.CamCnt - 1;
        if (C.CutLine)
            AddLine({X - 5, 5}, {X + 15, 5}, true);
        else
            Sq->Flags |= FlagSelected;
        Mark();
        for (std::string L : C.Lines) {
            const size_t At = L.find('X');
            if (At != std::string::npos) {
                const bool Plus5 = L.compare(At, 3, "X+5") == 0;
                L.replace(At, Plus5 ? 3 : 1, std::to_string(int(X) + (Plus5 ? 5 : 0)));
            }
            H->Enter(L);
        }
        H->Esc();
        const std::vector<std::string> Log = NewLog();
        EXPECT_NE(std::find(Log.begin(), Log.end(), "Ops:Regen ContourOp Start (OpNum:" + std::to_string(Op) + ")"),
                  Log.end());
        ASSERT_EQ(OpList.CamCnt, Op + 1);
        EXPECT_EQ(OpList.Cam[Op].Status, 0);
        const std::vector<TObjHeader*> Src = Parents(Op), Paths = Childs(Op);
        ASSERT_FALSE(Src.empty());
        ASSERT_FALSE(Paths.empty());
        for (const TObjHeader* P : Paths) {
            EXPECT_EQ(P->Layer, 2);
            for (const Osy& Q : SamplePath(P)) {
                Extended Near = 1e300;
                for (const TObjHeader* S : Src) Near = std::min(Near, DistToPath(S, Q));
                ASSERT_NEAR(double(Near), 1.0, 1e-6);
            }
        }
        ExpectLiveLinks();
    }
    Glob.LayerDraw = 1;
}

TEST_F(CamRegenTest, AutoRegenOffMarksTheOperationAndKeepsItsPaths) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    Glob.AutoRegen = false;
    TObjHeader* Path = Childs(0)[0];
    Sq->Flags |= FlagSelected;
    Run({"MOVE", "", "0 0", "10 10"});
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(Childs(0), std::vector<TObjHeader*>{Path});
    EXPECT_NEAR(double(PathMin(0).x), -1, 1e-9);
}

TEST_F(CamRegenTest, DeletingTheSourceRemovesTheOperationAndItsPaths) {
    Glob.AutoRegen = true;
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    Sq->Flags |= FlagSelected;
    Run({"DELETE", ""});
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_EQ(MainVars.DataStart, nullptr);
}

TEST_F(CamRegenTest, RegenerationWithoutSourcesTakesTheSubOperationsAlong) {
    // A pocket-like master without sources, its two sub-operations, and a contour after them.
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    OpList.CamCnt = 4;
    OpList.Cam[3] = OpList.Cam[0];  // the contour moves to 3
    for (int i = 0; i < 3; ++i) {
        OpList.Cam[i].Parents.assign(CamOpLinkCount, nullptr);
        OpList.Cam[i].Childs.assign(CamOpLinkCount, nullptr);
        OpList.Cam[i].ParCnt = OpList.Cam[i].ChilCnt = 0;
        OpList.Cam[i].OpType = i == 0 ? OpTypePocket : OpTypePocketRough + i - 1;
        OpList.Cam[i].MasterOp = i == 0 ? -1 : 0;
    }
    Glob.AutoRegen = true;
    RegenOpByNum(0);
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].OpType, OpTypeContour);
    EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{Sq});
}

}  // namespace

namespace {

// SORT with group division frees the group of paths an operation links to: the link
// moves to the group that replaces it, and regeneration still rebuilds the paths.
TEST_F(CamRegenTest, SortWithDivisionKeepsLinksLiveAndRegenerationWorking) {
    Glob.AutoRegen = true;
    Glob.ContGroup = true;  // the paths as one group
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    ASSERT_EQ(Childs(0).size(), 1u);
    ASSERT_EQ(Childs(0)[0]->Type, ObjGroup);
    R->ExpectModal("SortDialog", [](TForm& F) {
        F.Find<TCheckBox>("ChBoxDivGroup")->Click();
        F.Find<TCheckBox>("ChBoxT1")->Click();
        F.ClickButton("BitBtnStart");
        return F.ModalResult;
    });
    Run({"SORT"});
    ASSERT_EQ(Childs(0).size(), 1u);
    ExpectLiveLinks();
    Sq->Flags |= FlagSelected;
    Run({"MOVE", "", "0 0", "10 10"});
    ASSERT_EQ(OpList.CamCnt, 1);
    ASSERT_EQ(Childs(0).size(), 1u);
    ExpectLiveLinks();
    Osy Mn{1e9, 1e9};
    for (TObjHeader* m = AsGroup(Childs(0)[0])->First; m; m = m->Next)
        for (const Osy& Q : SamplePath(m)) Mn = {std::min(Mn.x, Q.x), std::min(Mn.y, Q.y)};
    EXPECT_NEAR(double(Mn.x), 9, 1e-9);
    EXPECT_NEAR(double(Mn.y), 9, 1e-9);
    EXPECT_TRUE(R->Done());
}

}  // namespace
