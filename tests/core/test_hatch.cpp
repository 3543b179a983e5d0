// Hatch: lines, their order and direction, angles, islands, arcs, spacing limits,
// the group and the layer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/UniHatch.h"
#include "core/UniLog.h"
#include "test_pline_util.h"

namespace {

using pltest::Near;
using pltest::Poly;

struct TPiece {
    Osy S, E;
};

class HatchTest : public pltest::PlineTest {
protected:
    void SetUp() override {
        pltest::PlineTest::SetUp();
        Glob.HatchGroup = false;
        Glob.HatchLayerKot = false;
        Glob.LayerDraw = 2;
    }
    void TearDown() override {
        TObjHeader *s = Boundary, *e = Boundary;
        if (Boundary) DeleteObj(Boundary, s, e);
        pltest::PlineTest::TearDown();
    }
    // A boundary group: the outer contour and islands.
    TObjHeader* Bound(const std::vector<TObjHeader*>& Contours) {
        TObjHeader *s = nullptr, *e = nullptr;
        for (TObjHeader* c : Contours) AppendObj(c, s, e);
        return Boundary = MakeGroup(false, s, e);
    }
    TObjHeader* Square() { return Bound({Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}})}); }
    // The pieces appended to the drawing, in order (freed from the drawing).
    std::vector<TPiece> Take() {
        std::vector<TPiece> v;
        for (TObjHeader* r = MainVars.DataStart; r; r = r->Next) {
            EXPECT_EQ(r->Type, ObjPline);
            EXPECT_EQ(PlineSegCount(r), 1);
            EXPECT_EQ(AsPline(r)->PlineFlags, 0);
            v.push_back({AsPline(r)->S, PlineEndPt(r)});
        }
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        return v;
    }
    TObjHeader* Boundary = nullptr;
};

void ExpectPieces(const std::vector<TPiece>& Got, const std::vector<TPiece>& Want) {
    ASSERT_EQ(Got.size(), Want.size());
    for (size_t i = 0; i < Got.size(); ++i) {
        EXPECT_TRUE(Near(Got[i].S, Want[i].S, 1e-9) && Near(Got[i].E, Want[i].E, 1e-9))
            << i << ": " << Got[i].S.x << "," << Got[i].S.y << " -> " << Got[i].E.x << "," << Got[i].E.y;
    }
}

TEST_F(HatchTest, SquareAtSpacingThree) {
    TObjHeader* b = Square();
    EXPECT_EQ(Hatch(b, 3, 0), 3);
    ExpectPieces(Take(), {{{10, 8}, {0, 8}}, {{10, 5}, {0, 5}}, {{10, 2}, {0, 2}}});
    // angle pi: the same lines from the other corner, the other way round
    EXPECT_EQ(Hatch(b, 3, GeomPi), 3);
    ExpectPieces(Take(), {{{0, 2}, {10, 2}}, {{0, 5}, {10, 5}}, {{0, 8}, {10, 8}}});
    // angle pi/2: vertical pieces running down, from the left
    EXPECT_EQ(Hatch(b, 3, GeomPi2), 3);
    ExpectPieces(Take(), {{{2, 10}, {2, 0}}, {{5, 10}, {5, 0}}, {{8, 10}, {8, 0}}});
    EXPECT_EQ(CheckObjList(b, b), "");
}

TEST_F(HatchTest, AnglesAreNormalisedFully) {
    struct Case {
        Extended A, Same;
    } Cases[] = {
        {-GeomPi / 4, 3 * GeomPi / 4}, {Geom2Pi, GeomPi},         {-GeomPi, GeomPi},
        {3 * GeomPi, GeomPi},          {4 * GeomPi, GeomPi},      {-4 * GeomPi, 0},
        {5 * GeomPi / 2, GeomPi2},     {-7 * GeomPi / 4, GeomPi / 4}, {21 * GeomPi + 0.3L, GeomPi + 0.3L - GeomPi},
    };
    TObjHeader* b = Square();
    for (const Case& c : Cases) {
        SCOPED_TRACE(double(c.A));
        EXPECT_NEAR(double(HatchAngle(c.A)), double(HatchAngle(c.Same)), 1e-12);
        EXPECT_GE(HatchAngle(c.A), 0);
        EXPECT_LE(HatchAngle(c.A), GeomPi);
        Hatch(b, 1.5L, c.A);
        std::vector<TPiece> a = Take();
        Hatch(b, 1.5L, c.Same);
        std::vector<TPiece> s = Take();
        EXPECT_GT(a.size(), 5u);
        ExpectPieces(a, s);
    }
}

TEST_F(HatchTest, IslandCutsThePiecesCrossingIt) {
    TObjHeader* b = Bound({Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
                           Poly({{4, 4}, {4, 6}, {6, 6}, {6, 4}, {4, 4}})});
    EXPECT_EQ(Hatch(b, 3, 0), 4);
    std::vector<TPiece> v = Take();
    int at5 = 0;
    for (const TPiece& p : v) {
        EXPECT_GT(p.S.x, p.E.x);  // all run towards -x
        if (std::fabs(p.S.y - 5) < 1e-9) {
            ++at5;
            EXPECT_TRUE((Near(p.S, {10, 5}) && Near(p.E, {6, 5})) || (Near(p.S, {4, 5}) && Near(p.E, {0, 5})));
        } else {
            EXPECT_NEAR(double(p.S.x), 10.0, 1e-9);
            EXPECT_NEAR(double(p.E.x), 0.0, 1e-9);
        }
    }
    EXPECT_EQ(at5, 2);
}

TEST_F(HatchTest, CircleOfArcs) {
    TObjHeader *s = nullptr, *e = nullptr;
    EnPline.CircleAdd({5, 5}, 4, 1, s, e);
    TObjHeader* circle = s;
    UnlinkObj(circle, s, e);
    TObjHeader* c = Bound({circle});
    const Extended a = GeomPi / 6;
    const int32_t n = Hatch(c, 0.5L, a);
    // one chord for every line that passes the centre closer than the radius; the
    // lines start at the corner (0, 10) of the grown box and step along a - pi/2
    const Osy nrm{std::cos(a - GeomPi2), std::sin(a - GeomPi2)};
    const Extended c0 = (5 - 0) * nrm.x + (5 - 10) * nrm.y;
    int32_t want = 0;
    for (int i = 0; i < 100; ++i) want += std::fabs(c0 - i * 0.5L) < 4 ? 1 : 0;
    EXPECT_EQ(n, want);
    EXPECT_GT(n, 10);
    for (const TPiece& p : Take()) {
        EXPECT_NEAR(double(Dist(p.S, {5, 5})), 4.0, 1e-9);
        EXPECT_NEAR(double(Dist(p.E, {5, 5})), 4.0, 1e-9);
        EXPECT_NEAR(double(Angle(p.S, p.E)), double(GeomPi / 6 + GeomPi), 1e-9);
    }
}

TEST_F(HatchTest, SpacingLimits) {
    TObjHeader* b = Square();
    EXPECT_EQ(Hatch(b, 0, 0), 0);
    EXPECT_EQ(LogLastText().rfind("Err:Hatch refused", 0), 0u) << LogLastText();
    EXPECT_EQ(Hatch(b, -3, 0), 0);
    EXPECT_EQ(Hatch(b, 24, 0), 0);  // wider than the grown box: nothing inside
    EXPECT_EQ(Hatch(b, 1e-5L, 0), 0);  // too many lines
    EXPECT_EQ(MainVars.DataStart, nullptr);
}

TEST_F(HatchTest, GroupAndLayer) {
    TObjHeader* b = Square();
    Glob.HatchGroup = true;
    Glob.HatchLayerKot = true;
    EXPECT_EQ(Hatch(b, 3, 0), 3);
    ASSERT_NE(MainVars.DataStart, nullptr);
    EXPECT_EQ(MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* g = MainVars.DataStart;
    EXPECT_EQ(g->Type, ObjGroup);
    EXPECT_EQ(g->Layer, LayerKoty);
    EXPECT_EQ(AsGroup(g)->Count, CountObjs(AsGroup(g)->First));
    EXPECT_EQ(AsGroup(g)->Count, 3);
    for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next) EXPECT_EQ(m->Layer, LayerKoty);
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
    Glob.HatchGroup = false;
    Glob.HatchLayerKot = false;
    EXPECT_EQ(Hatch(b, 3, 0), 3);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 4);
    EXPECT_EQ(MainVars.DataEnd->Layer, 2);
}

}  // namespace
