// Pointer input: clicks typed into the command line, the snap raster and orthogonal
// mode, the selection window's three modes, the right button, rubber bands and labels.
#include <algorithm>
#include <functional>
#include <limits>

#include "commands/ComCommon.h"
#include "core/UniWalk.h"
#include "shell/MainView.h"
#include "shell/SetCfg.h"
#include "ViewFixture.h"

class PointerTest : public ViewTest {};

namespace {

bool Selected(const TObjHeader* P) { return P->Flags & FlagSelected; }

}  // namespace

TEST_F(PointerTest, ClickTypesThePointWithSixDecimalsOrTheUserPattern) {
    struct Case {
        bool Snap;
        char Sep;
        Osy Pointer;
        const char* Typed;
    } Cases[] = {
        {false, 0, {12.5, 7.25}, "12.500000 7.250000"},
        {false, ',', {12.5, 7.25}, "12.500000 7.250000"},  // a decimal comma still types points
        {true, 0, {12.4, 7.6}, "12.000 8.000"},             // the raster, written with DecNum
        {true, ',', {-3.4, 0.2}, "-3.000 0.000"},
    };
    for (const Case& C : Cases) {
        SetCfgDecimalSeparator(C.Sep);
        Menu("SnapOnMnu")->Checked = C.Snap;
        Glob.SnapDist = {1, 1};
        H->Enter("POINT");
        H->Pick(C.Pointer.x, C.Pointer.y);
        const std::string Echo = H->Echo();
        ASSERT_GE(Echo.size(), std::string(C.Typed).size());
        EXPECT_EQ(Echo.substr(Echo.size() - std::string(C.Typed).size()), C.Typed) << Echo;
        H->Esc();
    }
    SetCfgDecimalSeparator(0);
    const auto Dump = H->DumpLines();
    ASSERT_EQ(Dump.size(), 4u);
    EXPECT_NE(Dump[0].find(" 12.5 7.25"), std::string::npos) << Dump[0];
    EXPECT_NE(Dump[2].find(" 12.0 8.0"), std::string::npos) << Dump[2];
}

TEST_F(PointerTest, ClickWithAnObjectSnapTypesTheSnapPoint) {
    Line({0, 0}, {100, 0});
    MainVars.Mouse.OsnapAuto.Enabled = true;
    MainVars.Mouse.OsnapAuto.osEnd = true;
    H->Enter("POINT");
    H->Pick(99.5, 0.3);
    EXPECT_EQ(H->Echo().substr(H->Echo().size() - 19), "100.000000 0.000000");
    EXPECT_EQ(MainVars.PickPoint.x, 100);
    EXPECT_EQ(MainVars.PickPoint.y, 0);
}

TEST_F(PointerTest, OrthogonalModeHoldsTheNearerAxis) {
    Menu("OrthoOnMnu")->Checked = true;
    MainVars.PickPoint = {0, 0};
    MainVars.Mouse.NextMove = mmLine;
    F().ComRedraw();  // the mode takes effect at a redraw
    struct Case {
        Osy Pointer, Pos;
    } Cases[] = {{{10, 3}, {10, 0}}, {{3, 10}, {0, 10}}, {{-10, -10}, {-10, 0}}};
    for (const Case& C : Cases) {
        H->MoveTo(C.Pointer.x, C.Pointer.y);
        EXPECT_EQ(MainVars.PosMouse.x, C.Pos.x);
        EXPECT_EQ(MainVars.PosMouse.y, C.Pos.y);
    }
    // Not for a rectangle, nor while the object snap is on.
    MainVars.Mouse.NextMove = mmRect;
    H->MoveTo(10, 3);
    H->MoveTo(10, 3);
    EXPECT_EQ(MainVars.PosMouse.y, 3);
    MainVars.Mouse.NextMove = mmLine;
    MainVars.Mouse.OsnapAuto.Enabled = true;
    H->MoveTo(10, 3);
    H->MoveTo(10, 3);
    EXPECT_EQ(MainVars.PosMouse.y, 3);
}

TEST_F(PointerTest, DragRightDragLeftAndClickChooseTheSelectionMode) {
    TObjHeader* A = Line({10, 10}, {20, 10});  // wholly inside the box below
    TObjHeader* B = Line({15, 20}, {40, 20});  // crosses its right edge
    TObjHeader* C = Line({60, 10}, {70, 10});  // two lines at one place
    TObjHeader* D = Line({60, 10}, {70, 10});
    struct Case {
        Osy From, To;
        bool A, B, C, D;
    } Cases[] = {
        {{5, 5}, {30, 25}, true, false, false, false},   // right: wholly inside
        {{30, 25}, {5, 5}, true, true, false, false},    // left: touched
        {{30, 5}, {30, 25}, false, true, false, false},  // straight up: touched
        {{65, 10}, {65, 10}, false, false, true, false}, // click: the first one only
    };
    for (const Case& Cs : Cases) {
        ClearSelection(MainVars.DataStart);
        SelectStepStart();
        H->Drag(Cs.From.x, Cs.From.y, Cs.To.x, Cs.To.y);
        EXPECT_EQ(Selected(A), Cs.A);
        EXPECT_EQ(Selected(B), Cs.B);
        EXPECT_EQ(Selected(C), Cs.C);
        EXPECT_EQ(Selected(D), Cs.D);
        EXPECT_EQ(F().PanelSelect->Caption, std::to_string(Cs.A + Cs.B + Cs.C + Cs.D));
        EXPECT_EQ(MainVars.Mouse.Move, mmSel);
    }
}

TEST_F(PointerTest, RightButtonIsEnter) {
    H->Enter("POINT");
    H->Type("5 5");
    ASSERT_TRUE(H->Key("RCLICK"));
    ASSERT_EQ(H->DumpLines().size(), 1u);
    EXPECT_NE(H->DumpLines()[0].find(" 5.0 5.0"), std::string::npos);
    EXPECT_FALSE(H->Key("F13"));
}

TEST_F(PointerTest, RubberBandsAndTheirLabels) {
    Glob.DecNum = "0.000";
    Glob.PrevObjOpac = 0.5f;
    MainVars.PickPoint = {0, 0};
    MainVars.ArcStart = {0, 0};
    MainVars.Tangent = 0;
    struct Case {
        TMouseMove Mode;
        Osy Pointer;
        const char* Label;
    } Cases[] = {
        {mmCross, {3, 4}, ""},
        {mmLine, {3, 4}, "5.000 < 53.130"},
        {mmCircle, {3, 4}, "R=5.000 D=10.000"},
        {mmRect, {3, -4}, "3.000 x -4.000"},
        {mmLineTg, {3, 4}, "5.000 < 0.000"},
        {mmArcTg, {10, 10}, "R=10.000 <90.000"},
    };
    for (const Case& C : Cases) {
        MainVars.Mouse.NextMove = C.Mode;
        H->MoveTo(C.Pointer.x, C.Pointer.y);
        EXPECT_EQ(F().LabelParam->Caption, C.Label) << int(C.Mode);
    }
    EXPECT_EQ(F().Find<TLabel>("LabelCoord")->Caption, "10.000  10.000");
}

TEST_F(PointerTest, TangentArcPreviewTurnsRedPastAQuarterTurn) {
    Glob.CrossHairColor = 0x00FFFF;
    Glob.BackColor = 0;
    MainVars.ArcStart = {0, 0};
    MainVars.Tangent = 0;
    MainVars.Mouse.NextMove = mmArcTg;
    struct Case {
        Osy Pointer;
        uint32_t Color;
    } Cases[] = {{{-10, 1}, 0x0000FF}, {{10, 5}, 0x008000}, {{10, -5}, 0x00FFFF}};
    for (const Case& C : Cases) {
        H->MoveTo(C.Pointer.x, C.Pointer.y);
        Redraw();
        EXPECT_FALSE(OpsIn(TCanvasOpKind::Line, C.Color).empty()) << C.Pointer.x << " " << C.Pointer.y;
    }
}

TEST_F(PointerTest, SelectionWindowIsGreenToTheRightAndRedToTheLeft) {
    SelectStepStart();
    H->MoveTo(20, 20);
    F().FormMouseDown(TMouseButton::mbLeft, ssLeft, 0, 0);
    H->MoveTo(30, 30);
    Redraw();
    EXPECT_FALSE(OpsIn(TCanvasOpKind::Line, 0x00FF00).empty());
    H->MoveTo(10, 30);
    Redraw();
    EXPECT_FALSE(OpsIn(TCanvasOpKind::Line, 0x0000FF).empty());
    F().FormMouseUp(TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(MainVars.Mouse.NextMove, mmSel);
}

TEST_F(PointerTest, ScaleAndSizeClicksTypeFactors) {
    MainVars.SelEnv1 = {0, 0};
    MainVars.SelEnv3 = {10, 0};  // a box without height
    MainVars.SavePick = {0, 0};
    struct Case {
        TMouseDown Down;
        Osy Pointer;
        const char* Typed;
    } Cases[] = {
        {mdScale, {5, 4}, "0.500000 1.000000"},
        {mdSize, {-5, 4}, "10.000000 8.000000"},
    };
    for (const Case& C : Cases) {
        H->Enter("POINT");
        MainVars.Mouse.NextDown = C.Down;
        H->Pick(C.Pointer.x, C.Pointer.y);
        const std::string Echo = H->Echo();
        EXPECT_EQ(Echo.substr(Echo.size() - std::string(C.Typed).size()), C.Typed) << Echo;
        H->Esc();
    }
}

TEST_F(PointerTest, CrossHairKindsAndThePanelFlag) {
    Glob.CrossHairColor = 0x00FFFF;
    Glob.BackColor = 0;
    H->MoveTo(50, 50);
    struct Case {
        uint8_t Type;
        bool InPanel;
        size_t Lines;
    } Cases[] = {{0, false, 0}, {1, false, 2}, {2, false, 4}, {1, true, 0}};
    for (const Case& C : Cases) {
        Glob.CursorType = C.Type;
        MouseInPanel = C.InPanel;
        Redraw();
        EXPECT_EQ(OpsIn(TCanvasOpKind::Line, 0x00FFFF).size(), C.Lines) << int(C.Type);
    }
    F().FormMouseEnter();
    EXPECT_FALSE(MouseInPanel);
}

TEST_F(PointerTest, ManipulationPreviewsShowTheSelectionTransformed) {
    Glob.PrevObjColor = 0x0F0F0F;
    Glob.PrevObjOpac = 0.5f;
    TObjHeader* L = Line({10, 10}, {20, 10});
    L->Flags |= FlagSelected;
    SaveSelection();
    SelEnvelope();
    MainVars.PickPoint = {0, 0};
    MainVars.SavePick = {0, 0};
    SetView({-50, -50}, 8);
    // Pixels of every line end drawn (the copies draw in their kind's own look, the
    // box with the preview objects pen).
    auto PreviewLines = [&] {
        std::set<std::pair<int32_t, int32_t>> Pts;
        for (const TCanvasOp& Op : Canvas.Ops)
            if (Op.Kind == TCanvasOpKind::Line)
                for (const TPoint& P : Op.Pts) Pts.insert({P.X, P.Y});
        return Pts;
    };
    struct Case {
        TMouseMove Mode;
        bool ShowObj;
        Osy Pointer;
        Osy Expect;  // where the start of the line (10, 10) goes
    } Cases[] = {
        {mmDragEnv, true, {5, 5}, {15, 15}},
        {mmDragEnv, false, {5, 5}, {15, 15}},         // the box, moved
        {mmRotEnv, true, {0, 7}, {-10, 10}},          // a quarter turn about the base
        {mmMirEnv, true, {0, 7}, {-10, 10}},          // mirrored at the y axis
    };
    for (const Case& C : Cases) {
        Glob.ManipShowObj = C.ShowObj;
        MainVars.Mouse.NextMove = C.Mode;
        H->MoveTo(C.Pointer.x, C.Pointer.y);
        Redraw();
        const TPoint P = WorldToPixel(C.Expect);
        EXPECT_TRUE(PreviewLines().count({P.X, P.Y})) << int(C.Mode) << " " << C.ShowObj;
        // The working copies live for one redraw only; the drawing is untouched.
        EXPECT_EQ(MainVars.ViewStart, nullptr);
        EXPECT_EQ(AsPline(L)->S.x, 10);
    }
}

TEST_F(PointerTest, DegenerateStepsAndAnglesNeitherHangNorBreakThePosition) {
    // A raster step without length leaves that axis as the pointer gives it.
    Menu("SnapOnMnu")->Checked = true;
    Glob.SnapDist = {0, 2};
    H->MoveTo(3.3L, 3.3L);
    H->MoveTo(3.3L, 3.3L);
    EXPECT_EQ(MainVars.PosMouse.x, 3.3L);
    EXPECT_EQ(MainVars.PosMouse.y, 4);
    // A tangent that is not a number draws a preview without hanging.
    MainVars.Mouse.NextMove = mmArcTg;
    MainVars.Tangent = std::numeric_limits<Extended>::infinity();
    H->MoveTo(10, 10);
    Redraw();
    SUCCEED();
}

// A pointer move paints the pointer's marks over the kept picture of the drawing, so
// the canvas shows what a full repaint at that position shows; the drawing itself is
// painted again only when the view or the list changed since.
TEST_F(PointerTest, MovesPaintOverTheKeptDrawingUntilTheViewChanges) {
    Canvas.KeepsPictures = true;
    Line({0, 0}, {100, 0});
    Circle({20, 20}, 5, 2);
    MainVars.PickPoint = {0, 0};
    MainVars.Mouse.NextMove = mmLine;
    struct Case {
        const char* Name;
        std::function<void()> Change;
        bool Repaints;
    } Cases[] = {
        {"nothing", [] {}, false},
        {"the zoom", [this] { SetView({-10, -10}, 4); }, true},
        {"the list", [this] { Line({5, 5}, {30, 20}, 3); }, true},
        {"the view mode", [] { Glob.View = vDir; }, true},
    };
    // The pen does not matter to what fills without an outline.
    auto Same = [](const TCanvasOp& A, const TCanvasOp& B) {
        const bool Fill = A.Kind == TCanvasOpKind::Clear || A.Kind == TCanvasOpKind::FillRect;
        return A.Kind == B.Kind && A.Pts == B.Pts && A.Color == B.Color &&
               (Fill || (A.PenColor == B.PenColor && A.PenWidth == B.PenWidth));
    };
    for (const Case& C : Cases) {
        Redraw();
        C.Change();
        H->MoveTo(3, 4);
        EXPECT_EQ(Canvas.Count(TCanvasOpKind::Clear), C.Repaints ? 2u : 1u) << C.Name;
        // What the canvas shows: the calls from the last clear on.
        const std::vector<TCanvasOp> Shown = [&] {
            auto Last = std::find_if(Canvas.Ops.rbegin(), Canvas.Ops.rend(),
                                     [](const TCanvasOp& Op) { return Op.Kind == TCanvasOpKind::Clear; });
            return std::vector<TCanvasOp>(Last.base() - 1, Canvas.Ops.end());
        }();
        Redraw();
        EXPECT_TRUE(std::equal(Shown.begin(), Shown.end(), Canvas.Ops.begin(), Canvas.Ops.end(), Same)) << C.Name;
    }
}
