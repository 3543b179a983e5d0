// Fillets and chamfers, arcs to chords, end tangents, Join and the centre line.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Glob.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class FilletTest : public PlineTest {
protected:
    std::vector<TObjHeader*> Made;  // results linked into no list
    void TearDown() override {
        for (TObjHeader* r : Made) FreeObjBlock(r);
        PlineTest::TearDown();
    }
    TObjHeader* Keep(TObjHeader* r) {
        if (r) {
            EXPECT_EQ(r->Next, nullptr);
            EXPECT_EQ(r->Prev, nullptr);
            Made.push_back(r);
        }
        return r;
    }
};

TEST_F(FilletTest, FilletAllOfThreeSides) {
    TObjHeader* p = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    struct Case {
        Extended Radius;
        bool Chamfer;
        Extended ArcAlfa;
    };
    for (const Case& c : {Case{2, false, GeomPi2}, Case{2, true, 0}, Case{-2, false, -GeomPi2}}) {
        TObjHeader* r = Keep(EnPline.FilletAll(p, c.Radius, c.Chamfer));
        ASSERT_NE(r, nullptr);
        ASSERT_EQ(PlineSegCount(r), 5);
        const Osy pts[5] = {{8, 0}, {10, 2}, {10, 8}, {8, 10}, {0, 10}};
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(Near(PlineSegs(r)[i].E, pts[i])) << i;
        EXPECT_NEAR(double(PlineSegs(r)[1].Alfa), double(c.ArcAlfa), 1e-12);
        EXPECT_NEAR(double(PlineSegs(r)[3].Alfa), double(c.ArcAlfa), 1e-12);
        EXPECT_EQ(PlineSegs(r)[0].Alfa, 0);
    }
}

TEST_F(FilletTest, FilletAllOfClosedSquareRoundsTheClosingCorner) {
    TObjHeader* sq = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    sq->Flags |= FlagSelected;
    TObjHeader* r = Keep(EnPline.FilletAll(sq, 2, false));
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(sq->Flags & FlagSelected);
    EXPECT_EQ(PlineSegCount(r), 8);
    EXPECT_TRUE(Near(AsPline(r)->S, {2, 0}));
    EXPECT_TRUE(Near(PlineEndPt(r), {2, 0}));
    EXPECT_FALSE(EnPline.OpenPline(r));
    EXPECT_NEAR(double(EnPline.Length(r)), 4 * 6 + 2 * double(GeomPi) * 2, 1e-9);
}

TEST_F(FilletTest, FilletOneCases) {
    TObjHeader* open = Add(Poly({{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(EnPline.FilletOne(open, 2, {0.5L, 0.5L}, false), nullptr);  // the start of an open one
    EXPECT_EQ(EnPline.FilletOne(Add(Poly({{0, 0}, {10, 0}})), 2, {10, 0}, false), nullptr);  // one segment
    TObjHeader* r = Keep(EnPline.FilletOne(open, 2, {9, 1}, true));
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(PlineSegCount(r), 3);
    EXPECT_TRUE(Near(PlineSegs(r)[0].E, {8, 0}));
    EXPECT_TRUE(Near(PlineSegs(r)[1].E, {10, 2}));
    EXPECT_EQ(PlineSegs(r)[1].Alfa, 0);  // chamfer
    // Sides of 5 with a radius of 7: no fillet fits, an unchanged copy.
    TObjHeader* shortSides = Add(Poly({{0, 0}, {5, 0}, {5, 5}}));
    TObjHeader* u = Keep(EnPline.FilletOne(shortSides, 7, {5, 0}, false));
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(PlineSegCount(u), 2);
    EXPECT_TRUE(Near(PlineSegs(u)[0].E, {5, 0}) && Near(PlineSegs(u)[1].E, {5, 5}));
    // The closing corner of a closed polyline is picked by its start point.
    TObjHeader* sq = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    TObjHeader* c = Keep(EnPline.FilletOne(sq, 1, {0.1L, 0.1L}, false));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(PlineSegCount(c), 5);
    EXPECT_TRUE(Near(AsPline(c)->S, {1, 0}));
}

TEST_F(FilletTest, ArcToLineChordCounts) {
    TObjHeader* circle = Add(Pline({10, 0}, {{{-10, 0}, GeomPi}, {{10, 0}, GeomPi}}, PlineClosed));
    TObjHeader* r = Keep(EnPline.ArcToLine(circle, 0.01L));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(PlineSegCount(r), 72);
    EXPECT_EQ(AsPline(r)->PlineFlags, PlineClosed);
    Extended worst = 0;
    for (int32_t i = 0; i < PlineSegCount(r); ++i) {
        EXPECT_EQ(PlineSegs(r)[i].Alfa, 0);
        Osy M;
        SegMidPt(PlineSegStart(r, i), PlineSegs(r)[i].E, 0, M);
        worst = std::fmax(worst, 10 - Dist(M, {0, 0}));
    }
    EXPECT_LE(worst, 0.01L + 1e-12L);
    TObjHeader* one = Keep(EnPline.ArcToLine(circle, 10));
    EXPECT_EQ(PlineSegCount(one), 2);
}

TEST_F(FilletTest, StartEndAndTangents) {
    TObjHeader* arc = Add(Pline({1, 0}, {{{0, 1}, GeomPi2}}));
    EXPECT_NEAR(double(EnPline.TanStart(arc)), double(GeomPi2), 1e-15);
    EXPECT_NEAR(double(EnPline.TanEnd(arc)), double(GeomPi), 1e-15);
    EXPECT_TRUE(Near(EnPline.StartPt(arc), {1, 0}));
    EXPECT_TRUE(Near(EnPline.EndPt(arc), {0, 1}));
}

TEST_F(FilletTest, JoinChainsSelectedPolylines) {
    const Osy P1{0, 0}, P2{10, 0}, P3{10, 10}, P4{0, 10};
    TObjHeader* a = Add(Poly({P1, P2}));
    TObjHeader* b = Add(Poly({P3, {P2.x, P2.y + 0.005L}}));  // reversed, within JoinTol
    TObjHeader* other = Add(Poly({{50, 50}, {60, 50}}));     // not selected
    TObjHeader* c = Add(Poly({P3, P4}));
    for (TObjHeader* p : {a, b, c}) p->Flags |= FlagSelected;
    EnPline.Join(0, L, LE);
    ASSERT_EQ(Count(L), 2);
    EXPECT_EQ(CheckObjList(L, LE), "");
    TObjHeader* j = L;
    ASSERT_EQ(PlineSegCount(j), 3);
    EXPECT_TRUE(Near(AsPline(j)->S, P1));
    EXPECT_TRUE(Near(PlineSegs(j)[1].E, P3));
    EXPECT_TRUE(Near(PlineEndPt(j), P4));
    EXPECT_TRUE(j->Flags & FlagSelected);
    EXPECT_EQ(j->Next, other);
    // Another layer is left alone when a layer is named.
    TObjHeader* d = Add(Poly({P4, {-10, 10}}));
    d->Flags |= FlagSelected;
    d->Layer = 2;
    EnPline.Join(1, L, LE);
    EXPECT_EQ(Count(L), 3);
    EnPline.Join(0, L, LE);
    EXPECT_EQ(Count(L), 2);
}

TEST_F(FilletTest, AxisOfACorridor) {
    // A path along a wall at y = 4 that turns away from it by 45 degrees.
    TObjHeader* path = Add(Poly({{0, 0}, {10, 0}, {20, 10}}));
    TObjHeader *ls = nullptr, *le = nullptr;
    AppendObj(Poly({{-5, 4}, {30, 4}}), ls, le);
    EnPline.Axis(path, ls, le, false, 10, L, LE, 3);
    TObjHeader* ax = LE;
    ASSERT_NE(ax, path);
    EXPECT_EQ(ax->Layer, 3);
    ASSERT_EQ(PlineSegCount(ax), 2);
    EXPECT_TRUE(Near(AsPline(ax)->S, {0, 2}));  // halfway to the wall
    // The bend probes along its bisector (112.5 degrees) and meets the wall.
    const Extended b = 5 * GeomPi / 8;
    EXPECT_TRUE(Near(PlineSegs(ax)[0].E, {10 + 2 * std::cos(b) / std::sin(b), 2}));
    // The end probes square to the last segment and misses the wall: half the probe.
    const Extended e = 3 * GeomPi / 4;
    EXPECT_TRUE(Near(PlineEndPt(ax), {20 + 10 * std::cos(e), 10 + 10 * std::sin(e)}));
    FreeObjList(ls, le);
}

}  // namespace
