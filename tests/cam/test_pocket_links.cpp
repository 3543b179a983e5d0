// A pocket's paths are members of its groups, and its roughing and finishing
// sub-operations link those members: deleting, undoing, saving and regenerating must
// free each record exactly once and leave every link on a live record (run under ASan).
#include <algorithm>
#include <string>
#include <vector>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/OpsPanel.h"

namespace {

class PocketLinksTest : public ContourTest {
protected:
    // RECTANGLE X 0 / X+5 3 and MEANDR of it with the dialog's OK; the rectangle.
    TObjHeader* Pocket(Extended X) {
        Run({"RECTANGLE", Num(X) + " 0", Num(X + 5) + " 3"});
        TObjHeader* Rect = MainVars.DataEnd;
        Rect->Flags |= FlagSelected;
        R->ExpectModal("FillDialog", [](TForm& F) {
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        Run({"MEANDR", ""});
        return Rect;
    }
    static std::string Num(Extended V) { return std::to_string(double(V)); }
    // The pocket's group: its only path, and every path of its sub-operations stands in it.
    static TObjHeader* GroupOf(int Op) {
        EXPECT_EQ(Childs(Op).size(), 1u);
        TObjHeader* G = Childs(Op).at(0);
        EXPECT_EQ(G->Type, ObjGroup);
        for (int Sub : {Op + 1, Op + 2})
            for (TObjHeader* p : Childs(Sub)) {
                bool In = false;
                for (TObjHeader* m = AsGroup(G)->First; m; m = m->Next) In = In || m == p;
                EXPECT_TRUE(In) << Sub;
            }
        return G;
    }
    void ExpectSound(const std::string& When) {
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "") << When;
        EXPECT_EQ(DeadOpLink(), "") << When;
    }
};

TEST_F(PocketLinksTest, EveryWayOfDeletingAPocketFreesEachRecordOnce) {
    enum Road { DeleteSource, OpDelete, DeleteGroup, DeleteOuterGroup };
    const struct {
        const char* Name;
        Road How;
        bool SourceStays;
    } Cases[] = {
        {"DELETE of the rectangle", DeleteSource, false},
        {"OPDELETE", OpDelete, true},
        {"DELETE of the path group", DeleteGroup, true},
        {"DELETE of a group the path group was grouped into", DeleteOuterGroup, true},
    };
    Extended X = 0;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TObjHeader* Rect = Pocket(X);
        X += 20;
        ASSERT_EQ(OpList.CamCnt, 3);
        ASSERT_FALSE(Childs(1).empty());
        ASSERT_FALSE(Childs(2).empty());
        TObjHeader* G = GroupOf(0);
        const int Before = CountObjs(MainVars.DataStart);
        switch (C.How) {
            case DeleteSource:
            case DeleteGroup:
                (C.How == DeleteSource ? Rect : G)->Flags |= FlagSelected;
                Run({"DELETE", ""});
                break;
            case DeleteOuterGroup:
                G->Flags |= FlagSelected;
                Run({"GROUP", ""});
                MainVars.DataEnd->Flags |= FlagSelected;
                Run({"DELETE", ""});
                break;
            case OpDelete:
                Glob.OpShowContours = Glob.OpShowPockets = Glob.OpShowSurfaces = true;
                H->Form().CamOpsToPanel();
                H->Form().ListBoxOps->ChooseItem(0);
                Run({"OPDELETE"});
                break;
        }
        EXPECT_EQ(OpList.CamCnt, 0);
        EXPECT_EQ(CountObjs(MainVars.DataStart), Before - (C.SourceStays ? 1 : 2));
        const std::vector<TObjHeader*> D = Drawing();
        EXPECT_EQ(std::find(D.begin(), D.end(), Rect) != D.end(), C.SourceStays);
        ExpectSound(C.Name);
    }
}

// MEANDR, LINE, UNDO: the sub-operations name the restored members, so a later
// OPDELETE frees each record once.
TEST_F(PocketLinksTest, UndoLeavesTheSubOperationsOnTheRestoredMembers) {
    Pocket(0);
    Run({"L", "20 0", "25 0", ""});
    Run({"UNDO"});
    ASSERT_EQ(OpList.CamCnt, 3);
    GroupOf(0);
    ExpectSound("UNDO");
    Glob.OpShowContours = Glob.OpShowPockets = Glob.OpShowSurfaces = true;
    H->Form().CamOpsToPanel();
    H->Form().ListBoxOps->ChooseItem(0);
    Run({"OPDELETE"});
    EXPECT_EQ(OpList.CamCnt, 0);
    ExpectSound("OPDELETE after UNDO");
}

// Editing commands and the undo of each, then the job file: the links stay on live
// records, and the sub-operations keep the members of the pocket's group.
TEST_F(PocketLinksTest, LinksStayLiveThroughEditingUndoSaveAndOpen) {
    Glob.AutoRegen = true;
    Pocket(0);
    const std::vector<std::vector<std::string>> Steps = {
        {"MOVE", "", "0 0", "10 0"},  {"ROTATE", "", "0 0", "30"}, {"MIRROR", "", "0 0", "@0 5"},
        {"SCALE", "", "0 0", "2"},    {"COPY", "", "0 0", "@0 20", ""}, {"TOEND", ""},
        {"GROUP", ""},                {"UNGROUP", ""},
    };
    for (const auto& S : Steps) {
        for (bool Group : {false, true}) {
            SCOPED_TRACE(S[0] + (Group ? " of the group" : " of the rectangle"));
            ClearSelection(MainVars.DataStart);
            (Group ? Childs(0).at(0) : Parents(0).at(0))->Flags |= FlagSelected;
            Run(S);
            ASSERT_GE(OpList.CamCnt, 3);
            ExpectSound(S[0]);
            Run({"UNDO"});
            ASSERT_EQ(OpList.CamCnt, 3);
            GroupOf(0);
            ExpectSound("UNDO of " + S[0]);
        }
    }
    R->ExpectSave(InDir("job"));
    Run({"SAVEAS"});
    Run({"NEW"});
    R->ExpectOpen(InDir("job.ydf"));
    Run({"OPEN"});
    ASSERT_EQ(OpList.CamCnt, 3);
    GroupOf(0);
    ExpectSound("OPEN");
    EXPECT_TRUE(R->Done());
}

}  // namespace
