// Undo snapshots: the ring of MaxUndo slots, UNDO, the Undo menu item, the operation-list
// copies with their re-pointed links, and the debug dumps.
#include "cam/CamOpList.h"
#include "cam/CamOpUndo.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class UndoTest : public CmdTest {
protected:
    // The x of every point of a list, in list order.
    static std::vector<int> PointXs(const TObjHeader* First) {
        std::vector<int> Out;
        for (const TObjHeader* p = First; p; p = p->Next) Out.push_back(int(AsPline(p)->S.x));
        return Out;
    }
    // POINT at (i, 0) for i = From..To.
    void Points(int From, int To) {
        for (int i = From; i <= To; ++i) Run({"POINT", std::to_string(i) + " 0"});
    }
};

TEST_F(UndoTest, RingOfFourAfterSixCommandsUndoesFourStepsThenRefuses) {
    Start();
    ASSERT_EQ(Glob.MaxUndo, 4);
    Points(1, 6);
    EXPECT_EQ(MainVars.UndoIndex, 2);
    EXPECT_EQ(MainVars.UndoCount, 4);
    // Slots 1, 0, 3, 2 hold the states before the sixth, fifth, fourth and third command.
    const struct {
        int Slot;
        std::vector<int> Xs;
    } Steps[] = {{1, {1, 2, 3, 4, 5}}, {0, {1, 2, 3, 4}}, {3, {1, 2, 3}}, {2, {1, 2}}};
    for (const auto& S : Steps) {
        H->Enter("UNDO");
        EXPECT_EQ(MainVars.UndoIndex, S.Slot);
        EXPECT_EQ(PointXs(MainVars.DataStart), S.Xs);
        EXPECT_EQ(PointXs(MainVars.UndoTab[S.Slot].StartUndo), S.Xs);  // the slot keeps its copy
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
    }
    EXPECT_EQ(MainVars.UndoCount, 0);
    EXPECT_FALSE(H->Form().UndoMnu->Enabled);
    Mark();
    H->Enter("UNDO");
    EXPECT_EQ(NewLog(), (Lines{"Usr:UNDO", "Sys:ComUndo Start", "Err:nothing to undo", "Sys:ComUndo End"}));
    EXPECT_EQ(PointXs(MainVars.DataStart), (std::vector<int>{1, 2}));
    // The next snapshot takes the slot UNDO restored last.
    Points(7, 7);
    EXPECT_EQ(MainVars.UndoIndex, 3);
    EXPECT_EQ(MainVars.UndoCount, 1);
}

TEST_F(UndoTest, RingOfTwoKeepsTheLastTwoStates) {
    Start();
    Glob.MaxUndo = 2;
    Points(1, 3);
    EXPECT_EQ(MainVars.UndoIndex, 1);
    EXPECT_EQ(MainVars.UndoCount, 2);
    EXPECT_EQ(PointXs(MainVars.UndoTab[0].StartUndo), (std::vector<int>{1, 2}));
    EXPECT_EQ(PointXs(MainVars.UndoTab[1].StartUndo), (std::vector<int>{1}));
}

TEST_F(UndoTest, MenuItemNamesTheCommandByItsAlias) {
    Start();
    EXPECT_FALSE(H->Form().UndoMnu->Enabled);
    Run({"POINT", "1 1", "RECTANGLE", "0 0", "2 2"});
    EXPECT_TRUE(H->Form().UndoMnu->Enabled);
    EXPECT_EQ(H->Form().UndoMnu->Caption, "Zpět ");  // RECTANGLE has no alias
    Run({"DIST", "0 0", "1 1"});                    // no snapshot: caption stays
    EXPECT_EQ(MainVars.UndoCount, 2);
    EXPECT_EQ(H->Form().UndoMnu->Caption, "Zpět ");
    H->Enter("UNDO");
    EXPECT_EQ(H->Form().UndoMnu->Caption, "Zpět B");  // POINT's step is now on top
    EXPECT_TRUE(H->Form().UndoMnu->Enabled);
    EXPECT_EQ(MainVars.UndoTab[0].Jmeno, "POINT");
    EXPECT_FALSE(MainVars.FileSaved);
}

TEST_F(UndoTest, CancelledCommandKeepsItsSnapshot) {
    Start();
    Points(1, 1);
    H->Enter("LINE");
    H->Esc();
    EXPECT_EQ(MainVars.UndoCount, 2);
    H->Enter("UNDO");
    EXPECT_EQ(PointXs(MainVars.DataStart), (std::vector<int>{1}));
}

TEST_F(UndoTest, ReadingAnotherMaxUndoFreesTheRing) {
    Start();
    Points(1, 2);
    auto WriteCfg = [this](int MaxUndo) {
        WriteFile("Default.cfg", "Ver=2.5 beta 6\r\nSETUP\r\n  MaxUndo=" + std::to_string(MaxUndo) + "\r\nENDSETUP\r\n");
        ASSERT_TRUE(FileToGlobalCfg(DefaultCfgPath()));
    };
    WriteCfg(4);  // the same size keeps every step
    EXPECT_EQ(MainVars.UndoCount, 2);
    WriteCfg(6);
    EXPECT_EQ(Glob.MaxUndo, 6);
    EXPECT_EQ(MainVars.UndoCount, 0);
    EXPECT_EQ(MainVars.UndoIndex, 0);
    EXPECT_FALSE(H->Form().UndoMnu->Enabled);
    for (const UndoRec& R : MainVars.UndoTab) {
        EXPECT_EQ(R.StartUndo, nullptr);
        EXPECT_TRUE(R.Jmeno.empty());
    }
    EXPECT_EQ(PointXs(MainVars.DataStart), (std::vector<int>{1, 2}));
}

TEST_F(UndoTest, OperationLinksFollowTheCopiesIntoTheSlotAndBack) {
    Start();
    EnPline.LineAdd({0, 0}, {10, 0}, 1, MainVars.DataStart, MainVars.DataEnd);
    EnPline.LineAdd({0, 5}, {10, 5}, 1, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* Src = MainVars.DataStart;
    TObjHeader* Path = MainVars.DataEnd;
    OpList.CamCnt = 1;
    TCamOp& Op = OpList.Cam[0];
    Op.Name = "Kontura";
    Op.OpType = OpTypeContour;
    Op.Parents[0] = Src;
    Op.ParCnt = 1;
    Op.Childs[0] = Path;
    Op.ChilCnt = 1;

    Mark();
    H->Enter("POINT");
    const UndoRec& R = MainVars.UndoTab[0];
    ASSERT_NE(R.StartUndo, nullptr);
    EXPECT_EQ(R.Ops.CamCnt, 1);
    EXPECT_EQ(R.Ops.Cam[0].Name, "Kontura");
    EXPECT_EQ(R.Ops.Cam[0].Parents[0], R.StartUndo);
    EXPECT_EQ(R.Ops.Cam[0].Childs[0], R.EndUndo);
    EXPECT_EQ(OpList.Cam[0].Parents[0], Src);  // the live list is untouched
    auto A = [](const void* P) { return std::to_string(reinterpret_cast<uintptr_t>(P)); };
    EXPECT_EQ(NewLog(), (Lines{"Usr:POINT", "Undo:Obj=" + A(Src) + " -> obj:" + A(R.StartUndo),
                               "Undo:Par Obj=" + A(Src) + " in CamOp:0 -> obj:" + A(R.StartUndo) + " UndoId:0",
                               "Undo:Obj=" + A(Path) + " -> obj:" + A(R.EndUndo),
                               "Undo:Chil Obj=" + A(Path) + " in CamOp:0 -> obj:" + A(R.EndUndo) + " UndoId:0",
                               "Undo:Objs=2 copied", "Sys:ComPoint Start"}));
    H->Enter("5 5");
    OpList.CamCnt = 0;  // the command's changes to the operation list are undone too
    H->Enter("UNDO");
    EXPECT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].Parents[0], MainVars.DataStart);
    EXPECT_EQ(OpList.Cam[0].Childs[0], MainVars.DataEnd);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);
    EXPECT_EQ(OpList.Cam[0].Parents.size(), size_t(CamOpLinkCount));
}

TEST_F(UndoTest, SnapshotLeavesTheSelectionOfTheDrawingAlone) {
    Start();
    Run({"CIRCLE", "0 0", "1", "POINT", "2 2"});
    TObjHeader* S = MainVars.DataStart;
    TObjHeader* E = S;
    UnlinkObj(S, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* G = MakeGroup(false, S, E);
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) p->Flags |= FlagSelected;
    H->Enter("POINT");  // the snapshot copies a selected group and a selected point
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) EXPECT_TRUE(p->Flags & FlagSelected) << int(p->Type);
}

TEST_F(UndoTest, SnapshotWithoutOperationsLogsNoLinks) {
    Start();
    Points(1, 2);
    for (const std::string& L : NewLog()) EXPECT_NE(L.rfind("Undo:", 0), 0u) << L;
}

TEST_F(UndoTest, OperationDumpsListOperationsAndUsedSlots) {
    Start();
    ASSERT_TRUE(DumpCamOps());
    EXPECT_EQ(ReadFile(InDir("Logs/CamOpDump.txt")), "OpCount=0\r\n\r\n");

    OpList.CamCnt = 1;
    TCamOp& Op = OpList.Cam[0];
    Op.Name = "A";
    Op.MasterOp = -1;
    Op.OpType = 1;
    Op.La1 = 3;
    Op.Depth = 1.5L;
    Op.Parents[0] = reinterpret_cast<TObjHeader*>(uintptr_t(1234));
    Op.Parents[1] = reinterpret_cast<TObjHeader*>(uintptr_t(5678));
    Op.ParCnt = 2;
    ASSERT_TRUE(DumpCamOps());
    EXPECT_EQ(ReadFile(InDir("Logs/CamOpDump.txt")),
              "OpCount=1\r\n\r\nOpName=A\r\nOpNum=0\r\nOpMaster=-1\r\nOpStatus=0\r\nOpDepth=1.5\r\nOpType=1\r\n"
              "OpLa1=3\r\nOpLa2=0\r\nOpPars=1234,5678,\r\nOpChils=\r\n--\r\n");

    // A slot copy of that list: its links are not drawing objects and stay as they are.
    H->Enter("SPEC");
    ASSERT_TRUE(DumpUndoCamOps());
    const std::string Head = "OpUndoIndex=0\r\nUndoStart=0\r\nUndoEnd=0\r\n";
    EXPECT_EQ(ReadFile(InDir("Logs/UndoOpDump.txt")),
              Head + "OpName=A\r\nOpStatus=0\r\nOpDepth=1.5\r\nOpType=1\r\nOpLa1=3\r\nOpLa2=0\r\n"
                      "OpPars=1234,5678,\r\nOpChils=\r\n--\r\n");
}

TEST_F(UndoTest, SlotNumbersOutsideTheTableChangeNothing) {
    Start();
    OpList.CamCnt = 1;
    CamOpsToUndo(101);
    InitUndoCamOps(-1);
    UndoToCamOps(200);
    EXPECT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(UndoCamOpParentIndex(nullptr, 0, 101), 0);
}

}  // namespace
