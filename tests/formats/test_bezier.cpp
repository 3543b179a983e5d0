// Cubic Bezier curves fitted by arcs and by lines in the polyline under construction.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "formats/UniBezier.h"
#include "support/Fixture.h"

namespace {

// A quarter circle of radius 10 about the origin from (10, 0) to (0, 10).
const Extended R = 10;
const Extended Kappa = 0.5522847498307936L * R;
const Osy P0{R, 0}, P1{R, Kappa}, P2{Kappa, R}, P3{0, R};

class BezierTest : public KestrilonTest {
protected:
    void TearDown() override {
        FreeObjList(Start, End);
        KestrilonTest::TearDown();
    }
    TObjHeader* Fit(bool Arcs, const Osy& A, const Osy& B, const Osy& C, const Osy& D, Extended Err) {
        StartObj(A);
        if (Arcs) BezierToArcs(A, B, C, 1e-9L, Err, D);
        else BezierToLines(A, B, C, 1e-9L, Err, D);
        return MakeObj(1, Start, End);
    }
    TObjHeader* Start = nullptr;
    TObjHeader* End = nullptr;
};

// Largest distance from the circle of radius R of the segment ends and arc middles.
Extended CircleDeviation(const TObjHeader* P) {
    Extended worst = 0;
    Osy a = AsPline(P)->S;
    for (int32_t i = 0; i < PlineSegCount(P); ++i) {
        const TPlineSeg& s = PlineSegs(P)[i];
        Osy m;
        SegMidPt(a, s.E, s.Alfa, m);
        for (const Osy& q : {s.E, m}) worst = std::max(worst, std::fabs(Dist(Osy{0, 0}, q) - R));
        a = s.E;
    }
    return worst;
}

TEST_F(BezierTest, QuarterCircleBecomesAFewArcsWithinTheError) {
    TObjHeader* p = Fit(true, P0, P1, P2, P3, 0.01L);
    ASSERT_EQ(p->Type, ObjPline);
    int32_t n = PlineSegCount(p);
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 8);
    Extended sweep = 0;
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_GT(PlineSegs(p)[i].Alfa, CoordTol);  // counter-clockwise arcs
        sweep += PlineSegs(p)[i].Alfa;
    }
    // each arc is kept a little flatter than the one through the curve's middle
    EXPECT_GT(sweep, 0.9L * GeomPi / 2);
    EXPECT_LE(sweep, GeomPi / 2);
    EXPECT_LT(CircleDeviation(p), 0.01L + 0.003L);  // the cubic itself is 0.0027 off the circle
    EXPECT_TRUE(SamePt(PlineEndPt(p), P3));
}

TEST_F(BezierTest, ClockwiseCurveGivesNegativeArcs) {
    TObjHeader* p = Fit(true, P3, P2, P1, P0, 0.01L);
    for (int32_t i = 0; i < PlineSegCount(p); ++i) EXPECT_LT(PlineSegs(p)[i].Alfa, -CoordTol);
    EXPECT_TRUE(SamePt(PlineEndPt(p), P0));
}

TEST_F(BezierTest, LinesStayWithinTheError) {
    TObjHeader* p = Fit(false, P0, P1, P2, P3, 0.01L);
    EXPECT_GT(PlineSegCount(p), 4);
    Osy a = AsPline(p)->S;
    for (int32_t i = 0; i < PlineSegCount(p); ++i) {
        EXPECT_EQ(PlineSegs(p)[i].Alfa, 0);
        a = PlineSegs(p)[i].E;
    }
    EXPECT_LT(CircleDeviation(p), 0.01L + 0.003L);
    EXPECT_TRUE(SamePt(PlineEndPt(p), P3));
}

TEST_F(BezierTest, StraightCurveGivesStraightSegmentsAlsoAsArcs) {
    for (bool arcs : {true, false}) {
        TObjHeader* p = Fit(arcs, Osy{0, 0}, Osy{3, 3}, Osy{6, 6}, Osy{10, 10}, 0.01L);
        ASSERT_EQ(PlineSegCount(p), 1);
        EXPECT_EQ(PlineSegs(p)[0].Alfa, 0);
        EXPECT_TRUE(SamePt(PlineEndPt(p), Osy{10, 10}));
    }
}

TEST_F(BezierTest, DegenerateCurvesAddNothingOrEndAtP3) {
    TObjHeader* p = Fit(true, Osy{1, 1}, Osy{1, 1}, Osy{1, 1}, Osy{1, 1}, 0.01L);
    EXPECT_EQ(p->Type, ObjPoint);  // nothing was added
    // a loop that comes back to its start
    TObjHeader* q = Fit(true, Osy{0, 0}, Osy{10, 10}, Osy{-10, 10}, Osy{0, 0.5L}, 0.001L);
    EXPECT_TRUE(SamePt(PlineEndPt(q), Osy{0, 0.5L}));
}

// A parabola across the whole 20000 mm range of an imported drawing, written as a
// cubic (y = x^2 / 80000 from x = -20000 to 20000): every segment end and arc middle
// keeps to the error (measured upright, which overstates it by at most 12 % at these
// slopes), and the number of segments follows the error asked for, not the curve's size.
TEST_F(BezierTest, CurveAcrossTheCoordinateLimitsKeepsTheError) {
    const Osy A{-20000, 5000}, B{-20000.0L / 3, -5000.0L / 3}, C{20000.0L / 3, -5000.0L / 3}, D{20000, 5000};
    for (bool arcs : {false, true}) {
        TObjHeader* p = Fit(arcs, A, B, C, D, 0.01L);
        ASSERT_EQ(p->Type, ObjPline);
        Extended worst = 0;
        Osy a = AsPline(p)->S;
        for (int32_t i = 0; i < PlineSegCount(p); ++i) {
            const TPlineSeg& s = PlineSegs(p)[i];
            Osy m;
            SegMidPt(a, s.E, s.Alfa, m);
            for (const Osy& q : {s.E, m}) worst = std::max(worst, std::fabs(q.y - q.x * q.x / 80000));
            a = s.E;
        }
        EXPECT_LT(worst, 0.0113L) << arcs;
        EXPECT_LT(PlineSegCount(p), 2000) << arcs;
        EXPECT_TRUE(SamePt(PlineEndPt(p), D));
    }
}

}  // namespace
