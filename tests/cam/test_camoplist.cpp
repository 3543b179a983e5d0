#include <string>

#include "cam/CamOpList.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "support/Fixture.h"

namespace {

class CamOpListTest : public KestrilonTest {};

std::string Dec(const TObjHeader* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }
// The text of the newest log line, without its time stamp.
std::string LastLine() { return LogNewestLines(1).empty() ? "" : LogNewestLines(1)[0].substr(15); }

TEST_F(CamOpListTest, InitEmptiesEveryRecord) {
    OpList.CamCnt = 3;
    OpList.CadCnt = 2;
    OpList.LastLa = 9;
    OpList.LastTID = 4;
    OpList.LastHintIndex = 2;
    TCamOp& Op = OpList.Cam[7];
    Op.Name = "Kontura";
    Op.Status = 2;
    Op.MasterOp = 5;
    Op.OpType = 4;
    Op.La1 = 3;
    Op.ParCnt = 12;
    Op.ChilCnt = 1;
    Op.Childs.assign(5, nullptr);
    Op.Sousledne = true;
    Op.Pridavek = 0.3L;
    Op.FillType = 2;

    InitCamOps();

    EXPECT_EQ(LastLine(), "Sys:Init CamOps");
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_EQ(OpList.CadCnt, 0);
    EXPECT_EQ(OpList.LastLa, 1);
    EXPECT_EQ(OpList.LastTID, -1);
    EXPECT_EQ(OpList.LastHintIndex, -1);
    for (const TCamOp& C : OpList.Cam) {
        ASSERT_EQ(C.Parents.size(), static_cast<size_t>(CamOpLinkCount));
        ASSERT_EQ(C.Childs.size(), static_cast<size_t>(CamOpLinkCount));
        EXPECT_EQ(C.Depth, -1);
    }
    EXPECT_TRUE(Op.Name.empty());
    EXPECT_EQ(Op.OpType, 0);
    EXPECT_EQ(Op.La1, 0);
    EXPECT_EQ(Op.ParCnt, 0);
    EXPECT_EQ(Op.ChilCnt, 0);
    EXPECT_FALSE(Op.Sousledne);
    EXPECT_EQ(Op.Pridavek, 0);
    EXPECT_EQ(Op.FillType, 0);
    // Kept by the emptying.
    EXPECT_EQ(Op.Status, 2);
    EXPECT_EQ(Op.MasterOp, 5);
    // Separate arrays per record.
    Op.Childs[0] = reinterpret_cast<TObjHeader*>(&Op);
    EXPECT_EQ(OpList.Cam[8].Childs[0], nullptr);
}

TEST_F(CamOpListTest, AddChildStoresAndLogs) {
    TObjHeader A{}, B{};
    OpList.Cam[3].Name = "Kapsa";
    CamOpAddChild(&A, 3);
    EXPECT_EQ(LastLine(), "Ops:Adding child (Adr:" + Dec(&A) + ", OpNum:3, OpName:Kapsa)");
    CamOpAddChild(&B, 3);
    EXPECT_EQ(OpList.Cam[3].ChilCnt, 2);
    EXPECT_EQ(OpList.Cam[3].Childs[0], &A);
    EXPECT_EQ(OpList.Cam[3].Childs[1], &B);
}

TEST_F(CamOpListTest, AddChildTwiceKeepsOneEntry) {
    TObjHeader A{};
    CamOpAddChild(&A, 0);
    CamOpAddChild(&A, 0);
    EXPECT_EQ(OpList.Cam[0].ChilCnt, 1);
    EXPECT_EQ(LastLine(), "Ops:Child:" + Dec(&A) + " already exist in OpNum:0, exit");
    // The same address may be the child of another operation.
    CamOpAddChild(&A, 1);
    EXPECT_EQ(OpList.Cam[1].ChilCnt, 1);
}

TEST_F(CamOpListTest, InvalidArgumentsAddNothing) {
    TObjHeader A{};
    struct Case {
        TObjHeader* Adr;
        int OpNum;
    } Cases[] = {{nullptr, 0}, {&A, -1}, {&A, MaxCamOps}, {&A, 5000}};
    for (const Case& c : Cases) {
        CamOpAddChild(c.Adr, c.OpNum);
        EXPECT_EQ(LogWriteIndex(), 0) << c.OpNum;  // nothing logged either
    }
    for (const TCamOp& C : OpList.Cam) EXPECT_EQ(C.ChilCnt, 0);
}

TEST_F(CamOpListTest, FullOperationRefusesMoreChildren) {
    TCamOp& Op = OpList.Cam[4];
    std::vector<TObjHeader> Objs(CamOpLinkCount + 1);
    for (TObjHeader& O : Objs) CamOpAddChild(&O, 4);
    EXPECT_EQ(Op.ChilCnt, CamOpLinkCount);
    EXPECT_EQ(Op.Childs.size(), static_cast<size_t>(CamOpLinkCount));
    EXPECT_EQ(Op.Childs.back(), &Objs[CamOpLinkCount - 1]);
}

TEST_F(CamOpListTest, UnsizedChildArrayIsSizedBeforeStoring) {
    TObjHeader A{};
    OpList.Cam[6].Childs.clear();
    CamOpAddChild(&A, 6);
    EXPECT_EQ(OpList.Cam[6].ChilCnt, 1);
    EXPECT_EQ(OpList.Cam[6].Childs.size(), static_cast<size_t>(CamOpLinkCount));
}

}  // namespace
