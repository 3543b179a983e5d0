// The drawing's index under editing: after each command the records a zoomed redraw
// visits and the object-snap candidates are those a scan of the whole drawing finds.
#include <random>
#include <string>
#include <vector>

#include "core/Entity.h"
#include "core/UniGeom.h"
#include "shell/Osnap.h"
#include "shell/ViewCulling.h"
#include "ViewFixture.h"

namespace {

class DrawingIndexTest : public ViewTest {
protected:
    void Cmd(const std::vector<std::string>& Lines) {
        for (const std::string& L : Lines) H->Enter(L);
    }
    // Picks the object under (X, Y) in a select step.
    void Select(Extended X, Extended Y) { H->Pick(X, Y); }

    // Every top-level record whose box meets a zoomed view is visited, in list order.
    void ExpectRedrawFindsWhatAScanFinds(const std::string& Step) {
        for (int i = 0; i < 16; ++i) {
            const Osy Min{Extended(i % 4) * 15 - 5, Extended(i / 4) * 15 - 5};
            SetView(Min, 50);
            std::vector<TObjHeader*> Shown;
            if (!VisibleRecords(Shown)) continue;  // the whole list is walked
            size_t At = 0;
            for (TObjHeader* P = MainVars.DataStart; P; P = P->Next) {
                Osy Mn, Mx;
                EnvelopeObj(P, Mn, Mx);
                const bool Meets = Mn.x <= Glob.ZoomMax.x && Mx.x >= Glob.ZoomMin.x && Mn.y <= Glob.ZoomMax.y &&
                                   Mx.y >= Glob.ZoomMin.y;
                const bool Listed = At < Shown.size() && Shown[At] == P;
                if (Listed) ++At;
                if (Meets) EXPECT_TRUE(Listed) << Step << ": view " << i;
            }
            EXPECT_EQ(At, Shown.size()) << Step << ": visited records not in list order or not in the list";
        }
        SetView({0, 0}, 8);
    }

    // The snap candidates near random pointers give the pair the whole drawing gives,
    // and the end snap on every candidate is its nearest vertex within the aperture.
    void ExpectSnapsFindWhatAScanFinds(const std::string& Step) {
        std::vector<TObjHeader*> All;
        Walk(MainVars.DataStart, All);
        std::mt19937 Rng(11);
        std::uniform_real_distribution<double> U(-5, 60);
        for (int k = 0; k < 300; ++k) {
            const Osy C{U(Rng), U(Rng)};
            std::vector<TObjHeader*> Near;
            SnapCandidates(MainVars.DataStart, C, 1.5L, Near);
            for (bool PlinesOnly : {true, false}) {
                TSnapPair A, B;
                FindSnapObjects(Near, PlinesOnly, C, 1.5L, A);
                FindSnapObjects(All, PlinesOnly, C, 1.5L, B);
                EXPECT_EQ(A.Obj1, B.Obj1) << Step;
                EXPECT_EQ(A.Obj2, B.Obj2) << Step;
                EXPECT_EQ(A.D1, B.D1) << Step;
            }
            for (TObjHeader* P : Near) {
                if (P->Type != ObjPline || PlineSegCount(P) == 0) continue;
                Osy Best{}, Out;
                Extended BestD = 0;
                bool Found = false;
                for (int32_t i = -1; i < PlineSegCount(P); ++i) {
                    const Osy V = i < 0 ? AsPline(P)->S : PlineSegs(P)[i].E;
                    if (Dist(V, C) < 1.5L && (!Found || Dist(V, C) < BestD)) {
                        Found = true;
                        BestD = Dist(V, C);
                        Best = V;
                    }
                }
                ASSERT_TRUE(SnapEndPoint(P, C, 1.5L, Out));
                if (Found) {
                    EXPECT_TRUE(Out.x == Best.x && Out.y == Best.y) << Step;
                }
            }
        }
    }

    static void Walk(TObjHeader* P, std::vector<TObjHeader*>& Out) {
        for (; P; P = P->Next) {
            if (P->Type == ObjGroup)
                Walk(AsGroup(P)->First, Out);
            else if (P->Type != ObjPline3D)
                Out.push_back(P);
        }
    }

    // Whether a record of the drawing has the box Min..Max.
    static bool HasBox(const Osy& Min, const Osy& Max) {
        for (TObjHeader* P = MainVars.DataStart; P; P = P->Next) {
            Osy Mn, Mx;
            EnvelopeObj(P, Mn, Mx);
            if (Dist(Mn, Min) < 1e-6 && Dist(Mx, Max) < 1e-6) return true;
        }
        return false;
    }

    void ExpectBoth(const std::string& Step) {
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "") << Step;
        ExpectRedrawFindsWhatAScanFinds(Step);
        ExpectSnapsFindWhatAScanFinds(Step);
    }
};

}  // namespace

TEST_F(DrawingIndexTest, RedrawAndSnapsFollowCommandsAndUndo) {
    // A drawing made by the commands: lines, a circle, a rectangle and a polyline
    // long enough to have its segments indexed.
    Cmd({"LINE", "0 0", "40 0", "40 30", ""});
    Cmd({"CIRCLE", "20 15", "6"});
    Cmd({"RECTANGLE", "45 5", "55 20"});
    std::vector<std::string> Poly{"POLYLINE"};
    for (int i = 0; i <= 60; ++i) {
        Poly.push_back(std::to_string(i * 0.8) + " " + std::to_string(35 + (i % 2) * 3));
        if (i > 0) Poly.push_back("");  // a straight segment
    }
    Cmd(Poly);
    H->Esc();
    ASSERT_GE(CountObjs(MainVars.DataStart), 5);
    TObjHeader* Long = nullptr;
    for (TObjHeader* P = MainVars.DataStart; P; P = P->Next)
        if (P->Type == ObjPline && PlineSegCount(P) >= 60) Long = P;
    ASSERT_NE(Long, nullptr);
    ExpectBoth("drawn");

    // The circle moved away, the rectangle copied, a line deleted.
    const int32_t Drawn = CountObjs(MainVars.DataStart);
    Cmd({"MOVE"});
    Select(26, 15);
    Cmd({"", "0 0", "10 20"});
    EXPECT_TRUE(HasBox({24, 29}, {36, 41}));
    ExpectBoth("moved");
    Cmd({"COPY"});
    Select(45, 10);
    Cmd({"", "0 0", "-40 30", ""});
    EXPECT_TRUE(HasBox({5, 35}, {15, 50}));
    EXPECT_EQ(MainVars.ComCnt, -1);
    ExpectBoth("copied");
    Cmd({"DELETE"});
    Select(20, 0);
    Cmd({""});
    EXPECT_EQ(CountObjs(MainVars.DataStart), Drawn);
    ExpectBoth("deleted");
    // The long polyline moved: its segments are looked up where they are now.
    Cmd({"MOVE"});
    Select(0.4L, 36.5L);
    Cmd({"", "0 0", "5 -20"});
    ExpectBoth("polyline moved");
    Osy Out;
    EXPECT_TRUE(SnapEndPoint(Long, {5.1L, 15.1L}, 1, Out) && Out.x == 5 && Out.y == 15);

    for (const char* Step : {"undo 1", "undo 2", "undo 3", "undo 4"}) {
        H->Enter("UNDO");
        ExpectBoth(Step);
    }
}

TEST_F(DrawingIndexTest, DirectTransformsAndListOperationsAreFollowed) {
    Cmd({"LINE", "0 0", "10 0", ""});
    Cmd({"LINE", "0 5", "10 5", ""});
    TObjHeader* A = MainVars.DataStart;
    TObjHeader* B = A->Next;
    ExpectBoth("drawn");
    MoveObj(A, {20, 20});
    ExpectBoth("moved");
    SwapObjs(A, B, MainVars.DataStart, MainVars.DataEnd);
    ExpectBoth("swapped");
    ReverseObjList(MainVars.DataStart, MainVars.DataEnd);
    ExpectBoth("reversed");
    TObjHeader* C = CopyObjBlock(B);
    InsertObjAfter(nullptr, C, MainVars.DataStart, MainVars.DataEnd);
    RotateObj(C, {0, 0}, 1);
    ExpectBoth("inserted");
    DeleteObj(B, MainVars.DataStart, MainVars.DataEnd);
    ExpectBoth("deleted");
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    std::vector<TObjHeader*> Shown;
    SetView({0, 0}, 50);
    EXPECT_TRUE(VisibleRecords(Shown));
    EXPECT_TRUE(Shown.empty());
}

TEST_F(DrawingIndexTest, ARecordWhoseToolOutlineReachesIntoTheViewIsVisited) {
    Cmd({"LINE", "0 -8", "10 -8", ""});       // 8 mm below the view
    Cmd({"LINE", "500 500", "510 500", ""});  // far away: the view holds part of the drawing only
    TObjHeader* Below = MainVars.DataStart;
    Glob.Tool[1].SpodniPrumer = 20;  // the tool views draw the line 20 mm wide
    const struct {
        TView View;
        bool Visited;
    } Cases[] = {{vLayer, false}, {vToolDn, true}};
    for (const auto& C : Cases) {
        Glob.View = C.View;
        SetView({0, 0}, 50);
        std::vector<TObjHeader*> Shown;
        ASSERT_TRUE(VisibleRecords(Shown));
        EXPECT_EQ(Shown.size() == 1 && Shown[0] == Below, C.Visited) << int(C.View);
    }
}
