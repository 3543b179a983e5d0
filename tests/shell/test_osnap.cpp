// Object snaps: the kinds and their choice, hidden layers, the buttons, the marker in
// the redraw, and the index that keeps the search local.
#include <functional>
#include <random>

#include "core/Entity.h"
#include "core/UniGeom.h"
#include "shell/Osnap.h"
#include "ViewFixture.h"

class OsnapTest : public ViewTest {};

namespace {

TObjHeader* Text(const Osy& Origin, uint8_t Layer = 1) {
    TObjHeader* T = AllocObj(TextRecSize, ObjText);
    T->Layer = Layer;
    AsText(T)->Origin = Origin;
    AsText(T)->Base = Origin;
    return AppendObj(T, MainVars.DataStart, MainVars.DataEnd);
}

TOsnapAuto Kinds(const std::string& K) {
    TOsnapAuto O;
    O.osEnd = K.find('E') != std::string::npos;
    O.osMid = K.find('M') != std::string::npos;
    O.osInt = K.find('I') != std::string::npos;
    O.osCen = K.find('C') != std::string::npos;
    O.osPer = K.find('P') != std::string::npos;
    O.osTan = K.find('T') != std::string::npos;
    return O;
}

// Every snappable record of the list, group members in place.
void AllRecords(TObjHeader* P, std::vector<TObjHeader*>& Out) {
    for (; P; P = P->Next) {
        if (P->Type == ObjGroup)
            AllRecords(AsGroup(P)->First, Out);
        else if (P->Type != ObjPline3D)
            Out.push_back(P);
    }
}

}  // namespace

TEST_F(OsnapTest, SnapKindsAndTheirChoice) {
    const Extended S = std::sqrt(Extended(0.5));
    struct Case {
        const char* What;
        std::function<void()> Build;
        const char* Kinds;
        Osy C, B;
        uint8_t Kind;
        Osy Expect;
    };
    auto LongLine = [this] { Line({0, 0}, {100, 0}); };
    auto QuarterArc = [this] { Arc({10, 0}, {0, 10}, GeomPi2); };
    auto Circle10 = [this] { Circle({0, 0}, 10); };
    const Case Cases[] = {
        {"end of a long line from its middle", LongLine, "E", {40, 0.5}, {}, osKindEnd, {0, 0}},
        {"a vertex within the aperture", LongLine, "E", {99.5, 0.3}, {}, osKindEnd, {100, 0}},
        {"parallel lines give the end, not a crossing",
         [this] {
             Line({0, 0}, {100, 0});
             Line({0, 1}, {100, 1});
         },
         "EI", {60, 0.4}, {}, osKindEnd, {100, 0}},
        {"centre of the arc under the pointer beats a far end", QuarterArc, "CE", {10 * S, 10 * S + 0.3L}, {},
         osKindCen, {0, 0}},
        {"an end within half the aperture beats the centre", QuarterArc, "CE", {9.9L, 0.5L}, {}, osKindEnd, {10, 0}},
        {"straight segments have no centre", LongLine, "C", {50, 0.2}, {}, 0, {}},
        {"midpoint of the segment", LongLine, "M", {40, 0.5}, {}, osKindMid, {50, 0}},
        {"midpoint of an arc", QuarterArc, "M", {10 * S, 10 * S + 0.3L}, {}, osKindMid, {10 * S, 10 * S}},
        {"intersection of two lines",
         [this] {
             Line({0, 0}, {100, 100});
             Line({0, 100}, {100, 0});
         },
         "I", {50.3L, 50.2L}, {}, osKindInt, {50, 50}},
        {"perpendicular from the last point", LongLine, "P", {50, 0.2}, {30, 20}, osKindPer, {30, 0}},
        {"perpendicular foot off the segment", LongLine, "P", {50, 0.2}, {130, 20}, 0, {}},
        {"perpendicular to an arc", Circle10, "P", {7, 7.3L}, {20, 20}, osKindPer, {10 * S, 10 * S}},
        {"tangent from outside: the point nearer the pointer", Circle10, "T", {5, 8.5}, {20, 0}, osKindTan,
         {5, std::sqrt(Extended(75))}},
        {"tangent from inside gives nothing", Circle10, "T", {5, 8.5}, {3, 0}, 0, {}},
        {"a far text origin with nothing else near",
         [this] {
             Text({500, 400});
             Line({0, 50}, {10, 50});
         },
         "C", {0, 0}, {}, osKindCen, {500, 400}},
        {"a point's position is its centre", [this] { Point({20, 20}); }, "C", {20.5L, 20}, {},
         osKindCen, {20, 20}},
    };
    for (const Case& C : Cases) {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        C.Build();
        Osy Out;
        const uint8_t K = OsnapSearch(MainVars.DataStart, Kinds(C.Kinds), C.C, C.B, 1, Out);
        EXPECT_EQ(K, C.Kind) << C.What;
        if (K && K == C.Kind) {
            EXPECT_NEAR(double(Out.x), double(C.Expect.x), 1e-9) << C.What;
            EXPECT_NEAR(double(Out.y), double(C.Expect.y), 1e-9) << C.What;
        }
    }
}

TEST_F(OsnapTest, HiddenLayersGiveNoSnapExceptLayer68) {
    struct Case {
        uint8_t Layer;
        bool Shown;
        uint8_t Kind;
    } Cases[] = {{2, true, osKindEnd}, {2, false, 0}, {LayerOrig, false, osKindEnd}};
    for (const Case& C : Cases) {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        Line({0, 0}, {100, 0}, C.Layer);
        Glob.TabLayer[C.Layer].Show = C.Shown;
        Osy Out;
        EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), C.Kind) << int(C.Layer);
    }
}

TEST_F(OsnapTest, GroupMembersSnapAndThreeDPolylinesDoNot) {
    TObjHeader *S = nullptr, *E = nullptr;
    EnPline.LineAdd({0, 0}, {100, 0}, 1, S, E);
    AppendObj(MakeGroup(false, S, E), MainVars.DataStart, MainVars.DataEnd);
    Osy Out;
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), osKindEnd);
    EXPECT_EQ(Out.x, 100);
}

TEST_F(OsnapTest, RedrawSearchesAndMarksWhileACommandWaits) {
    Glob.OSnapColor = 0x0E0E0E;
    Line({0, 0}, {100, 0});
    TMainForm& Fm = F();
    // The buttons the main form made, clicked as a user clicks them.
    TSpeedButton* End = Fm.Find<TSpeedButton>("SpdBtnEnd");
    ASSERT_NE(End, nullptr);
    End->Click();
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.osEnd);
    EXPECT_FALSE(MainVars.Mouse.OsnapAuto.osNone);
    TSpeedButton* Switch = Fm.Find<TSpeedButton>("SbtnOsnapSwitch");
    ASSERT_NE(Switch, nullptr);
    Switch->Click();
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.Enabled);

    // No command waits: no search.
    H->MoveTo(99.5, 0.2);
    EXPECT_FALSE(MainVars.Mouse.OsnapAuto.PointFound);
    H->Enter("POINT");
    H->MoveTo(99.5, 0.2);
    Redraw();
    const TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    EXPECT_TRUE(O.PointFound);
    EXPECT_EQ(O.Index, osKindEnd);
    EXPECT_EQ(O.LastIndex, osKindEnd);
    EXPECT_EQ(O.LastPoint.x, 100);
    EXPECT_EQ(OpsIn(TCanvasOpKind::Rectangle, 0x0E0E0E).size(), 1u);
    // The aperture circle around the pointer.
    EXPECT_FALSE(Canvas.OfKind(TCanvasOpKind::Ellipse).empty());

    // Far from everything: a failed search.
    H->MoveTo(50, 60);
    EXPECT_FALSE(O.PointFound);
    EXPECT_EQ(O.LastIndex, 0);
    EXPECT_EQ(O.LastPoint.x, 100000);

    // The command-panel click releases the six buttons: no marker any more.
    H->MoveTo(99.5, 0.2);
    Fm.ComPanelClick();
    EXPECT_FALSE(Fm.Find<TSpeedButton>("SpdBtnEnd")->Down);
    EXPECT_TRUE(O.osNone);
    Redraw();
    EXPECT_TRUE(OpsIn(TCanvasOpKind::Rectangle, 0x0E0E0E).empty());
    EXPECT_FALSE(O.PointFound);

    // The menu item switches the main switch like its button.
    Fm.OnsapOnMNUClick();
    EXPECT_FALSE(Fm.Find<TSpeedButton>("SbtnOsnapSwitch")->Down);
    EXPECT_FALSE(O.Enabled);
}

TEST_F(OsnapTest, SnapIndexFollowsEditsOfTheDrawing) {
    TObjHeader* L = Line({0, 0}, {100, 0});
    Osy Out;
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), osKindEnd);
    MoveObj(L, {0, 50});
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 0.2}, {}, 1, Out), 0);
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 50.2}, {}, 1, Out), osKindEnd);
    EXPECT_EQ(Out.y, 50);
    DeleteObj(L, MainVars.DataStart, MainVars.DataEnd);
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 50.2}, {}, 1, Out), 0);
    Line({0, 50}, {100, 50});
    EXPECT_EQ(OsnapSearch(MainVars.DataStart, Kinds("E"), {99.5, 50.2}, {}, 1, Out), osKindEnd);
}

TEST_F(OsnapTest, IndexedCandidatesGiveTheSamePairAsTheWholeDrawing) {
    std::mt19937 Rng(7);
    std::uniform_real_distribution<double> U(0, 200), Len(-3, 3);
    for (int i = 0; i < 2000; ++i) {
        const Osy S{U(Rng), U(Rng)};
        const Osy E{S.x + Len(Rng), S.y + Len(Rng)};
        if (i % 7 == 0)
            Point(S, uint8_t(1 + i % 3));
        else if (i % 5 == 0)
            Arc(S, E, 1.2L, uint8_t(1 + i % 3));
        else
            Line(S, E, uint8_t(1 + i % 3));
    }
    Text({300, 300});
    Glob.TabLayer[3].Show = false;
    std::vector<TObjHeader*> All;
    AllRecords(MainVars.DataStart, All);
    for (int k = 0; k < 120; ++k) {
        const Osy C{U(Rng), U(Rng)};
        for (bool PlinesOnly : {true, false}) {
            std::vector<TObjHeader*> Near;
            SnapCandidates(MainVars.DataStart, C, 2, Near);
            TSnapPair A, B;
            FindSnapObjects(Near, PlinesOnly, C, 2, A);
            FindSnapObjects(All, PlinesOnly, C, 2, B);
            EXPECT_EQ(A.Obj1, B.Obj1);
            EXPECT_EQ(A.Obj2, B.Obj2);
            EXPECT_EQ(A.D1, B.D1);
        }
    }
}
