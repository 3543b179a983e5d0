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

// One segment of a polyline as geometry: start, end, angle; the arc's centre and
// radius; the directions of travel at its ends.
struct TSegGeom {
    Osy S, E;
    Extended Alfa;
    bool Arc() const { return std::fabs(Alfa) > 1e-12L; }
    Extended Chord() const { return std::atan2(E.y - S.y, E.x - S.x); }
    Extended TanS() const { return Chord() - Alfa / 2; }
    Extended TanE() const { return Chord() + Alfa / 2; }
    Extended Radius() const { return std::hypot(E.x - S.x, E.y - S.y) / (2 * std::sin(std::fabs(Alfa) / 2)); }
    Osy Centre() const {
        // The centre lies off the chord's middle by R cos(Alfa/2), to the left for a
        // counter-clockwise arc.
        const Extended d = Radius() * std::cos(Alfa / 2) * (Alfa > 0 ? 1 : -1), c = Chord();
        return {(S.x + E.x) / 2 - d * std::sin(c), (S.y + E.y) / 2 + d * std::cos(c)};
    }
};

TSegGeom SegOf(const TObjHeader* p, int i) {
    const Osy S = i == 0 ? AsPline(p)->S : PlineSegs(p)[i - 1].E;
    return {S, PlineSegs(p)[i].E, PlineSegs(p)[i].Alfa};
}

// Equal directions within 1e-9 radians.
bool SameDir(Extended a, Extended b) {
    const Extended d = std::remainder(a - b, 2 * GeomPi);
    return std::fabs(d) < 1e-9L;
}

// A point on the circle or line the original segment lies on.
bool OnSeg(const TSegGeom& G, const Osy& P) {
    if (G.Arc()) return std::fabs(Dist(G.Centre(), P) - G.Radius()) < 1e-9L;
    const Extended c = G.Chord();
    return std::fabs(-(P.x - G.S.x) * std::sin(c) + (P.y - G.S.y) * std::cos(c)) < 1e-9L;
}

TEST_F(FilletTest, CornersWithArcsAreRoundedTangentially) {
    // Right-angle corners at (10, 0) (the second polyline's at (10, 0) as well), arcs of
    // radius 5, fillet radius 1.
    const struct {
        const char* Name;
        Osy S;
        std::vector<Seg> Segs;
    } Cases[] = {
        {"line-arc", {0, 0}, {{{10, 0}}, {{20, 0}, GeomPi}}},
        {"arc-line", {0, 0}, {{{10, 0}, GeomPi}, {{20, 0}}}},
        {"arc-arc", {0, 0}, {{{10, 0}, GeomPi}, {{15, 5}, GeomPi2}}},
    };
    for (const auto& C : Cases) {
        TObjHeader* p = Add(Pline(C.S, C.Segs));
        const TSegGeom G1 = SegOf(p, 0), G2 = SegOf(p, 1);
        ASSERT_FALSE(SameDir(G1.TanE(), G2.TanS())) << C.Name;  // a real corner
        TObjHeader* One = Keep(EnPline.FilletOne(p, 1, {10, 0}, false));
        TObjHeader* All = Keep(EnPline.FilletAll(p, 1, false));
        for (TObjHeader* r : {One, All}) {
            ASSERT_NE(r, nullptr) << C.Name;
            ASSERT_EQ(PlineSegCount(r), 3) << C.Name;
            EXPECT_TRUE(Near(AsPline(r)->S, C.S)) << C.Name;
            EXPECT_TRUE(Near(PlineEndPt(r), PlineEndPt(p))) << C.Name;
            const TSegGeom A = SegOf(r, 0), F = SegOf(r, 1), B = SegOf(r, 2);
            // The trimmed pieces stay on the original segments' circles and lines.
            EXPECT_TRUE(OnSeg(G1, A.E)) << C.Name;
            EXPECT_TRUE(OnSeg(G2, F.E)) << C.Name;
            EXPECT_EQ(A.Arc(), G1.Arc()) << C.Name;
            EXPECT_EQ(B.Arc(), G2.Arc()) << C.Name;
            if (G1.Arc()) EXPECT_TRUE(Near(A.Centre(), G1.Centre()) && std::fabs(A.Radius() - 5) < 1e-9L) << C.Name;
            if (G2.Arc()) EXPECT_TRUE(Near(B.Centre(), G2.Centre()) && std::fabs(B.Radius() - 5) < 1e-9L) << C.Name;
            // The fillet is an arc of the given radius, tangent at both ends.
            ASSERT_TRUE(F.Arc()) << C.Name;
            EXPECT_NEAR(double(F.Radius()), 1, 1e-9) << C.Name;
            EXPECT_TRUE(SameDir(A.TanE(), F.TanS())) << C.Name;
            EXPECT_TRUE(SameDir(F.TanE(), B.TanS())) << C.Name;
            // The remaining pieces keep the original directions at the far ends.
            EXPECT_TRUE(SameDir(A.TanS(), G1.TanS())) << C.Name;
            EXPECT_TRUE(SameDir(B.TanE(), G2.TanE())) << C.Name;
        }
    }
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
