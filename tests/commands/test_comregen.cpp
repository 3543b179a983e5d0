// The regeneration queue, the three sweeps and the hand-off.
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<int> Regenerated;
// A regeneration brings the operation up to date.
void RecordRegen(int OpNum) {
    Regenerated.push_back(OpNum);
    OpList.Cam[OpNum].Status = 0;
}

class ComRegenTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        Regenerated.clear();
        RegenCamOpHook = &RecordRegen;
    }
    void TearDown() override {
        RegenCamOpHook = nullptr;
        CmdTest::TearDown();
    }
    // A start resets the program, which installs the machining code's regeneration: the
    // recorder takes its place again.
    void Start() {
        CmdTest::Start();
        RegenCamOpHook = &RecordRegen;
    }
    // Operations of the given types, numbered from 0.
    static void MakeOps(const std::vector<int>& Types) {
        OpList.CamCnt = static_cast<int>(Types.size());
        for (size_t i = 0; i < Types.size(); ++i) {
            OpList.Cam[i].OpType = Types[i];
            OpList.Cam[i].Status = 0;
            OpList.Cam[i].Name = "Op" + std::to_string(i);
        }
    }
    static TObjHeader* Line(Extended X) {
        EnPline.LineAdd({X, 0}, {X, 10}, 1, MainVars.DataStart, MainVars.DataEnd);
        return MainVars.DataEnd;
    }
    static int AddLines(const Lines& L) {
        int n = 0;
        for (const auto& T : L)
            if (T.rfind("Ops:Adding OpNum:", 0) == 0) ++n;
        return n;
    }
};

TEST_F(ComRegenTest, InPlaceSweepQueuesSourcesOnceAndMarksPaths) {
    // Operation 0: A source and path; 1: B source; 2: C path only; 3 pocket with its
    // roughing (4) and finishing (5) sub-operations, all three listing D.
    MakeOps({1, 1, 1, 2, 3, 4});
    TObjHeader *A = Line(0), *B = Line(1), *C = Line(2), *D = Line(3);
    CamOpAddParent(A, 0);
    CamOpAddChild(A, 0);
    CamOpAddParent(B, 1);
    CamOpAddParent(A, 1);
    CamOpAddChild(C, 2);
    CamOpAddParent(D, 4);  // the sub-operation comes first for an empty queue
    CamOpAddParent(D, 5);
    CamOpAddParent(D, 3);
    Mark();
    TRegenQueue Q;
    for (TObjHeader* p : {D, A, B, C}) InPlaceSweep(p, Q, true);
    EXPECT_EQ(Q.Ops(), (std::vector<int>{3, 0, 1}));
    EXPECT_EQ(AddLines(NewLog()), 3);
    EXPECT_TRUE(TCmdHarness::LogHas("Ops:Adding OpNum:3 to regen"));
    EXPECT_EQ(OpList.Cam[0].Status, 0);  // a source wins over a path
    EXPECT_EQ(OpList.Cam[2].Status, 4);
    // Without path actions the path's operation keeps its status.
    OpList.Cam[2].Status = 0;
    TRegenQueue Q2(false);
    InPlaceSweep(C, Q2, false);
    EXPECT_EQ(OpList.Cam[2].Status, 0);
    EXPECT_TRUE(Q2.Empty());
}

TEST_F(ComRegenTest, HandOffByAutoRegenAndOpNew) {
    // Operation 0 has a moved source and a moved path; operation 1 only a moved path.
    const struct {
        bool AutoRegen, OpNew;
        uint8_t Status0, Status1;
        std::vector<int> Regen;
    } Cases[] = {
        {false, false, 1, 4, {}},
        {true, false, 0, 4, {0}},
        {false, true, 4, 4, {}},  // while an operation is made: only the path marks
        {true, true, 4, 4, {}},
    };
    for (const auto& C : Cases) {
        H.reset();
        Start();
        Regenerated.clear();
        MakeOps({1, 1});
        TObjHeader *S = Line(0), *P0 = Line(1), *P1 = Line(2);
        CamOpAddParent(S, 0);
        CamOpAddChild(P0, 0);
        CamOpAddChild(P1, 1);
        Glob.AutoRegen = C.AutoRegen;
        Glob.OpNew = C.OpNew;
        TRegenQueue Q;
        for (TObjHeader* p : {P0, S, P1}) InPlaceSweep(p, Q, true);
        // The path of operation 0 was marked before its source queued it.
        HandOffRegen(Q);
        EXPECT_EQ(OpList.Cam[0].Status, C.Status0) << C.AutoRegen << C.OpNew;
        EXPECT_EQ(Regenerated, C.Regen) << C.AutoRegen << C.OpNew;
        EXPECT_EQ(OpList.Cam[1].Status, C.Status1) << C.AutoRegen << C.OpNew;
        H.reset();
    }
}

TEST_F(ComRegenTest, PathActionSparesQueuedOperationsOnlyUnderAutoRegen) {
    MakeOps({1});
    for (bool Auto : {false, true}) {
        OpList.Cam[0].Status = 0;
        Glob.AutoRegen = Auto;
        TRegenQueue Q;
        Q.Add(0);
        Q.PathAction(0);
        EXPECT_EQ(OpList.Cam[0].Status, Auto ? 0 : 4) << Auto;
    }
    // An empty queue is handed over: nothing regenerated or marked.
    Glob.AutoRegen = true;
    TRegenQueue Empty;
    HandOffRegen(Empty);
    EXPECT_TRUE(Regenerated.empty());
}

TEST_F(ComRegenTest, AutoRegenWithoutRegeneratorMarksOperationsOutOfDate) {
    RegenCamOpHook = nullptr;
    MakeOps({1, 1});
    TObjHeader* S = Line(0);
    CamOpAddParent(S, 1);
    Glob.AutoRegen = true;
    TRegenQueue Q;
    InPlaceSweep(S, Q, true);
    HandOffRegen(Q);
    EXPECT_EQ(OpList.Cam[1].Status, 1);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
}

TEST_F(ComRegenTest, CopyAndReplaceSweepsMoveLinks) {
    MakeOps({1, 1});
    TObjHeader *A = Line(0), *P = Line(1), *N1 = Line(2), *N2 = Line(3);
    CamOpAddParent(A, 0);
    CamOpAddChild(P, 1);
    CamOpAddParent(Line(9), 0);
    // Copy: the copies join; the originals stay.
    ResetEditAdr();
    AddEditAdr(A).New = {N1};
    AddEditAdr(P).New = {N2};
    TRegenQueue Q;
    CopySweep(Q, true);
    EXPECT_EQ(OpList.Cam[0].ParCnt, 3);
    EXPECT_EQ(OpList.Cam[0].Parents[2], N1);
    EXPECT_EQ(OpList.Cam[1].ChilCnt, 2);
    EXPECT_EQ(Q.Ops(), std::vector<int>{0});
    EXPECT_EQ(OpList.Cam[1].Status, 4);
    // Replace: A's link goes to the end, taken over by N2.
    ResetEditAdr();
    AddEditAdr(A).New = {N2};
    TRegenQueue Q2;
    ReplaceSweep(Q2);
    ASSERT_EQ(OpList.Cam[0].ParCnt, 3);
    EXPECT_NE(OpList.Cam[0].Parents[0], A);
    EXPECT_EQ(OpList.Cam[0].Parents[2], N2);
    EXPECT_EQ(Q2.Ops(), std::vector<int>{0});
}

}  // namespace

namespace {

// The record look-up by working copy stays right when records are emptied or changed
// behind its back, and finds the first of two records with the same copy.
TEST_F(ComRegenTest, EditAddressLookUpFollowsChangesToTheRecords) {
    std::vector<TObjHeader*> Copies;
    for (int i = 0; i < 4; ++i) Copies.push_back(AllocObj(PointRecSize, ObjPoint));
    ResetEditAdr();
    for (int i = 0; i < 3; ++i) AddEditAdr(nullptr, Copies[size_t(i)]);
    AddEditAdr(nullptr, Copies[0]);
    EXPECT_EQ(FindEditAdrByTemp(Copies[0]), &Glob.OpEditAdr[0]);
    EXPECT_EQ(FindEditAdrByTemp(Copies[2]), &Glob.OpEditAdr[2]);
    // A copy replaced through the service and one replaced by a plain write.
    SetEditAdrTemp(Glob.OpEditAdr[1], Copies[3]);
    EXPECT_EQ(FindEditAdrByTemp(Copies[3]), &Glob.OpEditAdr[1]);
    EXPECT_EQ(FindEditAdrByTemp(Copies[1]), nullptr);
    Glob.OpEditAdr[2].Temp = Copies[1];
    EXPECT_EQ(FindEditAdrByTemp(Copies[1]), &Glob.OpEditAdr[2]);
    EXPECT_EQ(FindEditAdrByTemp(Copies[2]), nullptr);
    // Emptied directly and filled again: nothing of the old records is found.
    Glob.OpEditAdr.clear();
    Glob.OpEditAdrCnt = 0;
    AddEditAdr(nullptr, Copies[3]);
    EXPECT_EQ(FindEditAdrByTemp(Copies[0]), nullptr);
    EXPECT_EQ(FindEditAdrByTemp(Copies[3]), &Glob.OpEditAdr[0]);
    for (TObjHeader* p : Copies) FreeObjBlock(p);
}

}  // namespace
