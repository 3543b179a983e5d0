// Drawing and picking of polylines on the recording canvas.
#include <string>

#include "core/Entity.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class PlineDrawTest : public PlineTest {
protected:
    void SetUp() override {
        PlineTest::SetUp();
        Glob.Arrow = false;
    }
    // Lines and polylines alike: the visible segments of one outline go out as one call.
    std::vector<TCanvasOp> Lines() const {
        std::vector<TCanvasOp> r;
        for (const TCanvasOp& op : Canv.Ops)
            if (op.Kind == TCanvasOpKind::Line || op.Kind == TCanvasOpKind::Polyline) r.push_back(op);
        return r;
    }
    size_t SegmentsDrawn() const {
        size_t n = 0;
        for (const TCanvasOp& op : Lines()) n += op.Pts.size() - 1;
        return n;
    }
};

const Extended pi = GeomPi;

TEST_F(PlineDrawTest, DirectionViewColoursByKind) {
    Glob.View = vDir;
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        TDirKind Kind;
    } cases[] = {
        {"open", Add(Poly({{10, 10}, {20, 10}, {20, 20}})), dkOpen},
        {"counter-clockwise", Add(Poly({{10, 10}, {20, 10}, {20, 20}, {10, 10}})), dkCCW},
        {"clockwise", Add(Poly({{10, 10}, {20, 20}, {20, 10}, {10, 10}})), dkCW},
        {"self-crossing", Add(Poly({{10, 10}, {20, 20}, {20, 10}, {10, 20}, {10, 10}})), dkCross},
    };
    for (const Case& c : cases) {
        Canv.Reset();
        EnPline.Draw(c.Rec, &Canv);
        ASSERT_FALSE(Lines().empty()) << c.Name;
        for (const TCanvasOp& op : Lines()) EXPECT_EQ(op.PenColor, Glob.Direct[c.Kind].Color) << c.Name;
        // Switched off in the view: not drawn at all.
        Glob.Direct[c.Kind].Show = false;
        Canv.Reset();
        EnPline.Draw(c.Rec, &Canv);
        EXPECT_TRUE(Canv.Ops.empty()) << c.Name;
        Glob.Direct[c.Kind].Show = true;
    }
}

TEST_F(PlineDrawTest, PenWidthByViewAndLayer) {
    Glob.Tool[1].SpodniPrumer = 2;
    static Extended toolRadius = 0.5L;
    ToolDistLaHook = [](int32_t, Extended& d, Extended, bool) {
        d = toolRadius;
        return true;
    };
    struct Case {
        const char* Name;
        TView View;
        uint8_t Layer;
        int32_t Width;
        uint32_t Color;
    } cases[] = {
        {"layer view", vLayer, 1, 1, 0xF1},
        {"tool below, tool layer", vToolDn, 1, 17, 0xF1},  // trunc(2 mm * 8 px) + 1
        {"tool above, tool layer", vToolUp, 1, 9, 0xF1},   // trunc(2 * 0.5 mm * 8 px) + 1
        {"tool below, Orig layer", vToolDn, 68, 1, 0xF0 + 68},
        {"tool above, Orig layer", vToolUp, 68, 1, 0xF0 + 68},
    };
    for (const Case& c : cases) {
        Glob.View = c.View;
        TObjHeader* p = Add(Pline({10, 10}, {{{30, 10}}}));
        p->Layer = c.Layer;
        Canv.Reset();
        EnPline.Draw(p, &Canv);
        ASSERT_EQ(Lines().size(), 1u) << c.Name;
        EXPECT_EQ(Lines()[0].PenWidth, c.Width) << c.Name;
        EXPECT_EQ(Lines()[0].PenColor, c.Color) << c.Name;
        EXPECT_TRUE(Near(MainVars.LastPos, {30, 10}, 0));
    }
    // A failing tool query draws with a 1-pixel pen.
    ToolDistLaHook = [](int32_t, Extended&, Extended, bool) { return false; };
    Glob.View = vToolUp;
    Canv.Reset();
    EnPline.Draw(L, &Canv);
    EXPECT_EQ(Lines()[0].PenWidth, 1);
    ToolDistLaHook = nullptr;
}

TEST_F(PlineDrawTest, SelectedDrawnHighlighted) {
    for (TView v : {vLayer, vDir, vToolDn}) {
        Glob.View = v;
        TObjHeader* p = Add(Pline({10, 10}, {{{30, 10}}, {{30, 30}, pi / 2}}));
        p->Flags |= FlagSelected;
        Canv.Reset();
        EnPline.Draw(p, &Canv);
        ASSERT_GE(SegmentsDrawn(), 2u);
        for (const TCanvasOp& op : Lines()) {
            EXPECT_EQ(op.PenColor, Glob.SelObjColor);
            EXPECT_EQ(op.PenWidth, Glob.SelObjWidth);
            EXPECT_FLOAT_EQ(op.Opacity, Glob.SelObjOpac);
        }
    }
}

TEST_F(PlineDrawTest, HiddenLayerNeitherDrawnNorPicked) {
    TObjHeader* p = Add(Pline({10, 10}, {{{30, 10}}}));
    p->Flags |= FlagSelected;
    Glob.TabLayer[1].Show = false;
    EnPline.Draw(p, &Canv);
    EnPline.RawDraw(p, &Canv);
    EXPECT_TRUE(Canv.Ops.empty());
    EXPECT_FALSE(EnPline.Select(p, {0, 0}, {50, 50}, true));
    EXPECT_FALSE(EnPline.RawSelect(p, {0, 0}, {50, 50}, false));
    EXPECT_NE(p->Flags & FlagSelected, 0);
}

TEST_F(PlineDrawTest, SortViewTravelLineAndNumber) {
    Glob.View = vSort;
    Glob.LayerDraw = 1;
    Glob.Sort.PlineColor = 0x010203;
    Glob.Sort.GroupColor = 0x040506;
    Glob.Sort.Prejezdy = true;
    Glob.Sort.Cisla = true;
    Glob.Sort.Index = 7;
    MainVars.LastPos = {5, 5};
    // Another layer: skipped, LastPos untouched.
    TObjHeader* other = Add(Pline({10, 10}, {{{30, 10}}}));
    other->Layer = 2;
    EnPline.Draw(other, &Canv);
    EXPECT_TRUE(Canv.Ops.empty());
    EXPECT_TRUE(Near(MainVars.LastPos, {5, 5}, 0));

    TObjHeader* p = Add(Pline({10, 10}, {{{30, 10}}}));
    EnPline.Draw(p, &Canv);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Pts[0], WorldToPixel({5, 5}));  // the travel line from the last object
    EXPECT_EQ(lines[0].PenWidth, Glob.RapidsWidth);
    EXPECT_FLOAT_EQ(lines[0].Opacity, Glob.RapidsOpac);
    EXPECT_EQ(lines[0].PenColor, 0x010203u);
    EXPECT_EQ(lines[1].PenColor, 0x010203u);
    const auto texts = Canv.OfKind(TCanvasOpKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "7");
    const auto boxes = Canv.OfKind(TCanvasOpKind::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    const TPoint mid = WorldToPixel({20, 10});
    // 8 x 16 pixel digit: left = x - 4 - 2, top = y - 8 - 1.
    EXPECT_EQ(boxes[0].Pts[0], (TPoint{mid.X - 6, mid.Y - 9}));
    EXPECT_EQ(boxes[0].Pts[1], (TPoint{mid.X - 6 + 12, mid.Y - 9 + 18}));
    EXPECT_EQ(texts[0].Pts[0], (TPoint{mid.X - 4, mid.Y - 8}));
}

TEST_F(PlineDrawTest, StartDotInDirectionView) {
    Glob.View = vDir;
    Glob.Arrow = true;
    TObjHeader* p = Add(Pline({10, 10}, {{{30, 10}}}));
    EnPline.Draw(p, &Canv);
    const auto dots = Canv.OfKind(TCanvasOpKind::Ellipse);
    ASSERT_EQ(dots.size(), 1u);
    const TPoint s = WorldToPixel({10, 10});
    EXPECT_EQ(dots[0].Pts[0], (TPoint{s.X - 2, s.Y - 2}));
    EXPECT_EQ(dots[0].BrushColor, Glob.Direct[dkOpen].Color);
    EXPECT_EQ(Canv.BrushColor, Glob.BackColor);
    // Outside the view: no dot.
    Canv.Reset();
    EnPline.Draw(Add(Pline({-10, 10}, {{{30, 10}}})), &Canv);
    EXPECT_EQ(Canv.Count(TCanvasOpKind::Ellipse), 0u);
}

TEST_F(PlineDrawTest, GetPointsChords) {
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        int32_t Points;
    } cases[] = {
        {"line", Add(Pline({10, 10}, {{{30, 10}}})), 2},
        {"half circle r 10", Add(Pline({30, 30}, {{{10, 30}, pi}})), 13},
        {"arc r 0.05", Add(Pline({10, 10}, {{{10.1L, 10}, pi}})), 2},
        {"line and half circle", Add(Pline({40, 30}, {{{30, 30}}, {{10, 30}, -pi}})), 14},
    };
    for (const Case& c : cases) {
        RPolyPoints r;
        EnPline.GetPoints(c.Rec, r);
        EXPECT_EQ(r.Cnt, c.Points) << c.Name;
        ASSERT_EQ(int32_t(r.PtArr.size()), r.Cnt) << c.Name;
        EXPECT_EQ(r.PtArr.front(), WorldToPixel(AsPline(c.Rec)->S)) << c.Name;
        EXPECT_EQ(r.PtArr.back(), WorldToPixel(PlineEndPt(c.Rec))) << c.Name;
    }
    RPolyPoints keep;
    keep.Cnt = 5;
    EnPline.GetPoints(nullptr, keep);
    EXPECT_EQ(keep.Cnt, 5);
}

TEST_F(PlineDrawTest, HitTest) {
    TObjHeader* sq = Add(Poly({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}}));
    TObjHeader* arc = Add(Pline({40, 10}, {{{40, 30}, -pi}}));  // bulges to x = 30
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        Osy Min, Max;
        bool Window, Hit;
    } cases[] = {
        {"window around all", sq, {5, 5}, {25, 25}, true, true},
        {"window on the outline", sq, {10, 10}, {20, 20}, true, true},
        {"window missing a corner", sq, {11, 5}, {25, 25}, true, false},
        {"crossing inside, touching nothing", sq, {12, 12}, {18, 18}, false, false},
        {"crossing over an edge", sq, {18, 12}, {22, 14}, false, true},
        {"crossing around a vertex", sq, {19, 19}, {21, 21}, false, true},
        {"crossing apart", sq, {30, 30}, {40, 40}, false, false},
        {"arc: window around its chord only", arc, {35, 5}, {45, 35}, true, false},
        {"arc: window around its box", arc, {29, 9}, {41, 31}, true, true},
        {"arc: crossing through its bulge", arc, {29, 19}, {31, 21}, false, true},
        {"arc: crossing inside its chord", arc, {36, 18}, {38, 22}, false, false},
        {"arc: crossing at its start", arc, {39, 9}, {41, 11}, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnPline.RawSelect(c.Rec, c.Min, c.Max, c.Window), c.Hit) << c.Name;
        EXPECT_EQ(c.Rec->Flags & FlagSelected, 0) << c.Name;
    }
}

TEST_F(PlineDrawTest, SelectTogglesAndRedraws) {
    TObjHeader* p = Add(Pline({10, 10}, {{{30, 10}}}));
    EXPECT_TRUE(EnPline.Select(p, {5, 5}, {35, 15}, true));
    EXPECT_NE(p->Flags & FlagSelected, 0);
    ASSERT_FALSE(Lines().empty());
    EXPECT_EQ(Lines().back().PenColor, Glob.SelObjColor);
    EXPECT_FALSE(EnPline.Select(p, {5, 5}, {35, 15}, true));
    // A miss keeps the state.
    p->Flags |= FlagSelected;
    EXPECT_TRUE(EnPline.Select(p, {50, 50}, {60, 60}, false));
}

TEST_F(PlineDrawTest, TraceSegments) {
    DrawTraceSeg({10, 10}, {20, 10}, 0);
    DrawTraceSeg({10, 10}, {20, 10}, pi / 2);
    const auto lines = Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front().PenColor, 0x0000FFFFu);
    EXPECT_EQ(lines.back().PenColor, 0x0000FF00u);
    EXPECT_EQ(lines.back().PenWidth, 1);
}

}  // namespace
