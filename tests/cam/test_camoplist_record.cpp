// The record routines fill the record they are given and leave status and links alone.
#include <string>

#include "cam/CamOpList.h"
#include "cam/CamOpListRecord.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "support/Fixture.h"

namespace {

class CamOpRecordTest : public KestrilonTest {};

std::string LastLine() { return LogNewestLines(1).empty() ? "" : LogNewestLines(1)[0].substr(15); }

TEST_F(CamOpRecordTest, ContourRecord) {
    TObjHeader A{};
    OpList.Index = 2;
    TCamOp& Op = OpList.Cam[2];
    Op.Status = 3;
    Op.La2 = 7;
    Op.MasterOp = 1;
    CamOpAddParent(&A, 2);
    ASSERT_TRUE(RecordOpContour(true, false, true, false, true, true, false, true, 0.25L, 2, 0.5L, 0.75L, 4,
                                "Obrys", 1.5L));
    EXPECT_EQ(LastLine(), "CAM:OpContour record (OpName:Obrys, OpNum:2, La:4)");
    EXPECT_EQ(Op.OpType, OpTypeContour);
    EXPECT_TRUE(Op.TgIn);
    EXPECT_FALSE(Op.TgOut);
    EXPECT_TRUE(Op.Revers);
    EXPECT_FALSE(Op.Inside);
    EXPECT_TRUE(Op.Outside);
    EXPECT_TRUE(Op.Fillet);
    EXPECT_FALSE(Op.Corner3D);
    EXPECT_TRUE(Op.Sousledne);
    EXPECT_EQ(Op.Pridavek, 0.25L);
    EXPECT_EQ(Op.TgPolomer, 2);
    EXPECT_EQ(Op.TgUhel, 0.5L);
    EXPECT_EQ(Op.Corner3DUhel, 0.75L);
    EXPECT_EQ(Op.La1, 4);
    EXPECT_EQ(Op.La2, 0);
    EXPECT_EQ(Op.Depth, 1.5L);
    EXPECT_EQ(Op.MasterOp, -1);
    EXPECT_EQ(Op.Status, 3);
    EXPECT_EQ(Op.ParCnt, 1);
    EXPECT_EQ(Op.Parents[0], &A);
}

TEST_F(CamOpRecordTest, PocketRecord) {
    OpList.Index = 0;
    ASSERT_TRUE(RecordOpPocket(1, 2, true, 0.1L, 0.2L, 0.3L, 0.4L, 0.5L, 0.6L, 0.7L, 0.8L, 0.9L, true, true, 3, 5,
                               "Kapsa", 2.5L, true));
    EXPECT_EQ(LastLine(), "CAM:OpPocket record (OpName:Kapsa, OpNum:0, La1:3, La2:5)");
    const TCamOp& Op = OpList.Cam[0];
    EXPECT_EQ(Op.OpType, OpTypePocket);
    EXPECT_EQ(Op.FillType, 1);
    EXPECT_EQ(Op.Strategy, 2);
    const Extended Got[] = {Op.ThinError, Op.AllError, Op.MFillUhel, Op.MFillPresah, Op.MfillPridavek,
                            Op.RFillUhel, Op.RFillPresah, Op.RFillPridavek, Op.Corner3DUhel};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Got[i], (i + 1) / 10.0L) << i;
    EXPECT_TRUE(Op.Crossing && Op.Corner3D && Op.Sousledne && Op.OnePassFin);
    EXPECT_EQ(Op.La1, 3);
    EXPECT_EQ(Op.La2, 5);
    EXPECT_EQ(Op.Depth, 2.5L);
    EXPECT_EQ(Op.MasterOp, -1);
}

TEST_F(CamOpRecordTest, SubOperationZeroesTheFill) {
    OpList.Index = 0;  // not used: the sub-operation names its own record
    TCamOp& Op = OpList.Cam[3];
    Op.MFillPresah = 2;
    Op.Depth = 4;
    Op.Crossing = Op.OnePassFin = true;
    Op.La2 = 6;
    ASSERT_TRUE(RecordSubOp(3, OpTypePocketFin, "Dokončení", 6, 2));
    EXPECT_EQ(LastLine(), "CAM:SubOp record  (OpName:Dokončení, OpNum:3, La:6, MopId:2)");
    EXPECT_EQ(Op.OpType, OpTypePocketFin);
    EXPECT_EQ(Op.MasterOp, 2);
    EXPECT_EQ(Op.La1, 6);
    EXPECT_EQ(Op.La2, 0);
    EXPECT_EQ(Op.MFillPresah, 0);
    EXPECT_EQ(Op.Depth, 0);
    EXPECT_FALSE(Op.Crossing || Op.OnePassFin);
    EXPECT_EQ(OpList.Cam[0].OpType, 0);
}

TEST_F(CamOpRecordTest, SurfaceRecord) {
    OpList.Index = 1;
    OpList.Cam[1].AllError = 3;
    OpList.Cam[1].Corner3D = true;
    ASSERT_TRUE(RecordOpSurface(true, 9, "Plocha", 0.05L, 1, 0.6L, 2, 0.3L, 2));
    EXPECT_EQ(LastLine(), "CAM:OpSurface record  (OpName:Plocha, OpNum:1, La:9)");
    const TCamOp& Op = OpList.Cam[1];
    EXPECT_EQ(Op.OpType, OpTypeSurface);
    EXPECT_EQ(Op.Strategy, 1);
    EXPECT_EQ(Op.EdgeMode, 2);
    EXPECT_EQ(Op.ThinError, 0.05L);
    EXPECT_EQ(Op.MFillUhel, 1);
    EXPECT_EQ(Op.MFillPresah, 0.6L);
    EXPECT_EQ(Op.MfillPridavek, 2);
    EXPECT_EQ(Op.Depth, 0.3L);
    EXPECT_EQ(Op.AllError, 0);
    EXPECT_FALSE(Op.Corner3D);
    EXPECT_EQ(Op.La1, 9);
    EXPECT_EQ(Op.MasterOp, -1);
}

TEST_F(CamOpRecordTest, NoSuchRecordIsRefused) {
    for (int Index : {-1, MaxCamOps}) {
        OpList.Index = Index;
        EXPECT_FALSE(RecordOpContour(false, false, false, true, false, false, false, false, 0, 0, 0, 0, 1, "x", 1));
        EXPECT_EQ(LastLine(), "Err:OpContour record FAILED, no record (OpNum:" + std::to_string(Index) + ")");
        EXPECT_FALSE(RecordOpSurface(false, 1, "x", 0, 0, 0, 0, 1, 0));
        EXPECT_FALSE(RecordOpPocket(0, 0, false, 0, 0, 0, 0, 0, 0, 0, 0, 0, false, false, 1, 0, "x", 1, false));
        EXPECT_FALSE(RecordSubOp(Index, OpTypePocketRough, "x", 1, 0));
    }
    for (const TCamOp& Op : OpList.Cam) EXPECT_EQ(Op.OpType, 0);
}

}  // namespace
