// Offsets of closed and open polylines: the cases whose result is known exactly,
// generated profiles checked for closed, non-crossing loops, the parts of the
// clean-up, and the indexed clean-up against its all-pairs twin.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/UniPlineOffset.h"
#include "test_offset_shapes.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class OffsetTest : public PlineTest {
protected:
    TObjHeader *R = nullptr, *RE = nullptr;  // results
    void TearDown() override {
        FreeObjList(R, RE);
        PlineTest::TearDown();
    }
    TObjHeader* Square(Extended Side) { return Add(Poly({{0, 0}, {Side, 0}, {Side, Side}, {0, Side}, {0, 0}})); }
    std::vector<TObjHeader*> Results() const {
        std::vector<TObjHeader*> v;
        for (TObjHeader* p = R; p; p = p->Next) v.push_back(p);
        return v;
    }
    // Every result closed, free of self-crossings, not crossing another result, and
    // at least Dist from the source at every vertex.
    void ExpectCleanLoops(TObjHeader* Src, Extended Dist) {
        ASSERT_EQ(CheckObjList(R, RE), "");
        for (TObjHeader* p = R; p; p = p->Next) {
            ASSERT_EQ(p->Type, ObjPline);
            EXPECT_FALSE(EnPline.OpenPline(p));
            TSelfCross sc;
            EXPECT_EQ(EnPline.SelfCross(p, sc), 0) << "segments " << sc.I << " and " << sc.J;
            int32_t k;
            for (int32_t i = 0; i < PlineSegCount(p); ++i)
                EXPECT_GE(EnPline.DistPoint(Src, PlineSegs(p)[i].E, k), Dist - 1e-6L);
            for (TObjHeader* q = p->Next; q; q = q->Next) {
                int32_t s1, s2;
                Osy X;
                EXPECT_FALSE(EnPline.CrossTestSect(p, q, s1, s2, X));
            }
        }
    }
};

TEST_F(OffsetTest, OutsideSquareHasFourSidesAndFourQuarterArcs) {
    TObjHeader* sq = Square(10);
    EnPline.GenOffsetClose(sq, 1, false, false, R, RE, 3);
    ASSERT_EQ(Count(R), 1);
    ASSERT_EQ(PlineSegCount(R), 8);
    EXPECT_EQ(R->Layer, 3);
    EXPECT_EQ(AsPline(R)->PlineFlags, AsPline(sq)->PlineFlags);
    EXPECT_TRUE(Near(AsPline(R)->S, {0, -1}));
    const Seg want[8] = {{{10, -1}, 0},        {{11, 0}, GeomPi2}, {{11, 10}, 0}, {{10, 11}, GeomPi2},
                         {{0, 11}, 0},         {{-1, 10}, GeomPi2}, {{-1, 0}, 0}, {{0, -1}, GeomPi2}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(Near(PlineSegs(R)[i].E, want[i].E)) << i;
        EXPECT_NEAR(double(PlineSegs(R)[i].Alfa), double(want[i].Alfa), 1e-12) << i;
    }
}

TEST_F(OffsetTest, InsideSquareIsTheSmallerSquare) {
    for (bool analysis : {false, true}) {
        FreeObjList(R, RE);
        TObjHeader* sq = Square(10);
        EnPline.GenOffsetClose(sq, 1, true, analysis, R, RE, 1);
        ASSERT_EQ(Count(R), 1) << analysis;
        ASSERT_EQ(PlineSegCount(R), 4);
        Osy mn, mx;
        EnPline.Envelope(R, mn, mx);
        EXPECT_TRUE(Near(mn, {1, 1}) && Near(mx, {9, 9}));
        for (int i = 0; i < 4; ++i) EXPECT_EQ(PlineSegs(R)[i].Alfa, 0);
        EXPECT_NEAR(double(EnPline.Length(R)), 32, 1e-9);
        if (analysis) {
            EXPECT_TRUE(Near(AsPline(R)->S, {1, 1}));  // the loop starts by the source's start
            EXPECT_EQ(R->Next, nullptr);
        }
    }
}

TEST_F(OffsetTest, InsideTooNarrowGivesNothing) {
    EnPline.GenOffsetClose(Square(10), 5, true, true, R, RE, 1);
    EXPECT_EQ(R, nullptr);
    // Wider and taller than twice the distance, but its inscribed circle (r 1.385) is
    // smaller: the offset sides close into a turned-over triangle, which is no offset.
    for (const Extended d : {1.4L, 1.45L, 1.49L}) {
        EnPline.GenOffsetClose(Add(Poly({{0, 0}, {10, 0}, {5, 3}, {0, 0}})), d, true, true, R, RE, 1);
        EXPECT_EQ(R, nullptr) << double(d);
    }
    EnPline.GenOffsetClose(Add(Poly({{0, 0}, {10, 0}, {10, 1}})), 1, false, true, R, RE, 1);  // open
    EXPECT_EQ(R, nullptr);
}

// A repeated vertex has no direction: the offset is that of the outline without it,
// closed inside and outside and open, wherever the repetition stands.
TEST_F(OffsetTest, ZeroLengthSegmentsAreLeftOut) {
    const std::vector<Osy> Rect{{0, 0}, {10, 0}, {10, 8}, {0, 8}, {0, 0}};
    const struct {
        const char* Name;
        bool Closed, Inside;
        Extended Dist;
    } Kinds[] = {{"inside", true, true, 1.5L}, {"outside", true, false, 1.5L}, {"open", false, false, 1.5L}};
    for (const auto& K : Kinds)
        for (size_t At = 0; At + 1 < Rect.size(); ++At) {
            SCOPED_TRACE(std::string(K.Name) + " at " + std::to_string(At));
            std::vector<Osy> Pts = Rect;
            if (!K.Closed) Pts.pop_back();
            if (At >= Pts.size()) continue;
            TObjHeader* Plain = Add(Poly(Pts));
            Pts.insert(Pts.begin() + long(At), Pts[At]);
            TObjHeader* Twice = Add(Poly(Pts));
            ASSERT_EQ(PlineSegCount(Twice), PlineSegCount(Plain) + 1);
            TObjHeader *WS = nullptr, *WE = nullptr;
            if (K.Closed) {
                EnPline.GenOffsetClose(Plain, K.Dist, K.Inside, true, WS, WE, 1);
                EnPline.GenOffsetClose(Twice, K.Dist, K.Inside, true, R, RE, 1);
            } else {
                EnPline.GenOffsetOpen(Plain, K.Dist, true, WS, WE, 1);
                EnPline.GenOffsetOpen(Twice, K.Dist, true, R, RE, 1);
            }
            ASSERT_EQ(Count(R), 1);
            ASSERT_EQ(Count(WS), 1);
            EXPECT_NEAR(double(EnPline.Length(R)), double(EnPline.Length(WS)), 1e-9);
            int32_t k;
            for (int32_t i = 0; i < PlineSegCount(R); ++i)
                EXPECT_NEAR(double(EnPline.DistPoint(Plain, PlineSegs(R)[i].E, k)), double(K.Dist), 1e-9) << i;
            FreeObjList(WS, WE);
            FreeObjList(R, RE);
        }
}

TEST_F(OffsetTest, ArcOffsetThroughItsCentreBecomesStraight) {
    Osy OS, OE;
    Extended OA;
    OffsetSeg({2, 0}, {0, 2}, GeomPi2, GeomPi2, 3, OS, OE, OA);  // left of a ccw arc: towards the centre
    EXPECT_EQ(OA, 0);
    EXPECT_TRUE(Near(OS, {-1, 0}) && Near(OE, {0, -1}));
    OffsetSeg({2, 0}, {0, 2}, GeomPi2, -GeomPi2, 3, OS, OE, OA);  // away from it
    EXPECT_EQ(OA, GeomPi2);
    EXPECT_TRUE(Near(OS, {5, 0}) && Near(OE, {0, 5}));
}

TEST_F(OffsetTest, SmallCornerGapIsClosedByLengthening) {
    // A corner turning by 10 degrees (below MinOffsArc = 15): the outside offsets
    // meet in a sharp corner instead of an arc.
    const Extended t = 10 * GeomPi / 180;
    TObjHeader* p = Add(Poly({{0, 0}, {10, 0}, {10 + 10 * std::cos(t), 10 * std::sin(t)}}));
    EnPline.GenOffsetOpen(p, 1, true, R, RE, 1);
    ASSERT_EQ(Count(R), 1);
    ASSERT_EQ(PlineSegCount(R), 2);
    EXPECT_EQ(PlineSegs(R)[0].Alfa, 0);
    EXPECT_NEAR(double(PlineSegs(R)[0].E.y), -1, 1e-9);
    Glob.MinOffsArc = 0;
    FreeObjList(R, RE);
    EnPline.GenOffsetOpen(p, 1, true, R, RE, 1);
    ASSERT_EQ(Count(R), 1);
    ASSERT_EQ(PlineSegCount(R), 3);
    EXPECT_NEAR(double(PlineSegs(R)[1].Alfa), double(t), 1e-12);  // the arc about the vertex
}

TEST_F(OffsetTest, OpenOffsetOfSelfCrossingPolylineIsEmpty) {
    EnPline.GenOffsetOpen(Add(Poly({{0, 0}, {10, 10}, {10, 0}, {0, 10}})), 1, true, R, RE, 1);
    EXPECT_EQ(R, nullptr);
}

TEST_F(OffsetTest, OpenOffsetOfAnLShape) {
    TObjHeader* p = Add(Poly({{0, 0}, {10, 0}, {10, 10}}));
    EnPline.GenOffsetOpen(p, 1, false, R, RE, 2);  // inside the bend
    ASSERT_EQ(Count(R), 1);
    EXPECT_TRUE(Near(AsPline(R)->S, {0, 1}));
    EXPECT_TRUE(Near(PlineEndPt(R), {9, 10}));
    EXPECT_NEAR(double(EnPline.Length(R)), 18, 1e-9);
    FreeObjList(R, RE);
    EnPline.GenOffsetOpen(p, 1, true, R, RE, 2);  // around the bend: an arc
    ASSERT_EQ(Count(R), 1);
    EXPECT_NEAR(double(EnPline.Length(R)), 20 + GeomPi2, 1e-9);
}

TEST_F(OffsetTest, StarAndGearGiveClosedLoopsFreeOfCrossings) {
    struct Case {
        int Shape;  // 0 star, 1 gear
        Extended Dist;
        bool Inside;
    };
    const Case cases[] = {{0, 0.5L, true}, {0, 2, true}, {0, 1, false}, {0, 6, false},
                          {1, 0.4L, true}, {1, 1.5L, true}, {1, 0.4L, false}, {1, 3, false}};
    for (const Case& c : cases) {
        FreeObjList(R, RE);
        TObjHeader* src = Add(c.Shape == 0 ? offtest::Star({50, 40}, 7, 8, 20) : offtest::Gear({50, 40}, 12, 16, 20));
        EnPline.GenOffsetClose(src, c.Dist, c.Inside, true, R, RE, 1);
        ASSERT_NE(R, nullptr) << c.Shape << " " << double(c.Dist) << " " << c.Inside;
        ExpectCleanLoops(src, c.Dist);
        // Outside: one loop; inside a star's tips pinch off into separate loops.
        if (!c.Inside) EXPECT_EQ(Count(R), 1);
    }
    // Two rooms joined by a neck narrower than twice the distance: one loop each.
    FreeObjList(R, RE);
    TObjHeader* bell = Add(Poly({{0, 0}, {10, 0}, {10, 4}, {20, 4}, {20, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 6},
                                 {10, 6}, {10, 10}, {0, 10}, {0, 0}}));
    EnPline.GenOffsetClose(bell, 1.5L, true, true, R, RE, 1);
    ASSERT_EQ(Count(R), 2);
    ExpectCleanLoops(bell, 1.5L);
    // Each a 7 mm square with a small bump into the neck's mouth, mirror images.
    EXPECT_GT(EnPline.Length(R), 28);
    EXPECT_NEAR(double(EnPline.Length(R)), double(EnPline.Length(RE)), 1e-9);
}

TEST_F(OffsetTest, CrossTestSectIgnoresSharedEndsOnly) {
    TObjHeader* a = Add(Poly({{0, 0}, {10, 0}}));
    TObjHeader* b = Add(Poly({{10, 0}, {10, 10}}));
    int32_t s1 = -1, s2 = -1;
    Osy X;
    EXPECT_FALSE(EnPline.CrossTestSect(a, b, s1, s2, X));
    // Sharing the end point and crossing elsewhere: the other crossing.
    TObjHeader* c = Add(Poly({{10, 0}, {5, 5}, {5, -5}}));
    ASSERT_TRUE(EnPline.CrossTestSect(a, c, s1, s2, X));
    EXPECT_TRUE(Near(X, {5, 0}));
    EXPECT_EQ(s1, 0);
    EXPECT_EQ(s2, 1);
}

TEST_F(OffsetTest, PlineTruncSplitsTwoCrossingLinesIntoFour) {
    Add(Poly({{0, 0}, {10, 10}}));
    Add(Poly({{0, 10}, {10, 0}}));
    EnPline.PlineTrunc(L, LE);
    ASSERT_EQ(Count(L), 4);
    EXPECT_EQ(CheckObjList(L, LE), "");
    for (TObjHeader* p = L; p; p = p->Next) {
        EXPECT_NEAR(double(EnPline.Length(p)), double(std::sqrt(50.0L)), 1e-9);
        for (TObjHeader* q = p->Next; q; q = q->Next) {
            int32_t s1, s2;
            Osy X;
            EXPECT_FALSE(EnPline.CrossTestSect(p, q, s1, s2, X));
        }
    }
}

TEST_F(OffsetTest, OffsPlineJoinTakesEqualTangentsOnlyWhenContinuing) {
    Add(Poly({{0, 0}, {5, 0}}));
    Add(Poly({{5, 0}, {10, 0}}));  // the same direction at the joint
    TObjHeader *os = nullptr, *oe = nullptr;
    EnPline.OffsPlineJoin(false, L, LE, os, oe);
    EXPECT_EQ(Count(L), 2);
    EnPline.OffsPlineJoin(true, L, LE, os, oe);
    ASSERT_EQ(Count(L), 1);
    EXPECT_EQ(PlineSegCount(L), 2);
    EXPECT_EQ(os, nullptr);
    // A corner is a bend: the first pass chains it and a closed chain goes to Out.
    Add(Poly({{20, 0}, {30, 0}}));
    Add(Poly({{30, 0}, {30, 10}, {20, 0}}));
    EnPline.OffsPlineJoin(false, L, LE, os, oe);
    EXPECT_EQ(Count(L), 1);
    ASSERT_EQ(Count(os), 1);
    EXPECT_FALSE(EnPline.OpenPline(os));
    FreeObjList(os, oe);
}

TEST_F(OffsetTest, SpecOffsPlineJoinPrunesTheBranchThatLeadsNowhere) {
    // Two pieces leave (0, 0): one goes on to a successor, the other ends in the open.
    Add(Poly({{0, 0}, {10, 0}}));
    Add(Poly({{0, 0}, {0, -10}}));  // dead end
    Add(Poly({{10, 0}, {10, 10}, {0, 0}}));
    TObjHeader *os = nullptr, *oe = nullptr;
    EnPline.SpecOffsPlineJoin(L, LE, os, oe);
    EXPECT_EQ(L, nullptr);
    ASSERT_EQ(Count(os), 1);
    EXPECT_EQ(PlineSegCount(os), 3);
    FreeObjList(os, oe);
}

// ---- the indexed clean-up against its all-pairs twin ----

void ExpectSameLists(TObjHeader* a, TObjHeader* b) {
    ASSERT_EQ(CountObjs(a), CountObjs(b));
    for (; a && b; a = a->Next, b = b->Next) EXPECT_TRUE(SameRecord(a, b));
}

TEST_F(OffsetTest, IndexedCleanUpEqualsAllPairs) {
    std::mt19937 rng(20260101);
    std::uniform_real_distribution<double> dist(0.3, 4);
    int nonEmpty = 0;
    for (int round = 0; round < 24; ++round) {
        TObjHeader* src = round % 3 == 0 ? offtest::Gear({0, 0}, 8 + round, 14, 18)
                                         : offtest::RandomProfile(rng, {0, 0}, 12 + round * 2);
        Add(src);
        const Extended d = Extended(dist(rng));
        const bool inside = round % 2 == 0;
        TObjHeader *a = nullptr, *ae = nullptr, *b = nullptr, *be = nullptr;
        offs::GenOffsetClose(src, d, inside, true, a, ae, 1, false);
        offs::GenOffsetClose(src, d, inside, true, b, be, 1, true);
        ExpectSameLists(a, b);
        nonEmpty += a != nullptr;
        FreeObjList(a, ae);
        FreeObjList(b, be);
        // The same source as an open polyline (its last segment left out).
        std::vector<Seg> segs;
        for (int32_t i = 0; i + 1 < PlineSegCount(src); ++i) segs.push_back({PlineSegs(src)[i].E, PlineSegs(src)[i].Alfa});
        TObjHeader* open = Add(Pline(AsPline(src)->S, segs));
        EnPline.FindDir(open);
        offs::GenOffsetOpen(open, d, inside, a, ae, 1, false);
        offs::GenOffsetOpen(open, d, inside, b, be, 1, true);
        ExpectSameLists(a, b);
        FreeObjList(a, ae);
        FreeObjList(b, be);
    }
    EXPECT_GT(nonEmpty, 12);
}

TEST_F(OffsetTest, IndexedTruncAndJoinEqualAllPairs) {
    // Random straight pieces with shared end points on a coarse lattice.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> c(0, 6);
    for (int round = 0; round < 20; ++round) {
        TObjHeader *a = nullptr, *ae = nullptr, *b = nullptr, *be = nullptr;
        for (int k = 0; k < 30; ++k) {
            Osy p{Extended(c(rng)), Extended(c(rng))}, q{Extended(c(rng)), Extended(c(rng))};
            if (SamePt(p, q)) continue;
            AppendObj(Poly({p, q}), a, ae);
            AppendObj(Poly({p, q}), b, be);
        }
        offs::PlineTrunc(a, ae, false);
        offs::PlineTrunc(b, be, true);
        ExpectSameLists(a, b);
        TObjHeader *ao = nullptr, *aoe = nullptr, *bo = nullptr, *boe = nullptr;
        if (round % 2) {
            offs::SpecOffsPlineJoin(a, ae, ao, aoe, false);
            offs::SpecOffsPlineJoin(b, be, bo, boe, true);
        } else {
            offs::OffsPlineJoin(round % 4 == 0, a, ae, ao, aoe, false);
            offs::OffsPlineJoin(round % 4 == 0, b, be, bo, boe, true);
        }
        ExpectSameLists(a, b);
        ExpectSameLists(ao, bo);
        FreeObjList(a, ae);
        FreeObjList(b, be);
        FreeObjList(ao, aoe);
        FreeObjList(bo, boe);
    }
}

}  // namespace
