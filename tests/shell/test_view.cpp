// The redraw on the recording canvas: order of the layers of paint, the grid rules,
// limit strips, view modes, tool-layer points and the two highlight passes.
#include <algorithm>

#include "core/ObjRecords.h"
#include "shell/MainView.h"
#include "ViewFixture.h"

namespace {

constexpr uint32_t GridC = 0xABCDEF;

std::vector<int32_t> Steps(std::set<int32_t> S) {
    std::vector<int32_t> V(S.begin(), S.end()), D;
    for (size_t i = 1; i < V.size(); ++i) D.push_back(V[i] - V[i - 1]);
    return D;
}

}  // namespace

TEST_F(ViewTest, NothingIsPaintedBeforeTheFirstShowing) {
    Line({1, 1}, {5, 5});
    F().FormStarted = false;
    Redraw();
    EXPECT_TRUE(Canvas.Ops.empty());
    F().FormStarted = true;
    Redraw();
    ASSERT_FALSE(Canvas.Ops.empty());
    EXPECT_EQ(Canvas.Ops[0].Kind, TCanvasOpKind::Clear);
}

TEST_F(ViewTest, GridIsDrawnOnlyWideEnoughAndDoubledBelowTenPixels) {
    Menu("GridOnMnu")->Checked = true;
    Glob.GridColor = GridC;
    Glob.GridDist = {1, 1};
    Glob.GridType = 0;
    struct Case {
        Extended B;
        int32_t Step;  // 0: no grid
    } Cases[] = {{4, 0}, {5.9L, 0}, {6, 12}, {8, 16}, {10, 10}, {25, 25}};
    for (const Case& C : Cases) {
        SetView({0, 0}, C.B);
        Redraw();
        const auto Ops = OpsIn(TCanvasOpKind::Line, GridC);
        if (C.Step == 0) {
            EXPECT_TRUE(Ops.empty()) << C.B;
            continue;
        }
        std::set<int32_t> Xs, Ys;
        for (const TCanvasOp& Op : Ops) {
            Xs.insert(Op.Pts[0].X);
            Ys.insert(Op.Pts[0].Y);
        }
        for (int32_t D : Steps(Xs)) EXPECT_EQ(D, C.Step) << C.B;
        for (int32_t D : Steps(Ys)) EXPECT_EQ(D, C.Step) << C.B;
        EXPECT_EQ(Ops.size(), Xs.size() * Ys.size()) << C.B;
    }
    // Switched off: nothing.
    Menu("GridOnMnu")->Checked = false;
    Redraw();
    EXPECT_TRUE(OpsIn(TCanvasOpKind::Line, GridC).empty());
}

TEST_F(ViewTest, GridLinesRunOverTheWholeWindow) {
    Menu("GridOnMnu")->Checked = true;
    Glob.GridColor = GridC;
    Glob.GridDist = {10, 10};
    Glob.GridType = 1;
    SetView({0, 0}, 1);  // 1000 x 700 mm: 10 mm is 10 px
    Redraw();
    size_t V = 0, Hz = 0;
    for (const TCanvasOp& Op : OpsIn(TCanvasOpKind::Line, GridC)) {
        if (Op.Pts[0].X == Op.Pts[1].X) ++V;
        if (Op.Pts[0].Y == Op.Pts[1].Y) ++Hz;
    }
    EXPECT_EQ(V, 101u);   // x = 0, 10, ..., 1000
    EXPECT_EQ(Hz, 71u);   // y = 0, 10, ..., 700
}

TEST_F(ViewTest, GridStepWithoutLengthDrawsNothingAndEnds) {
    Menu("GridOnMnu")->Checked = true;
    Glob.GridColor = GridC;
    for (int Type : {0, 1, 2})
        for (Osy D : {Osy{0, 0}, Osy{1, 0}, Osy{0, 1}, Osy{-1, -1}}) {
            Glob.GridType = Type;
            Glob.GridDist = D;
            Redraw();
            EXPECT_TRUE(OpsIn(TCanvasOpKind::Line, GridC).empty());
        }
}

TEST_F(ViewTest, LimitStripsOnlyWhereTheWindowReachesPastTheLimits) {
    Glob.OutLimColor = 0x202020;
    Glob.BackColor = 0x000000;
    SetView({10, 10}, 8);  // wholly inside 0..300 x 0..200
    Redraw();
    EXPECT_EQ(FillsIn(0x202020), 0u);
    SetView({-100, -100}, 1);  // 1000 x 700 mm around the whole work area
    Redraw();
    std::vector<TRect> Strips;
    for (const TCanvasOp& Op : Canvas.Ops)
        if (Op.Kind == TCanvasOpKind::FillRect && Op.BrushColor == 0x202020)
            Strips.push_back({Op.Pts[0].X, Op.Pts[0].Y, Op.Pts[1].X, Op.Pts[1].Y});
    ASSERT_EQ(Strips.size(), 4u);
    // Left of x = 0 (pixel 100), the limit line itself stays in the background.
    EXPECT_EQ(Strips[0], (TRect{0, 0, 100, 700}));
    // Below y = 0 (pixel 600).
    EXPECT_EQ(Strips[1], (TRect{0, 601, 1000, 700}));
    // Right of x = 300 (pixel 400), above y = 200 (pixel 400).
    EXPECT_EQ(Strips[2], (TRect{401, 0, 1000, 700}));
    EXPECT_EQ(Strips[3], (TRect{0, 0, 1000, 400}));
}

TEST_F(ViewTest, DrawingAreaBetweenThePanels) {
    auto Panel = [&](const char* Name, int32_t W, int32_t Hh) {
        TPanel* P = F().FindOrMake<TPanel>(Name);
        P->Visible = true;
        P->Width = W;
        P->Height = Hh;
        return P;
    };
    Panel("OpsPanel", 137, 0);
    Panel("LayPanel", 104, 0);
    Panel("IconsPanel", 0, 45);
    TPanel* Com = Panel("ComPanel", 0, 100);
    struct Case {
        uint8_t Ppi;
        Extended K;
    } Cases[] = {{96, 1}, {120, 0.8L}, {144, 0.7L}};
    for (const Case& C : Cases) {
        Glob.PxPerInch = C.Ppi;
        F().RecalcOkno();
        EXPECT_NEAR(double(Glob.OknoStart.x), 137 * C.K, 1e-9);
        EXPECT_NEAR(double(Glob.OknoStart.y), 45 * C.K, 1e-9);
        EXPECT_NEAR(double(Glob.Okno.x), (1000 - 104 - 137) * C.K, 1e-9);
        EXPECT_NEAR(double(Glob.Okno.y), (700 - 100 - 45) * C.K, 1e-9);
    }
    Glob.PxPerInch = 96;
    Com->Visible = false;
    F().RecalcOkno();
    EXPECT_EQ(Glob.Okno.y, 700 - 45);
}

TEST_F(ViewTest, ViewModesChooseTheColours) {
    Glob.Direct[dkOpen] = {true, 0x0B0B0B};
    Glob.Sort.PlineColor = 0x0A0A0A;
    Line({10, 10}, {20, 10}, 1);
    struct Case {
        TView View;
        uint8_t LayerDraw;
        uint32_t Color;
        bool Drawn;
    } Cases[] = {
        {vLayer, 2, Glob.TabLayer[1].Color, true},
        {vToolDn, 2, Glob.TabLayer[1].Color, true},
        {vDir, 2, 0x0B0B0B, true},
        {vSort, 1, 0x0A0A0A, true},
        {vSort, 2, 0x0A0A0A, false},
    };
    for (const Case& C : Cases) {
        Glob.View = C.View;
        Glob.LayerDraw = C.LayerDraw;
        Redraw();
        EXPECT_EQ(!OpsIn(TCanvasOpKind::Line, C.Color).empty(), C.Drawn) << int(C.View);
    }
}

TEST_F(ViewTest, SortViewCountsAGroupWithObjectsOfTheLayerAsOneStep) {
    Glob.View = vSort;
    Glob.LayerDraw = 1;
    Glob.Sort.Cisla = true;
    Line({10, 10}, {20, 10}, 1);
    Line({10, 20}, {20, 20}, 2);  // another layer: neither drawn nor counted
    TObjHeader *S = nullptr, *E = nullptr;
    EnPline.LineAdd({10, 30}, {20, 30}, 1, S, E);
    EnPline.LineAdd({10, 40}, {20, 40}, 1, S, E);
    TObjHeader* G = MakeGroup(false, S, E);
    G->Layer = 2;
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    Line({10, 50}, {20, 50}, 1);
    Redraw();
    std::vector<std::string> Numbers;
    for (const TCanvasOp& Op : Canvas.OfKind(TCanvasOpKind::Text)) Numbers.push_back(Op.Text);
    EXPECT_EQ(Numbers, (std::vector<std::string>{"1", "2", "2", "3"}));
    EXPECT_EQ(Glob.Sort.Index, 0);
}

TEST_F(ViewTest, PointsOfToolLayersFollowThePointPlungeMethod) {
    TToolPlunge& Z = Glob.Tool[1].Material.Zapich[poPoint];
    Glob.Tool[1].SpodniPrumer = 6;
    Point({50, 50}, 1);
    struct Case {
        uint8_t Method;
        bool Percent;
        bool Shown;
        size_t Ellipses;  // the dot, and the helix circle
        int32_t HelixPx;  // diameter of the helix circle in pixels
    } Cases[] = {
        {0, false, true, 1, 0}, {1, false, true, 0, 0},  {2, false, true, 0, 0},
        {3, false, true, 2, 32}, {3, true, true, 2, 24}, {3, false, false, 0, 0},
    };
    for (const Case& C : Cases) {
        Z.Method = C.Method;
        Z.SpiralRad = C.Percent ? 50 : 4;  // 4 mm, or 50 % of 6 mm
        Z.SpiralRadPercent = C.Percent;
        Glob.TabLayer[1].Show = C.Shown;
        Redraw();
        const auto Ell = Canvas.OfKind(TCanvasOpKind::Ellipse);
        ASSERT_EQ(Ell.size(), C.Ellipses) << int(C.Method);
        if (C.HelixPx) {
            EXPECT_EQ(Ell[1].Pts[1].X - Ell[1].Pts[0].X, C.HelixPx);
            // The radius line to the right of the point.
            const TPoint P = WorldToPixel({50, 50});
            bool Radius = false;
            for (const TCanvasOp& Op : Canvas.OfKind(TCanvasOpKind::Line))
                Radius |= Op.Pts[0] == P && Op.Pts[1] == (TPoint{P.X + C.HelixPx / 2, P.Y});
            EXPECT_TRUE(Radius);
        }
    }
}

TEST_F(ViewTest, OperationHighlightByItsKind) {
    Glob.PrevSelContColor = 0x0C0C0C;
    Glob.PrevSelSurfColor = 0x0D0D0D;
    HighlightPolys.assign(2, RPolyPoints{});
    HighlightPolys[0].PtArr = {{10, 10}, {50, 10}, {50, 50}, {0, 0}};
    HighlightPolys[0].Cnt = 3;
    HighlightPolysCnt = 1;
    struct Case {
        uint8_t H;
        size_t Polygons;
        TBrushStyle Brush;
    } Cases[] = {{0, 0, {}}, {1, 1, TBrushStyle::bsClear}, {2, 1, TBrushStyle::bsSolid},
                 {3, 0, {}},  {4, 0, {}},                   {5, 1, TBrushStyle::bsSolid}};
    for (const Case& C : Cases) {
        Glob.DrawHighLight = C.H;
        Redraw();
        const auto P = OpsIn(TCanvasOpKind::Polygon, 0x0C0C0C);
        ASSERT_EQ(P.size(), C.Polygons) << int(C.H);
        if (C.Polygons) {
            EXPECT_EQ(P[0].Pts.size(), 3u);
            EXPECT_EQ(P[0].BrushStyle, C.Brush);
            if (C.Brush == TBrushStyle::bsSolid) EXPECT_EQ(P[0].BrushColor, 0x0D0D0Du);
        }
    }
}

TEST_F(ViewTest, LayerHighlightReachesGroupMembersAndGroupsOfTheLayer) {
    Glob.PrevObjOpac = 0.25f;
    Line({10, 10}, {20, 10}, 3);
    Line({10, 20}, {20, 20}, 4);
    auto Group = [&](uint8_t GroupLayer, uint8_t MemberLayer, Extended Y) {
        TObjHeader *S = nullptr, *E = nullptr;
        EnPline.LineAdd({10, Y}, {20, Y}, MemberLayer, S, E);
        TObjHeader* G = MakeGroup(false, S, E);
        G->Layer = GroupLayer;
        AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    };
    Group(4, 3, 30);  // a member of layer 3 in a group of layer 4
    Group(3, 4, 40);  // a group of layer 3 whose member is on layer 4
    auto Highlighted = [&](uint8_t L) {
        size_t N = 0;
        for (const TCanvasOp& Op : OpsIn(TCanvasOpKind::Line, Glob.TabLayer[L].Color)) N += Op.Opacity == 0.25f;
        return N;
    };
    Glob.DrawHighLight = 0;
    Redraw();
    EXPECT_EQ(Highlighted(3) + Highlighted(4), 0u);
    Glob.DrawHighLight = 103;
    Redraw();
    EXPECT_EQ(Highlighted(3), 2u);
    EXPECT_EQ(Highlighted(4), 1u);
}
