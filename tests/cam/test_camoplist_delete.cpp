// Removing an operation: later records move down with their masters, and in
// one-layer-per-operation mode a freed tool layer takes every higher layer down with
// its objects, tools and operations.
#include <string>
#include <unordered_set>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "support/Fixture.h"

namespace {

class CamOpDeleteTest : public KestrilonTest {
protected:
    struct TOpSpec {
        int La1, La2, Master;
    };
    // One operation per row (named "op<n>") and one line on each listed layer; every
    // tool layer's TID is its layer number times 10.
    std::vector<TObjHeader*> Build(const std::vector<TOpSpec>& Ops, const std::vector<int>& Layers) {
        int i = 0;
        for (const TOpSpec& s : Ops) {
            TCamOp& Op = OpList.Cam[i];
            Op.Name = "op" + std::to_string(i);
            Op.La1 = s.La1;
            Op.La2 = s.La2;
            Op.MasterOp = s.Master;
            ++i;
        }
        OpList.CamCnt = i;
        for (int L = 1; L <= ToolLayerCount; ++L) Glob.Tool[L].TID = 10 * L;
        std::vector<TObjHeader*> Objs;
        for (int L : Layers) {
            EnPline.LineAdd({0, 0}, {1, 1}, static_cast<uint8_t>(L), MainVars.DataStart, MainVars.DataEnd);
            Objs.push_back(MainVars.DataEnd);
        }
        return Objs;
    }
    // "La1/La2:Master" of each operation left.
    static std::string Left() {
        std::string S;
        for (int i = 0; i < OpList.CamCnt; ++i)
            S += OpList.Cam[i].Name + "=" + std::to_string(OpList.Cam[i].La1) + "/" +
                 std::to_string(OpList.Cam[i].La2) + ":" + std::to_string(OpList.Cam[i].MasterOp) + " ";
        return S;
    }
    static std::string LayersOf(const std::vector<TObjHeader*>& Objs) {
        std::string S;
        for (const TObjHeader* p : Objs) S += std::to_string(p->Layer) + " ";
        return S;
    }
};

TEST_F(CamOpDeleteTest, FreedLayerTakesEveryHigherLayerDown) {
    Glob.AutoLayNum = true;
    // op1 (layer 5) goes. op0 lies before it on a higher layer, op2 after it on a lower
    // one: both keep naming the tool their objects and tools now have.
    const auto Objs = Build({{8, 0, -1}, {5, 0, -1}, {3, 0, -1}, {7, 6, -1}, {6, 0, 3}}, {3, 5, 6, 8, 64});
    DeleteCamOp(1);
    EXPECT_EQ(Left(), "op0=7/0:-1 op2=3/0:-1 op3=6/5:-1 op4=5/0:2 ");
    EXPECT_EQ(LayersOf(Objs), "3 5 5 7 63 ");
    EXPECT_EQ(Glob.Tool[5].TID, 60);
    EXPECT_EQ(Glob.Tool[63].TID, 640);
    EXPECT_EQ(Glob.Tool[64].TID, 640);
    EXPECT_EQ(Glob.Tool[3].TID, 30);
    EXPECT_EQ(OpList.LastLa, 7);
    EXPECT_EQ(OpList.LastTID, 80);
    EXPECT_EQ(OpList.Cam[4].Depth, -1);
    EXPECT_EQ(OpList.Cam[4].Parents.size(), static_cast<size_t>(CamOpLinkCount));
}

TEST_F(CamOpDeleteTest, FirstLayerAndBothLayersOfAPocket) {
    // Operation 0 goes; then "op<n>=La1/La2:Master" of the rest and the objects' layers.
    const struct {
        std::vector<TOpSpec> Ops;
        std::vector<int> Layers;
        const char* Left;
        const char* LayersAfter;
    } Cases[] = {
        // Layer 1 freed: layer 2 becomes 1.
        {{{1, 0, -1}, {2, 0, -1}, {5, 0, -1}}, {1, 2, 5}, "op1=1/0:-1 op2=4/0:-1 ", "1 1 4 "},
        // Both layers freed: 4 first, then 2.
        {{{2, 4, -1}, {1, 0, -1}, {5, 0, -1}}, {2, 4, 5}, "op1=1/0:-1 op2=3/0:-1 ", "2 3 3 "},
        // Both layers the same: the operation counts twice, nothing is freed.
        {{{5, 5, -1}, {2, 0, -1}, {6, 0, -1}}, {5, 6}, "op1=2/0:-1 op2=6/0:-1 ", "5 6 "},
        // Layer 2 is still used by op1: only layer 4 goes.
        {{{2, 4, -1}, {2, 0, -1}, {5, 0, -1}}, {2, 4, 5}, "op1=2/0:-1 op2=4/0:-1 ", "2 4 4 "},
    };
    for (const auto& c : Cases) {
        ResetAllState();
        Glob.AutoLayNum = true;
        const auto Objs = Build(c.Ops, c.Layers);
        DeleteCamOp(0);
        EXPECT_EQ(Left(), c.Left) << c.Left;
        EXPECT_EQ(LayersOf(Objs), c.LayersAfter) << c.Left;
    }
}

TEST_F(CamOpDeleteTest, WithoutLayerModeOnlyTheRecordsMove) {
    const auto Objs = Build({{1, 0, -1}, {2, 3, -1}, {2, 0, 1}, {3, 0, 1}}, {2, 3});
    OpList.LastLa = 9;
    DeleteCamOp(0);
    EXPECT_EQ(Left(), "op1=2/3:-1 op2=2/0:0 op3=3/0:0 ");
    EXPECT_EQ(LayersOf(Objs), "2 3 ");
    EXPECT_EQ(OpList.LastLa, 9);
    // A sub-operation whose master goes is left without one.
    DeleteCamOp(0);
    EXPECT_EQ(Left(), "op2=2/0:-1 op3=3/0:-1 ");
}

TEST_F(CamOpDeleteTest, NothingMovesOutsideTheListOrWithoutBookkeeping) {
    Glob.AutoLayNum = true;
    const auto Objs = Build({{1, 0, -1}, {2, 0, -1}}, {2});
    DeleteCamOp(2);
    DeleteCamOp(-1);
    Glob.OpCamOp = false;
    DeleteCamOp(0);
    EXPECT_EQ(Left(), "op0=1/0:-1 op1=2/0:-1 ");
    EXPECT_EQ(LayersOf(Objs), "2 ");
}

TEST_F(CamOpDeleteTest, AllChildsLeaveTheDrawingExceptTheKeptOnes) {
    const auto Objs = Build({{1, 0, -1}}, {1, 1, 1});
    for (TObjHeader* p : Objs) CamOpAddChild(p, 0);
    const std::unordered_set<TObjHeader*> Keep{Objs[1]};
    CamOpDelAllChilds(0, &Keep);
    EXPECT_EQ(OpList.Cam[0].ChilCnt, 0);
    EXPECT_EQ(OpList.Cam[0].Childs[0], nullptr);
    EXPECT_EQ(MainVars.DataStart, Objs[1]);
    EXPECT_EQ(MainVars.DataEnd, Objs[1]);
    CamOpDelAllChilds(-1);
    CamOpDelAllChilds(MaxCamOps);
}

}  // namespace
