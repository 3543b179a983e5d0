// Machining order: the nearest-neighbour sort of one layer, group division, and SORT
// through the program with its dialog; operation links survive both.
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/Sort.h"
#include "cam/SortDg.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"
#include "support/PlainSort.h"

namespace {

using Pts = std::vector<Osy>;

class SortTest : public CmdTest {
public:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
    }
    // Operations 0..n-1 as contours, to hang links on.
    static void Ops(int n) {
        OpList.CamCnt = n;
        for (int i = 0; i < n; ++i) OpList.Cam[size_t(i)].OpType = OpTypeContour, OpList.Cam[size_t(i)].Status = 0;
    }
    TObjHeader*& S() { return MainVars.DataStart; }
    TObjHeader*& E() { return MainVars.DataEnd; }
    TObjHeader* Point(Extended X, Extended Y, uint8_t La = 1) { return EnPoint.Add({X, Y}, La, S(), E()); }
    TObjHeader* Line(Osy A, Osy B, uint8_t La = 1) {
        EnPline.LineAdd(A, B, La, S(), E());
        return E();
    }
    // A group of a line on each given layer, appended to the drawing.
    TObjHeader* Group(const std::vector<std::pair<uint8_t, Osy>>& Members) {
        TObjHeader *GS = nullptr, *GE = nullptr;
        for (const auto& [La, P] : Members) EnPline.LineAdd(P, {P.x + 1, P.y}, La, GS, GE);
        return AppendObj(MakeGroup(false, GS, GE), S(), E());
    }
    // Start point of every top-level record and its layer, in list order.
    static std::vector<std::string> Order() {
        std::vector<std::string> Out;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
            Osy P{0, 0};
            if (p->Type == ObjGroup) P = AsPline(AsGroup(p)->First)->S;
            else P = AsPline(p)->S;
            Out.push_back("T" + std::to_string(p->Layer) + ":" + std::to_string(int(P.x)) + "," +
                          std::to_string(int(P.y)));
        }
        return Out;
    }
};

TEST_F(SortTest, NearestNeighbourOrderFromTheOrigin) {
    struct Case {
        const char* Name;
        std::function<void(SortTest&)> Draw;
        TSortOptions Opt;
        std::vector<std::string> Expected;
    };
    const std::vector<Case> Cases = {
        {"points", [](SortTest& T) { T.Point(10, 0), T.Point(5, 0), T.Point(20, 0); }, {},
         {"T1:5,0", "T1:10,0", "T1:20,0"}},
        {"equal distances keep the list order", [](SortTest& T) { T.Point(0, 5), T.Point(5, 0), T.Point(-5, 0); },
         {}, {"T1:0,5", "T1:5,0", "T1:-5,0"}},
        {"other layers stay in front", [](SortTest& T) {
             T.Point(9, 0, 1), T.Point(1, 1, 2), T.Point(3, 0, 1), T.Point(2, 2, 2);
         }, {}, {"T2:1,1", "T2:2,2", "T1:3,0", "T1:9,0"}},
        {"a line entered from its end with the option", [](SortTest& T) { T.Line({50, 0}, {1, 0}); },
         {false, false, true}, {"T1:1,0"}},
        {"a line keeps its direction without it", [](SortTest& T) { T.Line({50, 0}, {1, 0}); }, {},
         {"T1:50,0"}},
        {"the current point is the end of the last object", [](SortTest& T) {
             T.Line({30, 0}, {30, 30}), T.Point(31, 31), T.Point(1, 0);
         }, {}, {"T1:1,0", "T1:30,0", "T1:31,31"}},
        {"a group moves whole, placed by its objects on the layer", [](SortTest& T) {
             T.Point(6, 0), T.Group({{3, {0, 0}}, {1, {4, 0}}, {1, {20, 0}}}), T.Point(8, 0);
         }, {}, {"T3:0,0", "T1:8,0", "T1:6,0"}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        FreeObjList(S(), E());
        C.Draw(*this);
        SortLayer(1, S(), E(), {0, 0}, C.Opt);
        EXPECT_EQ(Order(), C.Expected);
    }
}

TEST_F(SortTest, IndexChoosesWhatThePlainScanChoosesOnRandomDrawings) {
    std::mt19937 Rng(7);
    std::uniform_real_distribution<double> U(-500, 500);
    // The last rounds on a small integer grid: many objects at equal distances and on
    // one another, where only the tie rule decides.
    for (int Round = 0; Round < 10; ++Round) {
        const bool Swap = Round % 2 == 1, Grid = Round >= 6;
        auto C = [&](Extended Free, Extended OnGrid) { return Grid ? std::round(U(Rng) / OnGrid) : U(Rng) / Free; };
        TObjHeader *AS = nullptr, *AE = nullptr, *BS = nullptr, *BE = nullptr;
        for (int i = 0; i < 400; ++i) {
            const Osy P{C(1, 25), C(1, 25)};
            Osy Q{P.x + C(50, 100), P.y + C(50, 100)};
            if (Q.x == P.x && Q.y == P.y) Q.x += 1;
            const uint8_t La = i % 5 == 0 ? 2 : 1;
            if (i % 3 == 0) {
                EnPoint.Add(P, La, AS, AE);
                EnPoint.Add(P, La, BS, BE);
            } else {
                EnPline.LineAdd(P, Q, La, AS, AE);
                EnPline.LineAdd(P, Q, La, BS, BE);
            }
        }
        SortLayer(1, AS, AE, {0, 0}, {false, false, Swap});
        PlainScanSort(1, BS, BE, Swap);
        int Compared = 0;
        for (TObjHeader *a = AS, *b = BS; a || b; a = a->Next, b = b->Next, ++Compared) {
            ASSERT_TRUE(a && b);
            ASSERT_EQ(a->Layer, b->Layer);
            ASSERT_EQ(AsPline(a)->S.x, AsPline(b)->S.x) << "round " << Round << " position " << Compared;
            ASSERT_EQ(AsPline(a)->S.y, AsPline(b)->S.y) << "round " << Round << " position " << Compared;
            ASSERT_EQ(PlineEndPt(a).x, PlineEndPt(b).x);
            ASSERT_EQ(PlineEndPt(a).y, PlineEndPt(b).y);
        }
        EXPECT_EQ(Compared, 400);
        FreeObjList(AS, AE);
        FreeObjList(BS, BE);
    }
}

TEST_F(SortTest, DivisionMakesOneGroupPerLayerAndMovesTheLinks) {
    Ops(2);
    TObjHeader* Before = Line({100, 100}, {101, 100});
    TObjHeader* G = Group({{1, {0, 0}}, {3, {5, 0}}, {1, {9, 0}}});
    CamOpAddParent(G, 0);
    CamOpAddChild(G, 1);
    CamOpAddParent(Before, 1);

    TScriptResponder R;
    R.ExpectModal("SortDialog", [](TForm& F) {
        F.Find<TCheckBox>("ChBoxDivGroup")->Click();
        F.Find<TCheckBox>("ChBoxT1")->Click();
        F.ClickButton("BitBtnStart");
        return F.ModalResult;
    });
    H->Enter("SORT");
    EXPECT_TRUE(R.Done());
    // Two groups, one per layer, at the front; the T1 group holds both T1 lines and,
    // sorted on T1 with the line at (100, 100), comes after the T3 group.
    std::vector<TObjHeader*> Groups;
    for (TObjHeader* p = S(); p; p = p->Next)
        if (p->Type == ObjGroup) Groups.push_back(p);
    ASSERT_EQ(Groups.size(), 2u);
    EXPECT_EQ(Order(), (std::vector<std::string>{"T3:5,0", "T1:0,0", "T1:100,100"}));
    EXPECT_EQ(AsGroup(Groups[1])->Count, 2);
    // The links moved to both new groups; nothing points at the freed group.
    const std::vector<TObjHeader*> ByLayer{Groups[1], Groups[0]};
    EXPECT_EQ(Parents(0), ByLayer);
    EXPECT_EQ(Childs(1), ByLayer);
    EXPECT_EQ(Parents(1), (std::vector<TObjHeader*>{Before}));
    EXPECT_TRUE(H->LogHas("Usr:Start sort (params:SortGroups:false DivGroups:true JoinPlines:false ChDirPlines:false"));
    EXPECT_TRUE(H->LogHas("Sys:ComSort End"));
}

TEST_F(SortTest, JoinedPolylinesHandTheirLinksToTheJoinedRecord) {
    Ops(1);
    Line({10, 0}, {20, 0});
    TObjHeader* B = Line({20, 0}, {20, 10});
    Line({0, 50}, {0, 60});
    CamOpAddParent(B, 0);
    SortLayer(1, S(), E(), {0, 0}, {true, false, false});
    // The operation's source follows B into the joined record.
    ASSERT_EQ(Parents(0).size(), 1u);
    EXPECT_EQ(Parents(0)[0], S());
    EXPECT_EQ(PlineSegCount(S()), 2);
    EXPECT_EQ(Order(), (std::vector<std::string>{"T1:10,0", "T1:0,50"}));
}

TEST_F(SortTest, TheDialogStartsClearedAndTheButtonsSetEveryLayer) {
    TScriptResponder R;
    R.ExpectModal("SortDialog", [](TForm& F) {
        F.Find<TCheckBox>("ChBoxJoin")->Click();
        F.ClickButton("BtnAll");
        return mrOk;
    });
    H->Enter("SORT");
    EXPECT_TRUE(SortDialog->LayerBox[63]->Checked);
    R.ExpectModal("SortDialog", [](TForm& F) {
        // Shown again: every box cleared.
        EXPECT_FALSE(F.Find<TCheckBox>("ChBoxJoin")->Checked);
        EXPECT_FALSE(F.Find<TCheckBox>("ChBoxT5")->Checked);
        F.ClickButton("BtnAll");
        F.ClickButton("BtnNone");
        EXPECT_FALSE(F.Find<TCheckBox>("ChBoxT5")->Checked);
        return mrOk;
    });
    H->Enter("SORT");
    EXPECT_TRUE(R.Done());
}

}  // namespace
