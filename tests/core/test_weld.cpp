// Weld: the outline of the union of closed polylines.
#include <limits>
#include <array>
#include <random>
#include <string>

#include "core/UniArea.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class WeldTest : public PlineTest {
protected:
    void SetUp() override {
        PlineTest::SetUp();
        Glob.JoinTol = 0.01L;
    }
    TObjHeader* Square(Extended x, Extended y, Extended a) {
        return Add(Poly({{x, y}, {x + a, y}, {x + a, y + a}, {x, y + a}, {x, y}}));
    }
    static void Box(TObjHeader* p, Osy& mn, Osy& mx) { EnPline.Envelope(p, mn, mx); }
};

const Extended pi = GeomPi;

TEST_F(WeldTest, OverlappingSquaresGiveOneOutline) {
    Square(0, 0, 10);
    Square(5, 5, 10);
    Weld(L, LE);
    EXPECT_EQ(CheckObjList(L, LE), "");
    ASSERT_EQ(Count(L), 1);
    EXPECT_FALSE(EnPline.OpenPline(L));
    EXPECT_NEAR(double(EnPline.Length(L)), 60.0, 1e-9);
    EXPECT_EQ(PlineSegCount(L), 8);
    EXPECT_EQ(L->Flags & FlagSelected, 0);
    Osy mn, mx;
    Box(L, mn, mx);
    EXPECT_TRUE(Near(mn, {0, 0}) && Near(mx, {15, 15}));
    // The inner corners of the union are on the outline.
    int corners = 0;
    for (int32_t i = 0; i < PlineSegCount(L); ++i) {
        const Osy e = PlineSegs(L)[i].E;
        corners += Near(e, {10, 5}) || Near(e, {5, 10});
    }
    EXPECT_EQ(corners, 2);
}

TEST_F(WeldTest, CasesByShape) {
    struct Case {
        const char* Name;
        std::vector<std::array<Extended, 3>> Squares;  // x, y, side
        int Count;
        Extended Length;
    } cases[] = {
        {"disjoint", {{0, 0, 10}, {20, 0, 10}}, 2, 80},
        {"one inside the other", {{0, 0, 10}, {2, 2, 3}}, 1, 40},
        {"sharing a side", {{0, 0, 10}, {10, 0, 10}}, 1, 60},
        {"three in a row", {{0, 0, 10}, {6, 2, 10}, {12, 0, 10}}, 1, 72},
        // Identical outlines weld into one instead of cancelling out.
        {"the same square twice", {{0, 0, 10}, {0, 0, 10}}, 1, 40},
        {"overlapping along a side", {{0, 0, 10}, {5, 0, 10}}, 1, 50},
    };
    for (const Case& c : cases) {
        for (auto& s : c.Squares) Square(s[0], s[1], s[2]);
        std::vector<TObjHeader*> before = area::ListToVector(L);
        Weld(L, LE);
        EXPECT_EQ(CheckObjList(L, LE), "") << c.Name;
        EXPECT_EQ(Count(L), c.Count) << c.Name;
        for (TObjHeader* p = L; p; p = p->Next) EXPECT_FALSE(EnPline.OpenPline(p)) << c.Name;
        if (std::string(c.Name) == "disjoint") EXPECT_EQ(area::ListToVector(L), before) << "unchanged records";
        Extended len = 0;
        for (TObjHeader* p = L; p; p = p->Next) len += EnPline.Length(p);
        EXPECT_NEAR(double(len), double(c.Length), 1e-9) << c.Name;
        FreeObjList(L, LE);
    }
}

TEST_F(WeldTest, CircleAndSquare) {
    // A circle of radius 5 about (10, 5) over the right side of a square 0..10.
    Square(0, 0, 10);
    EnPline.CircleAdd({10, 5}, 5, 1, L, LE);
    Weld(L, LE);
    ASSERT_EQ(Count(L), 1);
    EXPECT_FALSE(EnPline.OpenPline(L));
    // Three sides of the square and the outer half of the circle.
    EXPECT_NEAR(double(EnPline.Length(L)), 30.0 + double(pi) * 5, 1e-6);
}

TEST_F(WeldTest, DropsShortOpenPieces) {
    Square(0, 0, 10);
    Add(Poly({{50, 50}, {50.005L, 50}}));
    Weld(L, LE);
    ASSERT_EQ(Count(L), 1);
    EXPECT_NEAR(double(EnPline.Length(L)), 40.0, 1e-9);
}

// Seeded random heaps of squares and circles: every result is a closed outline.
TEST_F(WeldTest, RandomHeapsGiveClosedOutlines) {
    std::mt19937 rng(7);
    for (int round = 0; round < 30; ++round) {
        const int n = 2 + int(rng() % 12);
        for (int i = 0; i < n; ++i) {
            const Extended x = rng() % 40, y = rng() % 40, a = 3 + rng() % 15;
            if (rng() % 3 == 0)
                EnPline.CircleAdd({x, y}, a / 2, 1, L, LE);
            else
                Square(x, y, a);
        }
        Weld(L, LE);
        ASSERT_EQ(CheckObjList(L, LE), "") << round;
        ASSERT_NE(L, nullptr) << round;
        for (TObjHeader* p = L; p; p = p->Next) EXPECT_FALSE(EnPline.OpenPline(p)) << round;
        FreeObjList(L, LE);
    }
}

TEST_F(WeldTest, EmptyListStaysEmpty) {
    Weld(L, LE);
    EXPECT_EQ(L, nullptr);
    EXPECT_EQ(LE, nullptr);
}

}  // namespace

TEST(PtBucketsTest, BrokenCoordinatesAreBucketedWithoutUndefinedConversion) {
    area::TPtBuckets B;
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    const Extended inf = std::numeric_limits<Extended>::infinity();
    B.Add({nan, 1}, 1);
    B.Add({inf, -inf}, 2);
    B.Add({5, 5}, 3);
    int seen = 0;
    B.Near({nan, nan}, [&](int32_t) { ++seen; });
    B.Near({5, 5}, [&](int32_t id) { EXPECT_EQ(id, 3); });
    EXPECT_GE(seen, 0);
}
