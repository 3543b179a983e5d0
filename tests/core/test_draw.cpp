// Drawing primitives in world coordinates, on the recording canvas.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "platform/RecordingCanvas.h"
#include "support/DrawArea.h"
#include "support/Fixture.h"

namespace {
using K = TCanvasOpKind;

class DrawTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetTestDrawArea();
        Glob.Arrow = false;
        Glob.View = vLayer;
    }
    TRecordingCanvas C{800, 600};
};

TEST_F(DrawTest, ViewMappingRoundsHalfToEvenAndClamps) {
    EXPECT_EQ(WorldToPixel({0, 0}), (TPoint{0, 600}));
    EXPECT_EQ(WorldToPixel({10, 10}), (TPoint{80, 520}));
    Glob.OknoStart = {30, 20};
    EXPECT_EQ(WorldToPixel({10, 10}), (TPoint{110, 540}));
    Osy back = PixelToWorld(110, 540);
    EXPECT_NEAR(double(back.x), 10, 1e-12);
    EXPECT_NEAR(double(back.y), 10, 1e-12);
    Glob.OknoStart = {0, 0};
    Glob.BoduNaMm = 1;
    EXPECT_EQ(WorldToPixel({0.5L, 0}).X, 0);
    EXPECT_EQ(WorldToPixel({1.5L, 0}).X, 2);
    EXPECT_EQ(WorldToPixel({2.5L, 0}).X, 2);
    EXPECT_EQ(WorldToPixel({-0.5L, 0}).X, 0);
    EXPECT_EQ(WorldToPixel({1e30L, -1e30L}), (TPoint{1000000000, 1000000000}));
    EXPECT_EQ(RoundPx(-1e300L), -1000000000);
}

TEST_F(DrawTest, LineClipping) {
    struct Case {
        Osy P1, P2;
        std::vector<TPoint> Expected;  // empty: nothing drawn
    };
    const Case cases[] = {
        {{10, 10}, {20, 20}, {{80, 520}, {160, 440}}},         // inside
        {{-10, 37.5L}, {110, 37.5L}, {{0, 300}, {800, 300}}},  // crosses left and right
        {{50, -10}, {50, 100}, {{400, 600}, {400, 0}}},        // crosses bottom and top
        {{-10, -10}, {-5, 200}, {}},                           // beside the window
        {{-10, 80}, {120, 200}, {}},                           // passes the corner outside
        {{-10, 10}, {10, 10}, {{0, 520}, {80, 520}}},          // P1 outside: crossing to P2
        {{10, 10}, {10, 200}, {{80, 0}, {80, 520}}},           // P2 outside: crossing to P1
    };
    for (const auto& c : cases) {
        C.Reset();
        DrawLine(c.P1, c.P2, &C, 0.5f, 0);
        auto lines = C.OfKind(K::Line);
        if (c.Expected.empty()) {
            EXPECT_TRUE(lines.empty()) << double(c.P1.x) << "," << double(c.P1.y);
        } else {
            ASSERT_EQ(lines.size(), 1u) << double(c.P1.x) << "," << double(c.P1.y);
            EXPECT_EQ(lines[0].Pts, c.Expected) << double(c.P1.x) << "," << double(c.P1.y);
            EXPECT_FLOAT_EQ(lines[0].Opacity, 0.5f);
        }
    }
}

TEST_F(DrawTest, PenWidthGrowsTheWindow) {
    DrawLine({-1, 10}, {-1, 20}, &C, 1, 0);
    EXPECT_EQ(C.Count(K::Line), 0u);
    DrawLine({-1, 10}, {-1, 20}, &C, 1, 2);  // margin 1 mm: the border line is visible
    EXPECT_EQ(C.Count(K::Line), 1u);
}

TEST_F(DrawTest, ArrowheadOnlyInDirectionViewsAndLongLines) {
    Glob.Arrow = true;
    struct Case {
        TView View;
        Extended Len;  // mm along x (8 px/mm)
        size_t Lines;
    };
    const Case cases[] = {
        {vDir, 10, 3}, {vSort, 10, 3}, {vLayer, 10, 1}, {vToolUp, 10, 1},
        {vDir, 1, 1},       // 8 px: not longer than 8
        {vDir, 1.125L, 3},  // 9 px
    };
    for (const auto& c : cases) {
        C.Reset();
        Glob.View = c.View;
        DrawLine({10, 10}, {10 + c.Len, 10}, &C, 1, 0);
        EXPECT_EQ(C.Count(K::Line), c.Lines) << int(c.View) << " " << double(c.Len);
    }
    // The two strokes end at P2, 10 px back along the segment, 0.4 rad either side.
    C.Reset();
    Glob.View = vDir;
    DrawLine({10, 10}, {20, 10}, &C, 1, 0);
    auto l = C.OfKind(K::Line);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1].Pts, (std::vector<TPoint>{{160 - 9, 520 - 4}, {160, 520}}));
    EXPECT_EQ(l[2].Pts, (std::vector<TPoint>{{160, 520}, {160 - 9, 520 + 4}}));
    // No arrowhead when only the start lies inside (the drawn part ends at P1).
    C.Reset();
    DrawLine({10, 10}, {10, 200}, &C, 1, 0);
    EXPECT_EQ(C.Count(K::Line), 1u);
}

TEST_F(DrawTest, ArcGetsOneArrowheadAndRestoresArrow) {
    Glob.Arrow = true;
    Glob.View = vDir;
    DrawArc({30, 20}, {10, 20}, GeomPi, &C, 1, 0);  // half circle of radius 10
    size_t chords = C.Count(K::Line) - 2;
    EXPECT_GT(chords, 10u);
    EXPECT_TRUE(Glob.Arrow);
    // The arrowhead strokes are the last two lines and meet at the arc's end.
    auto l = C.OfKind(K::Line);
    EXPECT_EQ(l[l.size() - 2].Pts[1], (TPoint{80, 440}));
    Glob.Arrow = false;
    C.Reset();
    DrawArc({30, 20}, {10, 20}, GeomPi, &C, 1, 0);
    EXPECT_EQ(C.Count(K::Line), chords);
    EXPECT_FALSE(Glob.Arrow);
}

TEST_F(DrawTest, ArcChordsStayWithinHalfAPixel) {
    // Radius 10 mm = 80 px: step = 2 atan(sqrt(1-q^2)/q), q = (R - tol)/R, tol = 1/16 mm.
    DrawArc({30, 20}, {10, 20}, GeomPi, &C, 1, 0);
    Extended q = (10 - 1.0L / 16) / 10;
    Extended step = 2 * std::atan(std::sqrt(1 - q * q) / q);
    EXPECT_EQ(C.Count(K::Line), size_t(std::trunc(GeomPi / step)) + 1);
    // A radius below half a pixel: one chord from start to end.
    C.Reset();
    DrawArc({50, 50}, {50.05L, 50}, GeomPi, &C, 1, 0);
    auto l = C.OfKind(K::Line);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].Pts, (std::vector<TPoint>{{400, 200}, {400, 200}}));
    // Outside the window: nothing.
    C.Reset();
    DrawArc({500, 500}, {520, 500}, 1, &C, 1, 0);
    EXPECT_TRUE(C.Ops.empty());
}

TEST_F(DrawTest, CircleSmallIsOneEllipseLargeIsChords) {
    DrawCircle({50, 37.5L}, 10, &C, 0.7f, 0);
    auto e = C.OfKind(K::Ellipse);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Pts, (std::vector<TPoint>{{320, 380}, {480, 220}}));
    EXPECT_EQ(e[0].BrushStyle, TBrushStyle::bsClear);
    EXPECT_FLOAT_EQ(e[0].Opacity, 0.7f);
    C.Reset();
    DrawCircle({50, -990}, 1000, &C, 1, 0);  // 16000 px across, its top in the window
    EXPECT_EQ(C.Count(K::Ellipse), 0u);
    EXPECT_GT(C.Count(K::Line), 3u);  // only the chords crossing the window
    EXPECT_LT(C.Count(K::Line), 200u);
    for (const auto& l : C.OfKind(K::Line)) EXPECT_NEAR(l.Pts[0].Y, 520, 30);
    C.Reset();
    DrawCircle({500, 500}, 10, &C, 1, 0);
    EXPECT_TRUE(C.Ops.empty());
    // A corrupt radius neither hangs nor crashes.
    C.Reset();
    DrawCircle({50, 37.5L}, 1e300L, &C, 1, 0);
}

TEST_F(DrawTest, DotPixelCrossAndRect) {
    C.PenColor = 0x123456;
    DrawDot({10, 10}, &C, 0.25f, 0);
    auto e = C.OfKind(K::Ellipse);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Pts, (std::vector<TPoint>{{78, 518}, {83, 523}}));
    EXPECT_EQ(e[0].BrushColor, 0x123456u);
    EXPECT_EQ(e[0].BrushStyle, TBrushStyle::bsSolid);
    C.Reset();
    DrawDot({-1, 10}, &C, 1, 0);
    EXPECT_TRUE(C.Ops.empty());
    DrawDot({-1, 10}, &C, 1, 4);
    EXPECT_EQ(C.Count(K::Ellipse), 1u);

    C.Reset();
    DrawPixel({10, 10}, 3, &C, 1);
    ASSERT_EQ(C.Ops.size(), 1u);
    EXPECT_EQ(C.Ops[0].Pts, (std::vector<TPoint>{{80, 520}, {81, 521}}));
    EXPECT_EQ(C.Ops[0].PenWidth, 3);

    C.Reset();
    DrawCross({10, 10}, 1, &C, 1);
    auto l = C.OfKind(K::Line);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].Pts, (std::vector<TPoint>{{80, 525}, {81, 515}}));
    EXPECT_EQ(l[1].Pts, (std::vector<TPoint>{{75, 520}, {85, 520}}));

    C.Reset();
    DrawRect({10, 10}, {20, 15}, &C, 1);  // no visibility test, closed outline
    l = C.OfKind(K::Line);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0].Pts[0], (TPoint{80, 520}));
    EXPECT_EQ(l[1].Pts[0], (TPoint{160, 520}));
    EXPECT_EQ(l[2].Pts[0], (TPoint{160, 480}));
    EXPECT_EQ(l[3].Pts[1], (TPoint{80, 520}));
}

TEST_F(DrawTest, LineGdiInPixelsWithYUp) {
    TRecordingCanvas small(100, 50);
    DrawLineGdi({10, 0}, {10, 80}, &small);  // leaves at the top: drawn from there to P1
    auto l = small.OfKind(K::Line);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].Pts, (std::vector<TPoint>{{10, -1}, {10, 49}}));
    small.Reset();
    DrawLineGdi({-10, -10}, {-5, -1}, &small);
    EXPECT_TRUE(small.Ops.empty());
}

TEST_F(DrawTest, OsnapMarks) {
    Glob.OsnapSymbSize = 4;
    Glob.OsnapWidth = 2;
    Glob.OSnapColor = 0x00AA00;
    Glob.OSnapOpac = 0.5f;
    MainCanvas = &C;
    // Each kind draws its shape and then the small circle (px-3, py-3)-(px+4, py+4).
    const size_t opsOfKind[] = {0, 2, 4, 2, 3, 3, 3};
    for (uint8_t kind = 1; kind <= 6; ++kind) {
        C.Reset();
        DrawOsnapMark({10, 10}, kind);
        ASSERT_EQ(C.Ops.size(), opsOfKind[kind]) << int(kind);
        const auto& last = C.Ops.back();
        EXPECT_EQ(last.Kind, K::Ellipse);
        EXPECT_EQ(last.Pts, (std::vector<TPoint>{{77, 517}, {84, 524}}));
        EXPECT_EQ(last.PenColor, 0x00AA00u);
        EXPECT_EQ(last.PenWidth, 2);
        EXPECT_EQ(last.BrushStyle, TBrushStyle::bsClear);
    }
    C.Reset();
    DrawOsnapMark({10, 10}, 3);
    EXPECT_EQ(C.Ops[0].Kind, K::Rectangle);
    EXPECT_EQ(C.Ops[0].Pts, (std::vector<TPoint>{{76, 516}, {85, 525}}));
    C.Reset();
    C.PenWidth = 1;
    DrawOsnapMark({10, 10}, 7);
    EXPECT_TRUE(C.Ops.empty());
    EXPECT_EQ(C.PenWidth, 2);  // the pen is still set
    MainCanvas = nullptr;
    DrawOsnapMark({10, 10}, 1);  // no canvas: nothing, no crash
}
}  // namespace
