// Marks along a polyline and duplicate paths.
#include "core/UniArea.h"
#include "core/UniGroup.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class MarkTest : public PlineTest {
protected:
    TObjHeader* G = nullptr;
    void TearDown() override {
        if (G) {
            TObjHeader *s = G, *e = G;
            FreeObjList(s, e);
        }
        PlineTest::TearDown();
    }
    std::vector<Osy> Points() const {
        std::vector<Osy> v;
        for (TObjHeader* m = AsGroup(G)->First; m; m = m->Next) v.push_back(AsPoint(m)->S);
        return v;
    }
};

const Extended pi = GeomPi;

TEST_F(MarkTest, EvenlySpacedOnLinesAndArcs) {
    Glob.LayerDraw = 7;
    struct Case {
        const char* Name;
        TObjHeader* P;
        int32_t Count;
        std::vector<Osy> Want;
    } cases[] = {
        {"line of 8, five marks", Pline({0, 0}, {{{8, 0}}}), 5, {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}}},
        {"mark on a vertex", Pline({0, 0}, {{{2, 0}}, {{2, 2}}}), 3, {{0, 0}, {2, 0}, {2, 2}}},
        {"across a vertex", Pline({0, 0}, {{{3, 0}}, {{3, 3}}}), 3, {{0, 0}, {3, 0}, {3, 3}}},
        {"half circle of radius 1",
         Pline({1, 0}, {{{-1, 0}, pi}}),
         3,
         {{1, 0}, {0, 1}, {-1, 0}}},
        {"clockwise quarter circles",
         Pline({0, 1}, {{{1, 0}, -pi / 2}}),
         3,
         {{0, 1}, {std::sqrt(0.5L), std::sqrt(0.5L)}, {1, 0}}},
        {"six on a line of 10 and a turn", Pline({0, 0}, {{{5, 0}}, {{5, 5}}}), 6,
         {{0, 0}, {2, 0}, {4, 0}, {5, 1}, {5, 3}, {5, 5}}},
    };
    for (Case& c : cases) {
        Add(c.P);
        G = Mark(c.P, c.Count);
        ASSERT_NE(G, nullptr) << c.Name;
        EXPECT_EQ(G->Type, ObjGroup);
        EXPECT_EQ(G->Layer, 7);
        EXPECT_EQ(G->Flags, FlagNew);
        EXPECT_EQ(G->Next, nullptr);
        EXPECT_EQ(CheckObjList(G, G), "") << c.Name;
        std::vector<Osy> got = Points();
        ASSERT_EQ(got.size(), c.Want.size()) << c.Name;
        EXPECT_EQ(AsGroup(G)->Count, int32_t(got.size())) << c.Name;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_TRUE(Near(got[i], c.Want[i], 1e-12L)) << c.Name << " point " << i;
        }
        for (TObjHeader* m = AsGroup(G)->First; m; m = m->Next) {
            EXPECT_EQ(m->Type, ObjPoint);
            EXPECT_EQ(m->Layer, 7);
        }
        TObjHeader *s = G, *e = G;
        FreeObjList(s, e);
        G = nullptr;
    }
}

TEST_F(MarkTest, RefusedBelowThreeOrWithoutPolyline) {
    TObjHeader* p = Add(Pline({0, 0}, {{{8, 0}}}));
    for (int32_t n : {2, 1, 0, -5}) EXPECT_EQ(Mark(p, n), nullptr) << n;
    EXPECT_EQ(Mark(nullptr, 5), nullptr);
}

// A path too short for its steps cannot hold the inner marks; the group still counts
// exactly the points it holds.
TEST_F(MarkTest, CountEqualsMembersOnTinyPath) {
    TObjHeader* p = Add(Pline({0, 0}, {{{1e-7L, 0}}}));
    G = Mark(p, 10);
    ASSERT_NE(G, nullptr);
    EXPECT_EQ(AsGroup(G)->Count, CountObjs(AsGroup(G)->First));
    EXPECT_EQ(CheckObjList(G, G), "");
}

class DuplicityTest : public PlineTest {};

TEST_F(DuplicityTest, Cases) {
    auto square = [](std::vector<Osy> pts) { return Poly(pts); };
    struct Case {
        const char* Name;
        TObjHeader *A, *B;
        bool Same;
    } cases[] = {
        {"square reversed from another corner",
         square({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
         square({{10, 10}, {10, 0}, {0, 0}, {0, 10}, {10, 10}}), true},
        {"square from another corner, same way",
         square({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
         square({{10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}}), true},
        {"open polyline and its reverse", Poly({{0, 0}, {5, 0}, {5, 5}}), Poly({{5, 5}, {5, 0}, {0, 0}}), true},
        {"open polylines apart", Poly({{0, 0}, {5, 0}, {5, 5}}), Poly({{0, 0}, {5, 0}, {6, 5}}), false},
        {"different sizes", Poly({{0, 0}, {5, 0}, {5, 5}}), Poly({{0, 0}, {5, 0}}), false},
        {"open and closed", Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 1}}),
         square({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}), false},
        {"arc and its reverse", Pline({1, 0}, {{{-1, 0}, pi}}), Pline({-1, 0}, {{{1, 0}, -pi}}), true},
        {"arc and its mirror", Pline({1, 0}, {{{-1, 0}, pi}}), Pline({-1, 0}, {{{1, 0}, pi}}), false},
        {"squares of different corners", square({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}),
         square({{0, 0}, {10, 0}, {10, 11}, {0, 10}, {0, 0}}), false},
        {"self-crossing and plain", square({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}}),
         square({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}), false},
    };
    for (const Case& c : cases) {
        Add(c.A);
        Add(c.B);
        const Osy a = AsPline(c.A)->S, b = AsPline(c.B)->S;
        EXPECT_EQ(Duplicity(c.A, c.B), c.Same) << c.Name;
        // Neither record moves or changes its path.
        EXPECT_TRUE(Near(AsPline(c.A)->S, a, 0)) << c.Name;
        EXPECT_TRUE(Near(AsPline(c.B)->S, b, 0)) << c.Name;
        EXPECT_EQ(Count(L), 2) << c.Name;
        FreeObjList(L, LE);
    }
    EXPECT_FALSE(Duplicity(nullptr, nullptr));
}

}  // namespace
