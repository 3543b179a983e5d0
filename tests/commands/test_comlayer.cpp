// CHANGELAYER, GROUP and UNGROUP typed through the command line, with the links of
// machining operations.
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
using Adrs = std::vector<TObjHeader*>;

class ComLayerTest : public CmdTest {
protected:
    static TObjHeader* Line(Extended X, bool Selected) { return AddLine({X, 0}, {X, 1}, Selected); }
    // The layer names of the program: T1..T64, then the special layers.
    static void NameLayers() {
        for (int L = 1; L <= 64; ++L) Glob.TabLayer[L].Name = "T" + std::to_string(L);
        Glob.TabLayer[65].Name = "Mat";
        Glob.TabLayer[66].Name = "Upin";
        Glob.TabLayer[67].Name = "Koty";
        Glob.TabLayer[68].Name = "Orig";
    }
    static void Ops(int N) {
        OpList.CamCnt = N;
        for (int i = 0; i < N; ++i) {
            OpList.Cam[i].OpType = OpTypeContour;
            OpList.Cam[i].Status = 0;
        }
    }
};

TEST_F(ComLayerTest, ChangeLayerFindsTheLayerByNameInAnyLetterCase) {
    const struct {
        const char* Input;
        int Layer;  // 0: no layer
    } Cases[] = {{"orig", 68}, {"ORIG", 68}, {"t5", 5}, {"5", 0}, {"", 0}};
    for (const auto& C : Cases) {
        Start();
        NameLayers();
        TObjHeader* A = Line(0, true);
        TObjHeader* B = Line(1, false);
        Mark();
        Run({"CHANGELAYER", "", C.Input});
        EXPECT_EQ(A->Layer, C.Layer ? C.Layer : 1) << C.Input;
        EXPECT_EQ(B->Layer, 1) << C.Input;
        const Lines L = NewLog();
        if (C.Layer)
            EXPECT_EQ(L[L.size() - 2], "Usr:Change layer to:" + std::to_string(C.Layer)) << C.Input;
        else
            EXPECT_EQ(L[L.size() - 2], "Err:Wrong layer (0)") << C.Input;
        EXPECT_EQ(L.back(), "Sys:ComChangeLayer End");
        EXPECT_EQ(MainVars.ComCnt, -1);
        H.reset();
    }
}

TEST_F(ComLayerTest, ChangeLayerMovesNestedMembersButNotTheGroupHeader) {
    Start();
    NameLayers();
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    EnPoint.Add({0, 0}, 2, S, E);
    TObjHeader* Inner = MakeGroup(false, S, E);
    Inner->Layer = 3;
    AppendObj(Inner, S, E);
    EnPoint.Add({1, 1}, 2, S, E);
    TObjHeader* G = MakeGroup(false, S, E);
    G->Layer = 7;
    G->Flags |= FlagSelected;
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    Run({"CHANGELAYER", "", "T5"});
    EXPECT_EQ(G->Layer, 7);
    EXPECT_EQ(Inner->Layer, 3);
    EXPECT_EQ(AsGroup(Inner)->First->Layer, 5);
    EXPECT_EQ(AsGroup(G)->Last->Layer, 5);
}

TEST_F(ComLayerTest, TheLayerPanelAnswersTheLayerQuestion) {
    Start();
    NameLayers();
    TObjHeader* A = Line(0, true);
    Run({"CHANGELAYER", ""});
    H->Form().LayerRowMouseDown(TMouseButton::mbLeft, 65);
    EXPECT_EQ(A->Layer, 65);
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Change layer to:65"));
    EXPECT_EQ(NewLog().back(), "Sys:ComChangeLayer End");
}

// Every operation that used a member keeps the group: as a source (queued) when some
// member was its source, as a path otherwise. No link to a member survives.
TEST_F(ComLayerTest, GroupTakesOverTheLinksOfItsMembers) {
    Start();
    Ops(3);
    TObjHeader* A = Line(0, true);
    TObjHeader* X = Line(5, false);
    TObjHeader* B = Line(1, true);
    TObjHeader* C = Line(2, true);
    for (TObjHeader* p : {A, B, C}) CamOpAddParent(p, 0);
    CamOpAddParent(X, 0);
    CamOpAddParent(C, 2);
    CamOpAddChild(B, 1);
    Mark();
    Run({"GROUP", ""});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u);
    TObjHeader* G = D[1];
    ASSERT_EQ(G->Type, ObjGroup);
    EXPECT_EQ(AsGroup(G)->Count, 3);
    EXPECT_EQ(AsGroup(G)->First, A);
    EXPECT_EQ(AsGroup(G)->Last, C);
    EXPECT_EQ(Parents(0), (Adrs{X, G}));
    EXPECT_EQ(Childs(1), (Adrs{G}));
    EXPECT_EQ(Parents(2), (Adrs{G}));
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_EQ(OpList.Cam[1].Status, 0);
    EXPECT_EQ(OpList.Cam[2].Status, 1);
    const Lines L = NewLog();
    EXPECT_TRUE(TCmdHarness::LogHas("Ops:Adding OpNum:0 to regen"));
    EXPECT_TRUE(TCmdHarness::LogHas("Ops:Adding OpNum:2 to regen"));
    EXPECT_EQ(L.back(), "Sys:ComGRoup End");
}

TEST_F(ComLayerTest, GroupWithNothingToGroup) {
    const struct {
        bool Objects;
        bool Selected;
        const char* Err;
    } Cases[] = {{false, false, "Err:no objects to group"}, {true, false, nullptr}};
    for (const auto& C : Cases) {
        Start();
        if (C.Objects) Line(0, C.Selected);
        Run({"GROUP", ""});
        EXPECT_EQ(CountObjs(MainVars.DataStart), C.Objects ? 1 : 0);
        if (C.Objects) EXPECT_EQ(MainVars.DataStart->Type, ObjPline);
        if (C.Err) EXPECT_TRUE(TCmdHarness::LogHas(C.Err));
        EXPECT_EQ(NewLog().back(), "Sys:ComGRoup End");
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
        H.reset();
    }
}

TEST_F(ComLayerTest, UngroupHandsTheGroupLinksToTheMembers) {
    const bool Linked[] = {true, false};
    for (bool L : Linked) {
        Start();
        Ops(2);
        TObjHeader* A = Line(0, true);
        TObjHeader* B = Line(1, true);
        TObjHeader* Other = Line(2, false);
        Run({"GROUP", ""});
        TObjHeader* G = MainVars.DataEnd;
        if (L) {
            CamOpAddParent(G, 1);
            CamOpAddChild(G, 0);
        }
        G->Flags |= FlagSelected;
        Run({"UNGROUP", ""});
        EXPECT_EQ(Drawing(), (Adrs{Other, A, B}));
        EXPECT_EQ(Parents(1), L ? (Adrs{A, B}) : Adrs{});
        EXPECT_EQ(Childs(0), L ? (Adrs{A, B}) : Adrs{});
        EXPECT_EQ(OpList.Cam[1].Status, 0);
        EXPECT_FALSE(A->Flags & FlagSelected);
        EXPECT_EQ(NewLog().back(), "Sys:ComUngroup End");
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
        H.reset();
    }
}

}  // namespace
