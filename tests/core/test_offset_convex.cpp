// Convex loops: which loops count as convex beyond doubt, and their offsets (outward
// built directly, inward without the crossing search) judged by Clipper.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/UniPlineOffset.h"
#include "test_offset_judge.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class OffsetConvexTest : public PlineTest {};

// N vertices on a circle of radius R, visited Step at a time (Step 2 winds twice).
std::vector<Osy> Round(int N, Extended R, int Step = 1, bool CW = false) {
    std::vector<Osy> pts;
    for (int k = 0; k <= N; ++k) {
        const Extended a = (CW ? -Geom2Pi : Geom2Pi) * Extended((k * Step) % N) / N;
        pts.push_back({R * std::cos(a), R * std::sin(a)});
    }
    return pts;
}

// A 20 x 10 rectangle with corners rounded by quarter arcs of radius 3.
TObjHeader* RoundedRect() {
    const Extended q = GeomPi2;
    return Pline({3, 0}, {{{17, 0}}, {{20, 3}, q}, {{20, 7}}, {{17, 10}, q}, {{3, 10}}, {{0, 7}, q}, {{0, 3}},
                          {{3, 0}, q}});
}

// Through the points, side k an arc of Alfa(k) (0 for a line).
template <class F>
TObjHeader* Sides(const std::vector<Osy>& Pts, F&& Alfa) {
    std::vector<Seg> segs;
    for (size_t k = 1; k < Pts.size(); ++k) segs.push_back({Pts[k], Alfa(int(k))});
    return Pline(Pts[0], segs);
}

TEST_F(OffsetConvexTest, ConvexLoopsAreRecognisedByTheirTurns) {
    struct TCase {
        const char* Name;
        TObjHeader* Loop;
        int Sense;
    };
    const TCase cases[] = {
        {"square", Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}), 1},
        {"square clockwise", Poly({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}), -1},
        {"side split by a straight vertex", Poly({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}), 1},
        {"round polygon", Poly(Round(100, 1.6L)), 1},
        {"quarter arcs", RoundedRect(), 1},
        {"half arcs", Pline({0, 0}, {{{10, 0}}, {{10, 4}, GeomPi}, {{0, 4}}, {{0, 0}, GeomPi}}), 0},
        {"turn sharper than a right angle", Poly({{0, 0}, {10, 0}, {0, 1}, {0, 0}}), 0},
        {"side shorter than ConvexMinSeg", Poly({{0, 0}, {10, 0}, {10, 10}, {1e-4L, 10}, {0, 10 - 1e-4L}, {0, 0}}), 0},
        {"concave vertex", Poly({{0, 0}, {10, 0}, {5, 2}, {10, 10}, {0, 10}, {0, 0}}), 0},
        {"winding twice", Poly(Round(51, 10, 2)), 0},
        {"open", Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), 0},
    };
    for (const TCase& c : cases) {
        Add(c.Loop);
        EXPECT_EQ(offs::ConvexSense(c.Loop), c.Sense) << c.Name;
    }
}

// A loop that turns one way only but winds twice crosses itself: no offset, as before.
TEST_F(OffsetConvexTest, LoopWindingTwiceHasNoOffset) {
    TObjHeader* twice = Add(Poly(Round(51, 10, 2)));
    TObjHeader *r = nullptr, *re = nullptr;
    for (bool inside : {false, true}) {
        EnPline.GenOffsetClose(twice, 0.3L, inside, true, r, re, 1);
        EXPECT_EQ(r, nullptr);
        FreeObjList(r, re);
    }
}

TEST_F(OffsetConvexTest, ConvexLoopsOffsetAsClipperDoes) {
    struct TShape {
        const char* Name;
        TObjHeader* Loop;
    };
    // Turns below, at and above the sharp-corner limit (15 degrees), both senses, and
    // arcs (built by the general join, cleaned without the crossing search).
    const TShape shapes[] = {
        {"100 sides of 0.1 mm", Poly(Round(100, 0.1L / (2 * std::sin(GeomPi / 100))))},
        {"100 sides clockwise", Poly(Round(100, 1.6L, 1, true))},
        {"30-gon", Poly(Round(30, 10))},
        {"24-gon", Poly(Round(24, 5))},
        {"hexagon", Poly(Round(6, 5, 1, true))},
        {"rectangle", Poly({{0, 0}, {20, 0}, {20, 10}, {0, 10}, {0, 0}})},
        {"rounded rectangle", RoundedRect()},
        // Small arcs between sides: sharp corners of a line and an arc, both ways.
        {"every fourth of 200 sides an arc", Sides(Round(200, 3), [](int k) { return k % 4 ? 0 : Geom2Pi / 200; })},
        {"every fourth side an arc, clockwise",
         Sides(Round(120, 2, 1, true), [](int k) { return k % 4 ? 0 : -Geom2Pi / 120; })},
        // Arcs meeting arcs at 5.7 degrees (sharp) and at 30 degrees (bridged).
        {"12 arcs", Sides(Round(12, 5), [](int) { return Geom2Pi / 12 - 0.1L; })},
        {"square of 60 degree arcs", Sides(Round(4, 5), [](int) { return GeomPi / 3; })},
    };
    for (const TShape& s : shapes) {
        Add(s.Loop);
        ASSERT_NE(offs::ConvexSense(s.Loop), 0) << s.Name;
        for (Extended d : {0.05L, 0.3L, 2.0L}) {
            // Outward, arcs and all, without the general build.
            TObjHeader *os = nullptr, *oe = nullptr;
            EXPECT_NE(offs::ConvexOutward(s.Loop, offs::ConvexSense(s.Loop), d, 1, os, oe), nullptr) << s.Name;
            FreeObjList(os, oe);
            for (bool inside : {false, true}) offtest::Judge(s.Loop, d, inside, s.Name);
        }
    }
}

}  // namespace
