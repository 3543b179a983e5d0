// Polyline queries: lengths, halfway point, box, circle test, crossing of two
// polylines, distance of a point, insideness.
#include <random>

#include "test_pline_util.h"

using namespace pltest;

namespace {

class PlineQueryTest : public PlineTest {};

const Extended pi = GeomPi;

TEST_F(PlineQueryTest, Lengths) {
    EnPline.CircleAdd({5, 5}, 2, 1, L, LE);
    EnPline.RectangleAdd({0, 0}, {10, 5}, 1, L, LE);
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        Extended Length, First;
    } cases[] = {
        {"line 3-4-5", Add(Pline({0, 0}, {{{3, 4}}})), 5, 5},
        {"half circle r 1", Add(Pline({1, 0}, {{{-1, 0}, pi}})), pi, pi},
        {"cw half circle r 1", Add(Pline({1, 0}, {{{-1, 0}, -pi}})), pi, pi},
        {"circle r 2", L, 4 * pi, pi},
        {"rectangle 10 x 5", L->Next, 30, 10},
        {"line and quarter arc", Add(Pline({0, 0}, {{{2, 0}}, {{3, 1}, pi / 2}})), 2 + pi / 2, 2},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(double(EnPline.Length(c.Rec)), double(c.Length), 1e-12) << c.Name;
        EXPECT_NEAR(double(EnPline.FirstLength(c.Rec)), double(c.First), 1e-12) << c.Name;
    }
}

TEST_F(PlineQueryTest, HalfPoint) {
    EXPECT_TRUE(Near(EnPline.HalfPoint(Add(Pline({0, 0}, {{{3, 0}}, {{3, 1}}}))), {2, 0}));
    EnPline.CircleAdd({0, 0}, 1, 1, L, LE);
    EXPECT_TRUE(Near(EnPline.HalfPoint(LE), {-1, 0}));
    // Halfway on an arc: a half circle's middle.
    EXPECT_TRUE(Near(EnPline.HalfPoint(Add(Pline({1, 0}, {{{-1, 0}, pi}}))), {0, 1}));
}

TEST_F(PlineQueryTest, EnvelopeIncludesArcs) {
    Osy mn, mx;
    EnPline.Envelope(Add(Pline({1, 0}, {{{-1, 0}, pi}, {{-1, -3}}})), mn, mx);
    EXPECT_TRUE(Near(mn, {-1, -3}));
    EXPECT_TRUE(Near(mx, {1, 1}));
}

TEST_F(PlineQueryTest, IsCircle) {
    EnPline.CircleAdd({3, 4}, 2, 1, L, LE);
    Osy C;
    Extended R;
    EXPECT_TRUE(EnPline.IsCircle(L, C, R));
    EXPECT_TRUE(Near(C, {3, 4}));
    EXPECT_NEAR(double(R), 2, 1e-12);
    // One straight segment inserted: no longer a circle.
    TObjHeader* withLine = Add(Pline({2, 0}, {{{0, 2}, pi / 2}, {{-2, 0}, pi / 2}, {{0, -2}, pi / 2}, {{2, -1}}, {{2, 0}}}, 1));
    EXPECT_FALSE(EnPline.IsCircle(withLine, C, R));
    // Arcs about centres 1e-3 apart.
    TObjHeader* shifted = Add(Pline({1, 0}, {{{-1, 0}, pi}, {{1.002L, 0}, pi}}, 1));
    EXPECT_FALSE(EnPline.IsCircle(shifted, C, R));
    // Not closed: false with R = 0 and C = (0, 0).
    EXPECT_FALSE(EnPline.IsCircle(Add(Pline({1, 0}, {{{-1, 0}, pi}})), C, R));
    EXPECT_EQ(R, 0);
    EXPECT_TRUE(Near(C, {0, 0}, 0));
}

TEST_F(PlineQueryTest, DistPointTieBreak) {
    // (10, 5) is 5 from both segments (their common vertex); the second one has the
    // nearer ends and wins.
    TObjHeader* p = Add(Pline({-20, 0}, {{{10, 0}}, {{20, 0}}}));
    struct Case {
        Osy Pt;
        int32_t Seg;
        Extended D;
    } cases[] = {
        {{10, 5}, 1, 5},
        {{0, 3}, 0, 3},
        {{15, -2}, 1, 2},
        {{25, 0}, 1, 5},   // beyond the end: the distance to the end point
        {{-23, 4}, 0, 5},  // before the start of an open polyline: to the start
    };
    for (const Case& c : cases) {
        int32_t seg = -1;
        EXPECT_NEAR(double(EnPline.DistPoint(p, c.Pt, seg)), double(c.D), 1e-12) << c.Pt.x << "," << c.Pt.y;
        EXPECT_EQ(seg, c.Seg) << c.Pt.x << "," << c.Pt.y;
    }
}

TEST_F(PlineQueryTest, PointInsideEdgesAndVertices) {
    TObjHeader* ccw = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    TObjHeader* cw = Add(Poly({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}));
    TObjHeader* tri = Add(Poly({{0, 0}, {10, 0}, {0, 10}, {0, 0}}));
    TObjHeader* open = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    ASSERT_EQ(AsPline(ccw)->PlineFlags, 1);
    ASSERT_EQ(AsPline(cw)->PlineFlags, 3);
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        Osy Pt;
        bool Inside;
    } cases[] = {
        {"ccw centre", ccw, {5, 5}, true},
        {"ccw outside", ccw, {15, 5}, false},
        {"ccw near edge inside", ccw, {9.999, 5}, true},
        {"ccw near vertex inside", ccw, {9.999, 9.999}, true},
        {"ccw near vertex outside", ccw, {10.001, 10.001}, false},
        // A point on the contour counts as on its left: inside a counter-clockwise
        // contour, outside a clockwise one.
        {"ccw on edge", ccw, {10, 5}, true},
        {"ccw on vertex", ccw, {10, 10}, true},
        {"cw centre", cw, {5, 5}, true},
        {"cw near edge inside", cw, {0.001, 5}, true},
        {"cw on edge", cw, {0, 5}, false},
        {"cw on vertex", cw, {10, 10}, false},
        {"triangle: box corner outside", tri, {10, 10}, false},
        {"triangle: box edge outside", tri, {8, 10}, false},
        {"triangle: inside", tri, {2, 2}, true},
        {"open never contains", open, {5, 5}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(EnPline.PointInside(c.Rec, c.Pt), c.Inside) << c.Name;
}

TEST_F(PlineQueryTest, PointInsideCircleArcs) {
    EnPline.CircleAdd({0, 0}, 10, 1, L, LE);
    EXPECT_TRUE(EnPline.PointInside(L, {3, 4}));
    EXPECT_FALSE(EnPline.PointInside(L, {9, 9}));  // in the box, outside the arc
    EnPline.ChangeDir(L);                          // now clockwise
    EXPECT_TRUE(EnPline.PointInside(L, {3, 4}));
    EXPECT_FALSE(EnPline.PointInside(L, {9, 9}));
}

TEST_F(PlineQueryTest, PlineInsideDecidedByFirstSegment) {
    TObjHeader* lim = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    TObjHeader* leaving = Add(Pline({2, 2}, {{{4, 2}}, {{50, 50}}}));
    TObjHeader* outside = Add(Pline({20, 2}, {{{40, 2}}}));
    EXPECT_TRUE(EnPline.PlineInside(leaving, lim));
    EXPECT_FALSE(EnPline.PlineInside(outside, lim));
    EXPECT_FALSE(EnPline.PlineInside(lim, lim));
    EXPECT_FALSE(EnPline.PlineInside(lim, leaving));  // the limit is open
}

// The crossing of two polylines found through the box index equals the plain
// first-pair search, on random zigzags large enough to use the index.
TEST_F(PlineQueryTest, CrossTestMatchesPairSearch) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> step(-3, 3);
    auto zigzag = [&](Osy at, int n) {
        std::vector<Seg> segs;
        Osy p = at;
        for (int i = 0; i < n; ++i) {
            p = {p.x + 1 + std::fabs(step(rng)), p.y + step(rng)};
            segs.push_back({p, (i % 3 == 0) ? Extended(0.5) : Extended(0)});
        }
        return Add(Pline(at, segs));
    };
    for (int round = 0; round < 20; ++round) {
        TObjHeader* a = zigzag({0, 0}, 60);
        TObjHeader* b = zigzag({step(rng) * 5, 10 + step(rng) * 3}, 60);
        bool expect = false;
        Osy expectPt;
        for (int32_t i = 0; i < PlineSegCount(a) && !expect; ++i)
            for (int32_t j = 0; j < PlineSegCount(b) && !expect; ++j) {
                Osy X1, X2;
                if (IntersSegSeg(PlineSegStart(a, i), PlineSegs(a)[i].E, PlineSegStart(b, j), PlineSegs(b)[j].E,
                                 PlineSegs(a)[i].Alfa, PlineSegs(b)[j].Alfa, X1, X2) > 0) {
                    expect = true;
                    expectPt = X1;
                }
            }
        Osy got;
        ASSERT_EQ(EnPline.CrossTest(a, b, got), expect) << "round " << round;
        if (expect) EXPECT_TRUE(Near(got, expectPt, 0)) << "round " << round;
    }
}

TEST_F(PlineQueryTest, CrossTestSmall) {
    TObjHeader* a = Add(Pline({0, 0}, {{{10, 10}}}));
    TObjHeader* b = Add(Pline({0, 10}, {{{10, 0}}}));
    TObjHeader* c = Add(Pline({20, 0}, {{{30, 0}}}));
    Osy x;
    EXPECT_TRUE(EnPline.CrossTest(a, b, x));
    EXPECT_TRUE(Near(x, {5, 5}));
    EXPECT_FALSE(EnPline.CrossTest(a, c, x));
}

}  // namespace
