#include <cmath>
#include <string>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPlineOffsetGeom.h"
#include "support/Fixture.h"

namespace {

class GeomTest : public KestrilonTest {};

const Extended S3 = std::sqrt(3.0L);
const Extended S2 = std::sqrt(2.0L);

::testing::AssertionResult Near(const Osy& P, Extended X, Extended Y, Extended Tol = 1e-12L) {
    if (std::fabs(P.x - X) <= Tol && std::fabs(P.y - Y) <= Tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << static_cast<double>(P.x) << ", "
                                         << static_cast<double>(P.y) << ") != ("
                                         << static_cast<double>(X) << ", "
                                         << static_cast<double>(Y) << ")";
}

::testing::AssertionResult NearL(Extended A, Extended B, Extended Tol) {
    if (std::fabs(A - B) <= Tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << static_cast<double>(A) << " != " << static_cast<double>(B)
                                         << " (difference " << static_cast<double>(A - B) << ")";
}

// One intersection case: two segments, the expected count and points.
struct XCase {
    const char* Name;
    Osy S1, E1;
    Extended Alfa1;
    Osy S2, E2;
    Extended Alfa2;
    unsigned Count;
    Osy X1, X2;
};

void CheckCases(const std::vector<XCase>& Cases,
                unsigned (*Fn)(const XCase&, Osy&, Osy&)) {
    for (const XCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        Osy x1{-777, -777}, x2{-777, -777};
        ASSERT_EQ(Fn(c, x1, x2), c.Count);
        if (c.Count >= 1) EXPECT_TRUE(Near(x1, c.X1.x, c.X1.y, 1e-9L));
        if (c.Count == 2) EXPECT_TRUE(Near(x2, c.X2.x, c.X2.y, 1e-9L));
    }
}

TEST_F(GeomTest, NormAngle) {
    struct Case {
        Extended In, Out;
    };
    const std::vector<Case> cases = {
        {-0.5L, Geom2Pi - 0.5L},
        {Geom2Pi + 1e-16L, 0},
        {GeomPi2 + 5e-16L, GeomPi2},
        {GeomPi - 5e-16L, GeomPi},
        {GeomPi32 + 1e-16L, GeomPi32},
        {-1e-16L, 0},
        {1e-16L, 0},
        {Geom2Pi, 0},
        {1, 1},
        {5 * GeomPi, 5 * GeomPi - Geom2Pi},  // one wrap only: 3pi
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.In));
        Extended a = c.In;
        NormAngle(a);
        EXPECT_EQ(a, c.Out);
        EXPECT_EQ(NormAngleOf(c.In), c.Out);
    }
}

TEST_F(GeomTest, AngleDirections) {
    struct Case {
        Osy P2;
        Extended A;
    };
    const std::vector<Case> cases = {
        {{1, 0}, 0},
        {{1, 1}, GeomPi / 4},
        {{0, 1}, GeomPi2},
        {{-1, 1}, 3 * GeomPi / 4},
        {{-1, 0}, GeomPi},
        {{-1, -1}, 5 * GeomPi / 4},
        {{0, -1}, GeomPi32},
        {{1, -1}, 7 * GeomPi / 4},
        {{1, -1e-20L}, 0},     // a hair below 2pi is cut to 0
        {{5e-7L, -5e-7L}, 0},  // the same point within the tolerance
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.A));
        EXPECT_TRUE(NearL(Angle(Osy{0, 0}, c.P2), c.A, 1e-18L));
        EXPECT_EQ(Angle2(Osy{0, 0}, c.P2), Angle(Osy{0, 0}, c.P2));
    }
    EXPECT_EQ(Angle(Osy{0, 0}, Osy{1, -1e-20L}), 0);
}

// The reduced sine and cosine agree with the library's to the last bits of long
// double, in every quadrant and on the quarter turns themselves.
TEST_F(GeomTest, SinCosMatchesTheLibrary) {
    std::vector<Extended> args = {0, 1e-30L, -1e-30L, 0.5L, -0.5L, 100, -1000.25L, 123456.789L};
    for (int k = -12; k <= 12; ++k)
        for (Extended d : {-1e-12L, 0.0L, 1e-12L, 0.3L, 0.785L, 0.786L}) args.push_back(k * GeomPi2 + d);
    for (Extended a : args) {
        Extended s = 7, c = 7;
        SinCos(a, s, c);
        EXPECT_TRUE(NearL(s, std::sin(a), 1e-18L)) << double(a);
        EXPECT_TRUE(NearL(c, std::cos(a), 1e-18L)) << double(a);
    }
}

TEST_F(GeomTest, PointsAndDistances) {
    EXPECT_TRUE(SamePt(Osy{1, 1}, Osy{1 + 0.9e-6L, 1 - 0.9e-6L}));
    EXPECT_FALSE(SamePt(Osy{1, 1}, Osy{1 + 2e-6L, 1}));
    EXPECT_EQ(Dist(Osy{0, 0}, Osy{3, 4}), 5);
    EXPECT_EQ(Dist3D(Osy3D{1, 1, 1}, Osy3D{3, 4, 7}), 7);
    Osy s = AddPt(Osy{1, 2}, Osy{3, -5});
    EXPECT_TRUE(Near(s, 4, -3, 0));
}

TEST_F(GeomTest, InRangeIsCyclic) {
    EXPECT_TRUE(InRange(1, 0.5L, 2));
    EXPECT_FALSE(InRange(3, 0.5L, 2));
    EXPECT_TRUE(InRange(0.1L, 6, 0.5L));  // through 0
    EXPECT_TRUE(InRange(6.1L, 6, 0.5L));
    EXPECT_FALSE(InRange(3, 6, 0.5L));
    EXPECT_TRUE(InRange(2 + 0.9e-6L, 0.5L, 2));
    EXPECT_FALSE(InRange(2 + 2e-6L, 0.5L, 2));
    // A hair below 2pi lies within the tolerance of a range starting at 0.
    EXPECT_TRUE(InRange(Geom2Pi - 1e-12L, 0, 1));
    EXPECT_TRUE(InRange(1e-12L, 5, Geom2Pi - 1e-12L));
}

TEST_F(GeomTest, ArcCentreAnglesAndMiddle) {
    struct Case {
        Extended Alfa;
        Osy C;
        Extended R, Start, End;
        Osy Mid;
    };
    // Arcs from (0, 0) to (2, 0).
    const std::vector<Case> cases = {
        {GeomPi, {1, 0}, 1, GeomPi, 0, {1, -1}},
        {-GeomPi, {1, 0}, 1, GeomPi, 0, {1, 1}},
        {GeomPi2, {1, 1}, S2, 5 * GeomPi / 4, 7 * GeomPi / 4, {1, 1 - S2}},
        {-GeomPi2, {1, -1}, S2, 3 * GeomPi / 4, GeomPi / 4, {1, S2 - 1}},
        {3 * GeomPi2, {1, -1}, S2, 3 * GeomPi / 4, GeomPi / 4, {1, -1 - S2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.Alfa));
        Osy C, M;
        Extended R;
        ArcCenter(Osy{0, 0}, Osy{2, 0}, c.Alfa, C, R);
        EXPECT_TRUE(Near(C, c.C.x, c.C.y));
        EXPECT_TRUE(NearL(R, c.R, 1e-15L));
        ArcCenter2(Osy{0, 0}, Osy{2, 0}, c.Alfa, C, R);
        EXPECT_TRUE(Near(C, c.C.x, c.C.y));
        EXPECT_TRUE(NearL(ArcStartAngle(Osy{0, 0}, Osy{2, 0}, c.Alfa), c.Start, 1e-15L));
        EXPECT_TRUE(NearL(ArcEndAngle(Osy{0, 0}, Osy{2, 0}, c.Alfa), c.End, 1e-15L));
        SegMidPt(Osy{0, 0}, Osy{2, 0}, c.Alfa, M);
        EXPECT_TRUE(Near(M, c.Mid.x, c.Mid.y));
    }
    Osy M;
    SegMidPt(Osy{0, 0}, Osy{2, 4}, 0, M);
    EXPECT_TRUE(Near(M, 1, 2, 0));
}

TEST_F(GeomTest, PerpendicularFeet) {
    struct Case {
        Osy P;
        bool On;
        Osy F;
        Extended D;
    };
    const std::vector<Case> lineCases = {
        {{5, 3}, true, {5, 0}, 3},
        {{5, -3}, true, {5, 0}, 3},
        {{-2, 1}, false, {-2, 0}, 1},
        {{12, 1}, false, {12, 0}, 1},
        {{10 + 0.5e-6L, 1}, true, {10 + 0.5e-6L, 0}, 1},
        {{0, 0}, true, {0, 0}, 0},
    };
    for (const Case& c : lineCases) {
        Osy F;
        Extended D;
        EXPECT_EQ(PerpFootLine(c.P, Osy{0, 0}, Osy{10, 0}, F, D), c.On);
        EXPECT_TRUE(Near(F, c.F.x, c.F.y));
        EXPECT_TRUE(NearL(D, c.D, 1e-12L));
    }
    // The lower half circle (0,0)->(2,0), centre (1,0), radius 1.
    const std::vector<Case> arcCases = {
        {{1, -3}, true, {1, -1}, 2},
        {{1, 3}, false, {1, 1}, 2},
        {{1.5L, -0.5L}, true, {1 + 0.5L * S2, -0.5L * S2}, 1 - 0.5L * S2},
        {{3, 0}, true, {2, 0}, 1},  // on the end of the arc
    };
    for (const Case& c : arcCases) {
        Osy F;
        Extended D;
        EXPECT_EQ(PerpFootArc(c.P, Osy{0, 0}, Osy{2, 0}, GeomPi, F, D), c.On);
        EXPECT_TRUE(Near(F, c.F.x, c.F.y));
        EXPECT_TRUE(NearL(D, c.D, 1e-12L));
    }
    // The same half circle drawn clockwise is the upper half.
    Osy F;
    Extended D;
    EXPECT_TRUE(PerpFootArc(Osy{1, 3}, Osy{0, 0}, Osy{2, 0}, -GeomPi, F, D));
}

unsigned CallLineLine(const XCase& c, Osy& x1, Osy& x2) {
    return IntersLineLine(c.S1, c.E1, c.S2, c.E2, x1, x2);
}
unsigned CallFastLineLine(const XCase& c, Osy& x1, Osy& x2) {
    return offs::fast::LineLine(c.S1, c.E1, c.S2, c.E2, x1, x2);
}

TEST_F(GeomTest, IntersLineLine) {
    const Osy O{0, 0}, T{10, 0};
    const std::vector<XCase> cases = {
        {"crossing", O, {10, 10}, 0, {0, 10}, {10, 0}, 0, 1, {5, 5}, {}},
        {"joined at an angle", O, T, 0, T, {10, 10}, 0, 1, T, {}},
        {"joined end of B at start of A", O, T, 0, {0, -5}, O, 0, 1, O, {}},
        {"folding back over A", O, T, 0, T, {4, 0}, 0, 2, {4, 0}, T},
        {"folding back, a hair above the axis", O, T, 0, T, {4, 1e-9L}, 0, 2, {4, 0}, T},
        {"collinear continuation", O, T, 0, T, {20, 0}, 0, 1, T, {}},
        {"collinear overlap", O, T, 0, {5, 0}, {20, 0}, 0, 2, {5, 0}, T},
        {"overlap from before A", O, T, 0, {-5, 0}, {5, 0}, 0, 2, O, {5, 0}},
        {"overlap reversed", O, T, 0, {20, 0}, {5, 0}, 0, 2, {5, 0}, T},
        {"B covers A", O, T, 0, {-5, 0}, {15, 0}, 0, 2, O, T},
        {"B inside A reversed", O, T, 0, {8, 0}, {2, 0}, 0, 2, {2, 0}, {8, 0}},
        {"collinear touching before A", O, T, 0, O, {-5, 0}, 0, 1, O, {}},
        {"collinear apart", O, T, 0, {11, 0}, {20, 0}, 0, 0, {}, {}},
        {"parallel", O, T, 0, {0, 1}, {10, 1}, 0, 0, {}, {}},
        {"boxes apart", O, T, 0, {20, -1}, {30, 1}, 0, 0, {}, {}},
        {"T touch", O, T, 0, {5, 0}, {5, 5}, 0, 1, {5, 0}, {}},
        {"crossing at A's end", O, T, 0, {11, -1}, {9, 1}, 0, 1, T, {}},
        {"crossing beyond A", O, T, 0, {12, -1}, {11, 1}, 0, 0, {}, {}},
        {"B on one side", O, T, 0, {2, 1}, {8, 3}, 0, 0, {}, {}},
        // B ends within the tolerance of A on the side of its start: the touch lies
        // at B's end, not on the extension of B.
        {"end within tolerance", O, T, 0, {5, 2e-6L}, {6, 0.9e-6L}, 0, 1, {6, 0}, {}},
        {"end within tolerance, nearly parallel", O, T, 0, {5, 1.0001e-6L}, {6, 0.9999e-6L},
         0, 1, {6, 0}, {}},
    };
    for (auto fn : {CallLineLine, CallFastLineLine}) CheckCases(cases, fn);
}

unsigned CallLineArc(const XCase& c, Osy& x1, Osy& x2) {
    return IntersLineArc(c.S1, c.E1, c.S2, c.E2, c.Alfa2, x1, x2);
}
unsigned CallFastLineArc(const XCase& c, Osy& x1, Osy& x2) {
    return offs::fast::LineArc(c.S1, c.E1, c.S2, c.E2, c.Alfa2, x1, x2);
}
unsigned CallArcLine(const XCase& c, Osy& x1, Osy& x2) {
    return IntersArcLine(c.S1, c.E1, c.S2, c.E2, c.Alfa2, x1, x2);
}
unsigned CallFastArcLine(const XCase& c, Osy& x1, Osy& x2) {
    return offs::fast::ArcLine(c.S1, c.E1, c.S2, c.E2, c.Alfa2, x1, x2);
}

// The upper half of the circle of radius 2 around the origin, counter-clockwise
// from (2, 0) and clockwise from (-2, 0).
const Osy R0{2, 0}, L0{-2, 0};

TEST_F(GeomTest, IntersLineArcOrderedFromLineStart) {
    const Extended u = 10.0L / 26;
    const std::vector<XCase> cases = {
        {"two points", {-5, 1}, {5, 1}, 0, R0, L0, GeomPi, 2, {-S3, 1}, {S3, 1}},
        {"two points, line reversed", {5, 1}, {-5, 1}, 0, R0, L0, GeomPi, 2, {S3, 1}, {-S3, 1}},
        {"two points, clockwise arc", {-5, 1}, {5, 1}, 0, L0, R0, -GeomPi, 2, {-S3, 1}, {S3, 1}},
        {"tangent", {-5, 2}, {5, 2}, 0, R0, L0, GeomPi, 1, {0, 2}, {}},
        {"misses the arc, hits the circle", {-5, -1}, {5, -1}, 0, R0, L0, GeomPi, 0, {}, {}},
        {"misses the circle", {-5, 3}, {5, 3}, 0, R0, L0, GeomPi, 0, {}, {}},
        {"ends before the circle", {-5, 1}, {-3, 1}, 0, R0, L0, GeomPi, 0, {}, {}},
        {"starts behind the circle", {3, 1}, {5, 1}, 0, R0, L0, GeomPi, 0, {}, {}},
        {"ends inside", {-5, 1}, {0, 1}, 0, R0, L0, GeomPi, 1, {-S3, 1}, {}},
        {"joined at the arc's start", {5, 0}, R0, 0, R0, L0, GeomPi, 1, R0, {}},
        {"joined at the arc's end", L0, {-5, 0}, 0, R0, L0, GeomPi, 1, L0, {}},
        {"joined, running back into the arc", {0, 3}, R0, 0, R0, L0, GeomPi, 2,
         {2 * u, 3 - 3 * u}, R0},
        {"through the arc's ends on a chord", {-5, 0}, {5, 0}, 0, R0, L0, GeomPi, 2, L0, R0},
    };
    for (auto fn : {CallLineArc, CallFastLineArc}) CheckCases(cases, fn);
}

TEST_F(GeomTest, IntersArcLineOrderedAlongArc) {
    const std::vector<XCase> cases = {
        {"counter-clockwise from (2,0)", {-5, 1}, {5, 1}, 0, R0, L0, GeomPi, 2, {S3, 1}, {-S3, 1}},
        {"line reversed, same order", {5, 1}, {-5, 1}, 0, R0, L0, GeomPi, 2, {S3, 1}, {-S3, 1}},
        {"clockwise from (-2,0)", {5, 1}, {-5, 1}, 0, L0, R0, -GeomPi, 2, {-S3, 1}, {S3, 1}},
        {"tangent", {-5, 2}, {5, 2}, 0, R0, L0, GeomPi, 1, {0, 2}, {}},
        {"joined: line leaves the arc's end", L0, {-5, 0}, 0, R0, L0, GeomPi, 1, L0, {}},
        // A quarter arc through angle 0 (from -45 to 45 degrees) cut by x = sqrt2 at
        // both of its ends: the start comes first although rounding may put it a
        // hair before the start angle.
        {"arc through 0", {S2, 5}, {S2, -5}, 0, {S2, -S2}, {S2, S2}, GeomPi2, 2, {S2, -S2},
         {S2, S2}},
        // A line through the arc's start: that crossing comes first, on long arcs in
        // either direction.
        {"through the start, counter-clockwise", {8, 3}, {-8, 3}, 0, {4, 3}, {5, 0},
         Geom2Pi - Angle(Osy{0, 0}, Osy{4, 3}), 2, {4, 3}, {-4, 3}},
        {"through the start, clockwise", {8, 3}, {-8, 3}, 0, {4, 3}, {0, 5},
         NormAngleOf(GeomPi2 - Angle(Osy{0, 0}, Osy{4, 3})) - Geom2Pi, 2, {4, 3}, {-4, 3}},
    };
    for (auto fn : {CallArcLine, CallFastArcLine}) CheckCases(cases, fn);
}

unsigned CallArcArc(const XCase& c, Osy& x1, Osy& x2) {
    return IntersArcArc(c.S1, c.E1, c.S2, c.E2, c.Alfa1, c.Alfa2, x1, x2);
}
// The offset's trigonometry-free variants answer every case alike.
unsigned CallFastArcArc(const XCase& c, Osy& x1, Osy& x2) {
    return offs::fast::ArcArc(c.S1, c.E1, c.S2, c.E2, c.Alfa1, c.Alfa2, x1, x2);
}

TEST_F(GeomTest, IntersArcArc) {
    const Osy top{0, 2};
    const Osy q45{S2, S2}, qm45{S2, -S2};
    const std::vector<XCase> cases = {
        // One circle.
        {"two halves one after the other", R0, L0, GeomPi, L0, R0, GeomPi, 2, R0, L0},
        {"two halves, second first", L0, R0, GeomPi, R0, L0, GeomPi, 2, L0, R0},
        {"quarters joined", R0, top, GeomPi2, top, L0, GeomPi2, 1, top, {}},
        {"quarters joined at A's start", top, L0, GeomPi2, R0, top, GeomPi2, 1, top, {}},
        {"opposite, common start", R0, top, GeomPi2, R0, {0, -2}, -GeomPi2, 1, R0, {}},
        {"opposite, common end", R0, top, GeomPi2, L0, top, -GeomPi2, 1, top, {}},
        {"the same arc reversed", R0, top, GeomPi2, top, R0, -GeomPi2, 2, R0, top},
        {"overlap, same direction", R0, top, GeomPi2, qm45, q45, GeomPi2, 2, R0, q45},
        {"overlap, opposite", R0, top, GeomPi2, q45, qm45, -GeomPi2, 2, R0, q45},
        {"overlap at A's end", R0, top, GeomPi2, q45, {-S2, S2}, GeomPi2, 2, q45, top},
        {"B inside A", R0, L0, GeomPi, q45, {-S2, S2}, GeomPi2, 2, q45, {-S2, S2}},
        {"apart on one circle", R0, top, GeomPi2, L0, {0, -2}, GeomPi2, 0, {}, {}},
        // Two circles.
        {"two crossings", {0, -2}, top, GeomPi, {2, 2}, {2, -2}, GeomPi, 2, {1, -S3}, {1, S3}},
        {"one crossing on the arcs", R0, L0, GeomPi, {4, 0}, {0, 0}, GeomPi, 1, {1, S3}, {}},
        {"outer touch", {0, -1}, {0, 1}, GeomPi, {2, 1}, {2, -1}, GeomPi, 1, {1, 0}, {}},
        {"inner touch", {0, -2}, top, GeomPi, {1, -1}, {1, 1}, GeomPi, 1, R0, {}},
        {"inner touch, small first", {1, -1}, {1, 1}, GeomPi, {0, -2}, top, GeomPi, 1, R0, {}},
        {"concentric", R0, L0, GeomPi, {1, 0}, {-1, 0}, GeomPi, 0, {}, {}},
        {"far apart", R0, L0, GeomPi, {12, 0}, {8, 0}, GeomPi, 0, {}, {}},
        // (2, 0) lies at angle 0 of the first arc and at about 2pi of the second
        // circle's computation.
        {"crossing at angle 0", R0, top, GeomPi2, {4, -2}, {0, -2}, GeomPi, 1, R0, {}},
        {"common start at angle 0", {5, 0}, {3, 4}, Angle(Osy{0, 0}, Osy{3, 4}), {5, 0},
         {-4, -3}, -GeomPi, 1, {5, 0}, {}},
    };
    for (auto fn : {CallArcArc, CallFastArcArc}) CheckCases(cases, fn);
}

unsigned CallSegSeg(const XCase& c, Osy& x1, Osy& x2) {
    return IntersSegSeg(c.S1, c.E1, c.S2, c.E2, c.Alfa1, c.Alfa2, x1, x2);
}

TEST_F(GeomTest, IntersSegSegDispatchesAndOrdersFromFirstStart) {
    CheckCases(
        {
            {"lines", {0, 0}, {10, 10}, 0, {0, 10}, {10, 0}, 0, 1, {5, 5}, {}},
            {"line then arc", {5, 1}, {-5, 1}, 0, R0, L0, GeomPi, 2, {S3, 1}, {-S3, 1}},
            {"arc then line: along the arc", R0, L0, GeomPi, {-5, 1}, {5, 1}, 0, 2, {S3, 1}, {-S3, 1}},
            {"clockwise arc then line", L0, R0, -GeomPi, {-5, 1}, {5, 1}, 0, 2, {-S3, 1}, {S3, 1}},
            {"arcs", {0, -2}, {0, 2}, GeomPi, {2, 2}, {2, -2}, GeomPi, 2, {1, -S3}, {1, S3}},
            {"tiny angle is a line", {0, 0}, {10, 0}, 1e-7L, {5, -5}, {5, 5}, 0, 1, {5, 0}, {}},
            {"polyline joint line-arc", {5, 0}, R0, 0, R0, L0, GeomPi, 1, R0, {}},
            {"polyline joint arc-line", R0, L0, GeomPi, L0, {-5, 0}, 0, 1, L0, {}},
        },
        CallSegSeg);
}

TEST_F(GeomTest, ArcEnvelope) {
    struct Case {
        const char* Name;
        Osy P1, P2;
        Extended Alfa;
        Osy Min, Max;
    };
    const std::vector<Case> cases = {
        {"upper half", R0, L0, GeomPi, {-2, 0}, {2, 2}},
        {"lower half", L0, R0, GeomPi, {-2, -2}, {2, 0}},
        {"right half through 0", {0, -2}, {0, 2}, GeomPi, {0, -2}, {2, 2}},
        {"quarter", R0, {0, 2}, GeomPi2, {0, 0}, {2, 2}},
        {"quarter clockwise", {0, 2}, R0, -GeomPi2, {0, 0}, {2, 2}},
        {"three quarters", R0, {0, -2}, 3 * GeomPi2, {-2, -2}, {2, 2}},
        {"small arc through 0", {S2, -S2}, {S2, S2}, GeomPi2, {S2, -S2}, {2, S2}},
        {"clockwise through 0", {S2, S2}, {S2, -S2}, -GeomPi2, {S2, -S2}, {2, S2}},
        {"large clockwise through 0", {-S2, S2}, {-S2, -S2}, -3 * GeomPi2, {-S2, -2}, {2, 2}},
        {"small arc inside a quadrant", {S2, S2}, {1, S3}, GeomPi / 12, {1, S2}, {S2, S3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Osy mn, mx;
        ArcEnvelope(c.P1, c.P2, c.Alfa, mn, mx);
        EXPECT_TRUE(Near(mn, c.Min.x, c.Min.y));
        EXPECT_TRUE(Near(mx, c.Max.x, c.Max.y));
    }
}

TEST_F(GeomTest, ClipSegToRect) {
    struct Case {
        const char* Name;
        Osy A, B;
        bool InA, InB, Left, Bottom, Right, Top;
        Osy PLeft, PBottom, PRight, PTop;  // checked where the flag is set
    };
    const Osy Min{0, 0}, Max{10, 10};
    const std::vector<Case> cases = {
        {"inside", {1, 1}, {9, 9}, true, true, false, false, false, false, {}, {}, {}, {}},
        {"both left", {-5, 1}, {-1, 9}, false, false, false, false, false, false, {}, {}, {}, {}},
        {"both above", {1, 11}, {9, 12}, false, false, false, false, false, false, {}, {}, {}, {}},
        {"through left and right", {-5, 2}, {15, 12}, false, false, true, false, true, false,
         {0, 4.5L}, {}, {10, 9.5L}, {}},
        {"from inside to the right", {5, 5}, {15, 10}, true, false, false, false, true, false,
         {}, {}, {10, 7.5L}, {}},
        {"from below into the inside", {4, -4}, {6, 4}, false, true, false, true, false, false,
         {}, {5, 0}, {}, {}},
        {"horizontal through", {-5, 5}, {15, 5}, false, false, true, false, true, false,
         {0, 5}, {}, {10, 5}, {}},
        {"horizontal out to the right", {5, 5}, {15, 5}, true, false, false, false, true, false,
         {}, {}, {10, 5}, {}},
        {"vertical through", {5, -5}, {5, 15}, false, false, false, true, false, true, {},
         {5, 0}, {}, {5, 10}},
        {"vertical from the bottom edge", {5, 0}, {5, 20}, true, false, false, true, false, true,
         {}, {5, 0}, {}, {5, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Osy pl{-1, -1}, pb{-1, -1}, pr{-1, -1}, pt{-1, -1};
        bool l = true, b = true, r = true, t = true, ia = true, ib = true;
        ClipSegToRect(Min, Max, c.A, c.B, pl, pb, pr, pt, l, b, r, t, ia, ib);
        EXPECT_EQ(ia, c.InA);
        EXPECT_EQ(ib, c.InB);
        EXPECT_EQ(l, c.Left);
        EXPECT_EQ(b, c.Bottom);
        EXPECT_EQ(r, c.Right);
        EXPECT_EQ(t, c.Top);
        if (c.Left) EXPECT_TRUE(Near(pl, c.PLeft.x, c.PLeft.y));
        if (c.Bottom) EXPECT_TRUE(Near(pb, c.PBottom.x, c.PBottom.y));
        if (c.Right) EXPECT_TRUE(Near(pr, c.PRight.x, c.PRight.y));
        if (c.Top) EXPECT_TRUE(Near(pt, c.PTop.x, c.PTop.y));
    }
    // A crossing of the top side's line outside the rectangle sets the point, not the flag.
    Osy pl, pb, pr, pt;
    bool l, b, r, t, ia, ib;
    ClipSegToRect(Min, Max, Osy{-5, 2}, Osy{15, 12}, pl, pb, pr, pt, l, b, r, t, ia, ib);
    EXPECT_FALSE(t);
    EXPECT_TRUE(Near(pt, 11, 10));
}

}  // namespace
