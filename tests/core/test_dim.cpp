// Dimensions: parts and their order, the four placement cases, vertical, aligned,
// angle and leader dimensions, loose parts or one group, the text style.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/UniDim.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "test_pline_util.h"

namespace {

using pltest::Near;

const Extended H = 5, Larrow = 3;

class DimTest : public pltest::PlineTest {
protected:
    void SetUp() override {
        pltest::PlineTest::SetUp();
        Glob.DimArrowLen = Larrow;
        Glob.DimGroup = false;
        Glob.DimLayerKot = false;
        Glob.LayerDraw = 2;
        Style("12.5");
    }
    void Style(const std::string& S, bool TT = false) {
        WorkText = ParText{};
        WorkText.Text = S;
        WorkText.JmFontu = TT ? "DejaVu Sans" : IntFontName;
        WorkText.Vyska = H;
        WorkText.WidthFactor = 1;
        WorkText.Justify = TT ? JustifyTrueType : 0;
    }
    // The width of the style's text as the builders measure it.
    Extended TextWidth() {
        ParText keep = WorkText;
        TObjHeader *s = nullptr, *e = nullptr;
        EnText.Add(1, s, e, false);
        Extended w = WorkText.EnvP2.x - WorkText.EnvP1.x;
        FreeObjList(s, e);
        WorkText = keep;
        return w;
    }
    std::vector<TObjHeader*> Parts() {
        std::vector<TObjHeader*> v;
        for (TObjHeader* r = MainVars.DataStart; r; r = r->Next) v.push_back(r);
        return v;
    }
    void Clear() { FreeObjList(MainVars.DataStart, MainVars.DataEnd); }
};

Osy P0(TObjHeader* p) { return AsPline(p)->S; }
Osy Pn(TObjHeader* p) { return PlineEndPt(p); }
Osy Tip(TObjHeader* a) { return PlineSegs(a)[0].E; }
// The direction an arrowhead points in: from the middle of its back to its tip.
Extended ArrowDir(TObjHeader* a) {
    Osy b{(P0(a).x + Pn(a).x) / 2, (P0(a).y + Pn(a).y) / 2};
    return Angle(b, Tip(a));
}
bool Line(TObjHeader* p, const Osy& S, const Osy& E) {
    return p->Type == ObjPline && PlineSegCount(p) == 1 && Near(P0(p), S, 1e-9) && Near(Pn(p), E, 1e-9);
}

TEST_F(DimTest, HorizontalCaseOneParts) {
    ASSERT_LT(TextWidth(), 40);
    for (bool swap : {false, true}) {
        Osy P1{0, 0}, P2{50, 0};
        if (swap) std::swap(P1, P2);
        EXPECT_TRUE(DimHor(P1, P2, {25, 10}));
        auto v = Parts();
        ASSERT_EQ(v.size(), 6u);
        EXPECT_TRUE(Line(v[0], {0, 0}, {0, 11}));
        EXPECT_TRUE(Line(v[1], {50, 0}, {50, 11}));
        EXPECT_TRUE(Near(Tip(v[2]), {0, 10}));
        EXPECT_NEAR(double(ArrowDir(v[2])), double(GeomPi), 1e-9);  // outwards
        EXPECT_TRUE(Near(Tip(v[3]), {50, 10}));
        EXPECT_NEAR(double(ArrowDir(v[3])), 0.0, 1e-9);
        EXPECT_NEAR(double(Dist(P0(v[2]), Tip(v[2]))), double(Larrow / std::cos(GeomPi / 12)), 1e-9);
        EXPECT_TRUE(Line(v[4], {0, 10}, {50, 10}));
        ASSERT_EQ(v[5]->Type, ObjText);
        ParText t;
        EnText.ReadParamText(v[5], t);
        EXPECT_EQ(t.Justify, 1);
        EXPECT_TRUE(Near(t.Origin, {25, 10 + H / 5}));
        EXPECT_EQ(t.Rotate, 0);
        for (TObjHeader* p : v) EXPECT_EQ(p->Layer, 2);
        Clear();
    }
    EXPECT_TRUE(DimHor({0, 0}, {50, 0}, {25, -10}));
    auto v = Parts();
    EXPECT_TRUE(Line(v[0], {0, 0}, {0, -11}));
    EXPECT_TRUE(Line(v[1], {50, 0}, {50, -11}));
}

TEST_F(DimTest, HorizontalPlacementCases) {
    const Extended w = TextWidth();
    ASSERT_GT(w, 5.5L);  // room for case 3 between 2L + 1 and w + 2
    struct Case {
        Extended A;
        bool ArrowsIn;
        Extended LineFrom, LineTo;  // relative to A.x and B.x
        int J;
        Extended TextX;  // relative to B.x, or the middle for j = 1
    } Cases[] = {
        {w + 2 * (Larrow + 1), true, 0, 0, 1, 0},
        {w + 2 * (Larrow + 1) - 0.1L, false, -Larrow - 1, Larrow + 1, 1, 0},
        {w + 2 - 0.1L, true, 0, 1 + w, 0, 1},
        {2 * Larrow + 1 - 0.1L, false, -Larrow - 1, Larrow + 1 + w, 0, Larrow + 1},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(double(c.A));
        const Osy A{10, 5}, B{10 + c.A, 5};
        DimHor(B, A, {12, 20});
        auto v = Parts();
        ASSERT_EQ(v.size(), 6u);
        EXPECT_NEAR(double(ArrowDir(v[2])), c.ArrowsIn ? double(GeomPi) : 0.0, 1e-9);
        EXPECT_NEAR(double(ArrowDir(v[3])), c.ArrowsIn ? 0.0 : double(GeomPi), 1e-9);
        EXPECT_TRUE(Line(v[4], {A.x + c.LineFrom, 20}, {B.x + c.LineTo, 20}));
        ParText t;
        EnText.ReadParamText(v[5], t);
        EXPECT_EQ(t.Justify & 15, c.J);
        EXPECT_NEAR(double(t.Origin.x), double(c.J == 1 ? (A.x + B.x) / 2 : B.x + c.TextX), 1e-9);
        if (c.J == 0) EXPECT_NEAR(double(t.WinMin.x), double(B.x + c.TextX), 0.5);  // the text starts there
        Clear();
    }
}

TEST_F(DimTest, VerticalTextReadsUpwardsLeftOfTheLine) {
    EXPECT_TRUE(DimVert({5, 40}, {0, 0}, {-10, 20}));
    auto v = Parts();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_TRUE(Line(v[0], {0, 0}, {-11, 0}));
    EXPECT_TRUE(Line(v[1], {5, 40}, {-11, 40}));
    EXPECT_NEAR(double(ArrowDir(v[2])), double(GeomPi32), 1e-9);
    EXPECT_TRUE(Line(v[4], {-10, 0}, {-10, 40}));
    ParText t;
    EnText.ReadParamText(v[5], t);
    EXPECT_NEAR(double(t.Rotate), double(GeomPi2), 1e-15);
    EXPECT_TRUE(Near(t.Origin, {-10 - H / 5, 20}));
    EXPECT_LT(t.WinMax.x, -10);
}

TEST_F(DimTest, AlignedDimensionTurnsWithThePoints) {
    EXPECT_TRUE(DimRot({30, 40}, {0, 0}, {-8, 6}));
    auto v = Parts();
    ASSERT_EQ(v.size(), 6u);
    const Extended a0 = Angle({0, 0}, {30, 40});
    // the dimension line is parallel to the points, 10 mm to their left
    EXPECT_NEAR(double(Angle(P0(v[4]), Pn(v[4]))), double(a0), 1e-9);
    EXPECT_TRUE(Near(P0(v[4]), {-8, 6}, 1e-9));
    EXPECT_TRUE(Near(Pn(v[4]), {22, 46}, 1e-9));
    ParText t;
    EnText.ReadParamText(v[5], t);
    EXPECT_NEAR(double(t.Rotate), double(a0), 1e-12);
    Clear();
    EXPECT_TRUE(DimRot({0, 30}, {0, 0}, {5, 15}));
    v = Parts();
    EnText.ReadParamText(v[5], t);
    EXPECT_NEAR(double(t.Rotate), double(GeomPi32), 1e-12);  // reads downwards
}

TEST_F(DimTest, AngleArcRunsCounterClockwiseOnTheSideOfLoc) {
    Style("1");
    const Extended R = std::sqrt(98.0L);
    EXPECT_TRUE(DimAngle({0, 0}, {10, 0}, {0, 10}, {7, 7}));
    auto v = Parts();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_TRUE(Line(v[0], {10, 0}, {R + 1, 0}));
    EXPECT_TRUE(Line(v[1], {0, 10}, {0, R + 1}));
    ASSERT_EQ(PlineSegCount(v[2]), 1);  // case 1: the arc before the arrowheads
    EXPECT_TRUE(Near(P0(v[2]), {R, 0}, 1e-9));
    EXPECT_TRUE(Near(Pn(v[2]), {0, R}, 1e-9));
    EXPECT_NEAR(double(PlineSegs(v[2])[0].Alfa), double(GeomPi2), 1e-12);
    EXPECT_TRUE(Near(Tip(v[3]), {R, 0}, 1e-9));
    EXPECT_NEAR(double(ArrowDir(v[3])), double(GeomPi32), 1e-9);  // pointing out of the arc, down
    ParText t;
    EnText.ReadParamText(v[5], t);
    EXPECT_TRUE(Near(t.Origin, {(R + H / 5) * std::cos(GeomPi / 4), (R + H / 5) * std::sin(GeomPi / 4)}, 1e-9));
    EXPECT_NEAR(double(t.Rotate), double(GeomPi / 4 + GeomPi32), 1e-12);  // m - pi/2, kept in 0..2pi
    Clear();

    EXPECT_TRUE(DimAngle({0, 0}, {10, 0}, {0, 10}, {-7, -7}));
    v = Parts();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_TRUE(Near(P0(v[2]), {0, R}, 1e-9));
    EXPECT_TRUE(Near(Pn(v[2]), {R, 0}, 1e-9));
    EXPECT_NEAR(double(PlineSegs(v[2])[0].Alfa), double(3 * GeomPi2), 1e-12);
    EnText.ReadParamText(v[5], t);  // below the vertex: inside the arc, top towards the vertex
    EXPECT_TRUE(Near(t.Origin, {-(R - H / 5) * std::cos(GeomPi / 4), -(R - H / 5) * std::sin(GeomPi / 4)}, 1e-9));
    EXPECT_NEAR(double(t.Rotate), double(7 * GeomPi / 4), 1e-12);  // m + pi/2
}

TEST_F(DimTest, AngleWithLegsDownAndTheTextAboveTheVertex) {
    Style("1");
    const Extended d = GeomPi / 180;
    EXPECT_TRUE(DimAngle({0, 0}, {10 * std::cos(200 * d), 10 * std::sin(200 * d)},
                         {10 * std::cos(340 * d), 10 * std::sin(340 * d)}, {0, 8}));
    auto v = Parts();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_NEAR(double(ArcStartAngle(P0(v[2]), Pn(v[2]), PlineSegs(v[2])[0].Alfa)), double(340 * d), 1e-9);
    EXPECT_NEAR(double(PlineSegs(v[2])[0].Alfa), double(220 * d), 1e-9);
    ParText t;
    EnText.ReadParamText(v[5], t);
    EXPECT_NEAR(double(std::remainder(t.Rotate, 2 * GeomPi)), 0.0, 1e-9);
    EXPECT_TRUE(Near(t.Origin, {0, 8 + H / 5}, 1e-9));
    EXPECT_GT(t.WinMin.y, 8);
}

TEST_F(DimTest, AngleRefusesNoRadiusAndOneRay) {
    EXPECT_FALSE(DimAngle({0, 0}, {10, 0}, {0, 10}, {0, 0}));
    EXPECT_EQ(LogLastText().rfind("Err:", 0), 0u);
    EXPECT_FALSE(DimAngle({0, 0}, {10, 0}, {20, 0}, {5, 5}));
    EXPECT_EQ(MainVars.DataStart, nullptr);
}

TEST_F(DimTest, LeaderOfThreeLegs) {
    Glob.DimGroup = true;
    TObjHeader *s = nullptr, *e = nullptr;
    EnPline.LineAdd({0, 0}, {10, 10}, 1, s, e);
    EnPline.LineAdd({10, 10}, {20, 10}, 1, s, e);
    EnPline.LineAdd({99, 99}, {30, 20}, 1, s, e);  // a leg's own start is not read
    const Extended w = TextWidth();
    EXPECT_TRUE(DimLeader(s, e));
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    TObjHeader* g = MainVars.DataStart;
    ASSERT_EQ(g->Type, ObjGroup);
    EXPECT_EQ(AsGroup(g)->Count, 3);
    TObjHeader* p = AsGroup(g)->First;
    ASSERT_EQ(PlineSegCount(p), 4);
    EXPECT_TRUE(Near(P0(p), {0, 0}));
    EXPECT_TRUE(Near(PlineSegs(p)[2].E, {30, 20}));
    EXPECT_TRUE(Near(PlineSegs(p)[3].E, {31 + w, 20}));
    TObjHeader* t = p->Next;
    ASSERT_EQ(t->Type, ObjText);
    EXPECT_EQ(AsText(t)->Justify, 2);
    EXPECT_TRUE(Near(AsText(t)->Origin, {31 + w, 20 + H / 5}));
    TObjHeader* a = t->Next;
    EXPECT_TRUE(Near(Tip(a), {0, 0}, 1e-12));
    EXPECT_NEAR(double(ArrowDir(a)), double(5 * GeomPi / 4), 1e-9);
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
    EXPECT_EQ(CountObjs(s), 3);  // the legs stay
    FreeObjList(s, e);
    EXPECT_FALSE(DimLeader(nullptr, nullptr));
}

TEST_F(DimTest, GroupLayerAndTextStyle) {
    Glob.DimGroup = true;
    Glob.DimLayerKot = true;
    Style("", true);
    WorkText.Justify |= JustifyBold | JustifyItalic | 7;
    EXPECT_TRUE(DimHor({0, 0}, {50, 0}, {25, 10}));
    ASSERT_EQ(CountObjs(MainVars.DataStart), 1);
    TObjHeader* g = MainVars.DataStart;
    EXPECT_EQ(g->Layer, LayerKoty);
    EXPECT_EQ(AsGroup(g)->Count, 6);
    TObjHeader* t = AsGroup(g)->Last;
    ASSERT_EQ(t->Type, ObjText);
    EXPECT_EQ(AsText(t)->Justify, JustifyTrueType | 1);  // bold and italic gone, TrueType kept
    EXPECT_EQ(AsText(t)->Text.Get(), "?");
    for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next) EXPECT_EQ(m->Layer, LayerKoty);
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
}

}  // namespace
