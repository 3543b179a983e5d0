// DELETE typed through the command line: the selected objects go, and the operation
// list loses their links; operations left without sources or paths go with their
// sub-operations and paths.
#include <map>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

class ComDeleteTest : public CmdTest {
protected:
    // Objects A..H (one line each, A at y = 0, B at y = 10 ...) and five operations:
    // 0 contour of A, B with path E; 1 pocket of C with roughing 2 (path F) and
    // finishing 3 (path G); 4 contour of D with path H.
    std::map<char, TObjHeader*> Obj;

    void Build() {
        for (char c = 'A'; c <= 'H'; ++c) {
            const Extended y = 10 * (c - 'A');
            EnPline.LineAdd({0, y}, {5, y}, 1, MainVars.DataStart, MainVars.DataEnd);
            Obj[c] = MainVars.DataEnd;
        }
        const struct {
            const char* Name;
            int Type, Master;
            const char* Parents;
            const char* Childs;
        } Ops[] = {
            {"op0", OpTypeContour, -1, "AB", "E"},
            {"op1", OpTypePocket, -1, "C", ""},
            {"op2", OpTypePocketRough, 1, "", "F"},
            {"op3", OpTypePocketFin, 1, "", "G"},
            {"op4", OpTypeContour, -1, "D", "H"},
        };
        int i = 0;
        for (const auto& O : Ops) {
            TCamOp& Op = OpList.Cam[i++];
            Op.Name = O.Name;
            Op.OpType = O.Type;
            Op.MasterOp = O.Master;
            for (const char* p = O.Parents; *p; ++p) Op.Parents[Op.ParCnt++] = Obj[*p];
            for (const char* p = O.Childs; *p; ++p) Op.Childs[Op.ChilCnt++] = Obj[*p];
        }
        OpList.CamCnt = i;
    }
    // Names of the operations left, in order.
    static std::string OpNames() {
        std::string S;
        for (int i = 0; i < OpList.CamCnt; ++i) S += OpList.Cam[i].Name + " ";
        return S;
    }
    static bool InDrawing(const TObjHeader* p) {
        for (TObjHeader* q = MainVars.DataStart; q; q = q->Next)
            if (q == p) return true;
        return false;
    }
    // Which of A..H are still in the drawing.
    std::string Left() const {
        std::string S;
        for (const auto& [c, p] : Obj)
            if (InDrawing(p)) S += c;
        return S;
    }
};

TEST_F(ComDeleteTest, OperationsFollowTheDeletedObjects) {
    const struct {
        const char* Sel;
        const char* Left;
        const char* Ops;
    } Cases[] = {
        {"", "ABCDEFGH", "op0 op1 op2 op3 op4 "},
        {"A", "BCDEFGH", "op0 op1 op2 op3 op4 "},      // one of two sources: the operation stays
        {"AB", "CDFGH", "op1 op2 op3 op4 "},           // both: the operation and its path go
        {"C", "ABDEH", "op0 op4 "},                    // a pocket with its sub-operations and paths
        {"H", "ABCDEFG", "op0 op1 op2 op3 "},          // a contour's last path
        {"CH", "ABDE", "op0 "},                        // numbers shift: each deletion still hits its own
        {"ABCDEFGH", "", ""},
    };
    for (const auto& C : Cases) {
        Start();
        Build();
        for (const char* p = C.Sel; *p; ++p) Obj[*p]->Flags |= FlagSelected;
        Run({"DELETE", ""});
        EXPECT_EQ(Left(), C.Left) << C.Sel;
        EXPECT_EQ(OpNames(), C.Ops) << C.Sel;
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:Deleted:" + std::to_string(std::string(C.Sel).size()) + " objects"))
            << C.Sel;
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
        // Every link left names an object of the drawing.
        for (int i = 0; i < OpList.CamCnt; ++i) {
            const TCamOp& Op = OpList.Cam[i];
            for (int k = 0; k < Op.ParCnt; ++k) EXPECT_TRUE(InDrawing(Op.Parents[k])) << C.Sel;
            for (int k = 0; k < Op.ChilCnt; ++k) EXPECT_TRUE(InDrawing(Op.Childs[k])) << C.Sel;
        }
        EXPECT_EQ(MainVars.ComCnt, -1);
        H.reset();
        Obj.clear();
    }
    // Sub-operations keep pointing at their master after an earlier one went.
    Start();
    Build();
    Obj['A']->Flags |= FlagSelected;
    Obj['B']->Flags |= FlagSelected;
    Run({"DELETE", ""});
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Delete CamOp:0"));
    EXPECT_EQ(OpList.Cam[1].OpType, OpTypePocketRough);
    EXPECT_EQ(OpList.Cam[1].ChilCnt, 1);
    EXPECT_EQ(OpList.Cam[1].Childs[0], Obj['F']);
    EXPECT_EQ(OpList.Cam[1].MasterOp, 0);
    EXPECT_EQ(OpList.Cam[2].MasterOp, 0);
    // So the pocket still goes with its sub-operations and paths.
    Obj['C']->Flags |= FlagSelected;
    Run({"DELETE", ""});
    EXPECT_EQ(OpNames(), "op4 ");
    EXPECT_EQ(Left(), "DH");
}

TEST_F(ComDeleteTest, PreviousSelectionAndUndo) {
    Start();
    Run({"RECTANGLE", "0 0", "10 10"});
    Run({"CIRCLE", "30 0", "5"});
    H->Enter("DELETE");
    EXPECT_EQ(H->Prompt(), "Vyber objekty>");
    MainVars.DataStart->Flags |= FlagSelected;  // as a pick in the select step would
    H->Enter("");
    EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
    EXPECT_EQ(NewLog().back(), "Sys:ComDelete End");
    // "P" brings the last selection back (the rectangle is gone; the circle now).
    H->Enter("DELETE");
    MainVars.DataStart->Flags |= FlagSelected;
    H->Esc();
    H->Enter("DELETE");
    H->Enter("P");
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Select previous"));
    EXPECT_EQ(MainVars.ComCnt, 0);
    H->Enter("");
    EXPECT_EQ(MainVars.DataStart, nullptr);
    // Each DELETE took an undo snapshot.
    H->Enter("UNDO");
    EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
}

}  // namespace

namespace {

TEST_F(ComDeleteTest, OneLayerPerOperationFreesTheDeletedOperationsLayer) {
    Start();
    Build();
    Glob.AutoLayNum = true;
    // op0 on layer 1 with its objects; op4 on layer 2 with its source D and path H.
    const int La[] = {1, 3, 3, 4, 2};
    for (int i = 0; i < 5; ++i) OpList.Cam[i].La1 = La[i];
    Obj['D']->Layer = Obj['H']->Layer = 2;
    Obj['C']->Layer = 3;
    Obj['A']->Flags |= FlagSelected;
    Obj['B']->Flags |= FlagSelected;
    Run({"DELETE", ""});
    EXPECT_EQ(OpNames(), "op1 op2 op3 op4 ");
    EXPECT_EQ(OpList.Cam[0].La1, 2);
    EXPECT_EQ(OpList.Cam[2].La1, 3);
    EXPECT_EQ(OpList.Cam[3].La1, 1);
    EXPECT_EQ(Obj['D']->Layer, 1);
    EXPECT_EQ(Obj['C']->Layer, 2);
    EXPECT_EQ(OpList.LastLa, 3);
}

}  // namespace
