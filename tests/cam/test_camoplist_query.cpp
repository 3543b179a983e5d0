// Operations by layer, sub-operation counts, link positions and the saved mode switches.
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "support/Fixture.h"

namespace {

class CamOpQueryTest : public KestrilonTest {
protected:
    // Operations given as {La1, La2, MasterOp}.
    static void Ops(std::initializer_list<std::array<int, 3>> L) {
        int i = 0;
        for (const auto& o : L) {
            OpList.Cam[i].La1 = o[0];
            OpList.Cam[i].La2 = o[1];
            OpList.Cam[i].MasterOp = o[2];
            ++i;
        }
        OpList.CamCnt = i;
    }
};

TEST_F(CamOpQueryTest, LayerQueries) {
    // A scratch record beyond the list must not count.
    OpList.Cam[4].La1 = 9;
    Ops({{5, 5, -1}, {3, 0, -1}, {2, 3, -1}, {3, 0, 2}});
    const struct {
        int La, Count;
    } Cases[] = {{5, 2}, {3, 3}, {2, 1}, {9, 0}, {0, 0}, {64, 0}};
    for (const auto& c : Cases) {
        EXPECT_EQ(LayerCamOpCount(static_cast<uint8_t>(c.La)), c.Count) << c.La;
        EXPECT_EQ(LayerHasCamOp(static_cast<uint8_t>(c.La)), c.Count > 0) << c.La;
    }
    TOpMap Map{};
    CamOpsOfLayer(3, Map);
    EXPECT_EQ(Map[0], 255);
    EXPECT_EQ(Map[1], 1);
    EXPECT_EQ(Map[2], 2);
    EXPECT_EQ(Map[3], 3);
    EXPECT_EQ(Map[4], 255);
    EXPECT_EQ(Map[99], 255);
    EXPECT_EQ(MaxCamOpLayer(), 5);
    EXPECT_EQ(SubOpCount(2), 1);
    EXPECT_EQ(SubOpCount(-1), 3);
    SetLayerOpsDepth(3, 1.5L);
    EXPECT_EQ(OpList.Cam[0].Depth, -1);
    EXPECT_EQ(OpList.Cam[1].Depth, 1.5L);
    EXPECT_EQ(OpList.Cam[2].Depth, 1.5L);
    EXPECT_EQ(OpList.Cam[4].Depth, -1);
}

TEST_F(CamOpQueryTest, EmptyListHasLayerOne) {
    EXPECT_EQ(MaxCamOpLayer(), 1);
    OpList.Cam[0].La1 = 7;  // not counted: CamCnt is 0
    EXPECT_EQ(MaxCamOpLayer(), 1);
    EXPECT_FALSE(LayerHasCamOp(7));
}

TEST_F(CamOpQueryTest, PocketWithRoughingAndFinishingHasTwoSubOperations) {
    Ops({{1, 0, -1}, {2, 3, -1}, {2, 0, 1}, {3, 0, 1}, {4, 0, -1}});
    EXPECT_EQ(SubOpCount(1), 2);
    EXPECT_EQ(SubOpCount(0), 0);
}

TEST_F(CamOpQueryTest, LinkPositions) {
    TObjHeader A{}, B{}, C{};
    CamOpAddParent(&A, 2);
    CamOpAddParent(&B, 2);
    CamOpAddChild(&C, 2);
    OpList.Cam[2].Childs[CamOpLinkCount - 1] = &B;  // beyond the used entries: still found
    const struct {
        const TObjHeader* Adr;
        int OpNum, Parent, Child;
    } Cases[] = {{&A, 2, 0, 0}, {&B, 2, 1, CamOpLinkCount - 1}, {&C, 2, 0, 0}, {&B, 3, 0, 0},
                 {&B, -1, 0, 0}, {&B, MaxCamOps, 0, 0}};
    for (const auto& c : Cases) {
        EXPECT_EQ(CamOpParentIndex(c.Adr, c.OpNum), c.Parent) << c.OpNum;
        EXPECT_EQ(CamOpChildIndex(c.Adr, c.OpNum), c.Child) << c.OpNum;
    }
}

TEST_F(CamOpQueryTest, ModeSwitchesSurviveANestedCommand) {
    Glob.OpEdit = true;
    Glob.OpRegen = false;
    Glob.OpNew = true;
    SaveCamModeFlags();
    Glob.OpEdit = false;
    Glob.OpRegen = true;
    Glob.OpNew = false;
    RestoreCamModeFlags();
    EXPECT_TRUE(Glob.OpEdit);
    EXPECT_FALSE(Glob.OpRegen);
    EXPECT_TRUE(Glob.OpNew);
}

}  // namespace
