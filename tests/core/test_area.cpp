// Boundary networks, the area round a point, and merging area groups.
#include "core/UniArea.h"
#include "core/UniGroup.h"
#include "core/UniWalk.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class AreaTest : public PlineTest {
protected:
    TObjHeader *G = nullptr, *GE = nullptr;  // results
    void SetUp() override {
        PlineTest::SetUp();
        Glob.JoinTol = 0.01L;
        Glob.LayerDraw = 5;
    }
    void TearDown() override {
        FreeObjList(G, GE);
        PlineTest::TearDown();
    }
    TObjHeader* Square(Extended x, Extended y, Extended a) {
        return Add(Poly({{x, y}, {x + a, y}, {x + a, y + a}, {x, y + a}, {x, y}}));
    }
    TObjHeader* Area(const Osy& Pt) {
        TObjHeader* g = SelectArea(Pt, L, LE);
        if (g) {
            EXPECT_EQ(g->Next, nullptr);
            AppendObj(g, G, GE);
        }
        return g;
    }
    static std::vector<TObjHeader*> Members(TObjHeader* g) { return area::ListToVector(AsGroup(g)->First); }
    static void Box(TObjHeader* p, Osy& mn, Osy& mx) { EnPline.Envelope(p, mn, mx); }
    static bool BoxIs(TObjHeader* p, Osy mn, Osy mx) {
        Osy a, b;
        EnPline.Envelope(p, a, b);
        return Near(a, mn, 1e-9L) && Near(b, mx, 1e-9L);
    }
};

// A square 0..30 with a square 10..20 inside it.
TEST_F(AreaTest, NestedSquaresThreePositions) {
    struct Case {
        const char* Name;
        Osy Pt;
        int Members;  // 0: no area
        Osy OuterMax;
    } cases[] = {
        {"between, right of the inner square", {25, 15}, 2, {30, 30}},
        {"between, left of the inner square: the probe meets the inner one", {5, 15}, 0, {}},
        {"inside the inner square", {15, 15}, 1, {20, 20}},
        {"right of everything", {40, 15}, 0, {}},
    };
    for (const Case& c : cases) {
        Square(0, 0, 30);
        Square(10, 10, 10);
        SelectBorder(L, LE);
        TObjHeader* g = Area(c.Pt);
        EXPECT_EQ(CheckObjList(L, LE), "") << c.Name;
        EXPECT_EQ(Count(L), 2) << c.Name;  // the network is not consumed
        if (c.Members == 0) {
            EXPECT_EQ(g, nullptr) << c.Name;
        } else {
            ASSERT_NE(g, nullptr) << c.Name;
            EXPECT_EQ(g->Layer, 5);
            EXPECT_EQ(CheckObjList(g, g), "") << c.Name;
            std::vector<TObjHeader*> m = Members(g);
            ASSERT_EQ(int(m.size()), c.Members) << c.Name;
            EXPECT_EQ(AsGroup(g)->Count, c.Members);
            EXPECT_TRUE(BoxIs(m[0], {c.OuterMax.x - (c.Members == 2 ? 30 : 10), c.OuterMax.y - (c.Members == 2 ? 30 : 10)},
                              c.OuterMax))
                << c.Name;
            if (c.Members == 2) EXPECT_TRUE(BoxIs(m[1], {10, 10}, {20, 20})) << c.Name;
            for (TObjHeader* p : m) EXPECT_FALSE(EnPline.OpenPline(p)) << c.Name;
            // The members are records of their own, not records of the network (the
            // squares first given may have been freed by the border search, so their
            // addresses say nothing).
            for (TObjHeader* p : m)
                for (TObjHeader* q = L; q; q = q->Next) EXPECT_NE(p, q) << c.Name;
        }
        FreeObjList(L, LE);
        FreeObjList(G, GE);
    }
}

TEST_F(AreaTest, BorderOfSquareAndCrossingLine) {
    Square(0, 0, 10);
    Add(Poly({{5, -5}, {5, 15}}));
    SelectBorder(L, LE);
    EXPECT_EQ(CheckObjList(L, LE), "");
    // The outer pieces of the line dangle and go; the square falls into pieces at the
    // two crossings; the inner piece of the line stays.
    Extended len = 0;
    for (TObjHeader* p = L; p; p = p->Next) {
        len += EnPline.Length(p);
        Osy mn, mx;
        Box(p, mn, mx);
        EXPECT_TRUE(mn.y >= -1e-9L && mx.y <= 10 + 1e-9L);
    }
    EXPECT_NEAR(double(len), 50.0, 1e-9);
    bool middle = false;
    for (TObjHeader* p = L; p; p = p->Next) middle = middle || BoxIs(p, {5, 0}, {5, 10});
    EXPECT_TRUE(middle);

    // The left face.
    TObjHeader* g = Area({2, 5});
    ASSERT_NE(g, nullptr);
    std::vector<TObjHeader*> m = Members(g);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_FALSE(EnPline.OpenPline(m[0]));
    EXPECT_TRUE(BoxIs(m[0], {0, 0}, {5, 10}));
    EXPECT_NEAR(double(EnPline.Length(m[0])), 30.0, 1e-9);
    // The right face from the same network.
    g = Area({8, 5});
    ASSERT_NE(g, nullptr);
    m = Members(g);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(BoxIs(m[0], {5, 0}, {10, 10}));
}

TEST_F(AreaTest, HalfOfCircleCutByLine) {
    EnPline.CircleAdd({10, 10}, 5, 1, L, LE);
    Add(Poly({{0, 10}, {20, 10}}));
    SelectBorder(L, LE);
    TObjHeader* g = Area({10, 12});
    ASSERT_NE(g, nullptr);
    std::vector<TObjHeader*> m = Members(g);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(BoxIs(m[0], {5, 10}, {15, 15}));
    EXPECT_NEAR(double(EnPline.Length(m[0])), 10 + 5 * double(GeomPi), 1e-9);
}

TEST_F(AreaTest, DuplicateBordersKeptOnce) {
    Square(0, 0, 10);
    Add(Poly({{10, 10}, {10, 0}, {0, 0}, {0, 10}, {10, 10}}));  // the same square reversed
    SelectBorder(L, LE);
    // Both fall into the same one-side pieces; each side is kept once.
    Extended len = 0;
    for (TObjHeader* p = L; p; p = p->Next) len += EnPline.Length(p);
    EXPECT_NEAR(double(len), 40.0, 1e-9);
    for (TObjHeader* p = L; p; p = p->Next)
        for (TObjHeader* q = p->Next; q; q = q->Next) EXPECT_FALSE(Duplicity(p, q));
}

// An island made of pieces: the inner square is split by a line across it, so its
// outline has to be traced through the pieces; it becomes one clockwise hole.
TEST_F(AreaTest, IslandOfPiecesBecomesOneHole) {
    Square(0, 0, 30);
    Square(10, 10, 10);
    Add(Poly({{15, 10}, {15, 20}}));
    SelectBorder(L, LE);
    TObjHeader* g = Area({25, 15});
    ASSERT_NE(g, nullptr);
    std::vector<TObjHeader*> m = Members(g);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(BoxIs(m[0], {0, 0}, {30, 30}));
    EXPECT_TRUE(BoxIs(m[1], {10, 10}, {20, 20}));
    EXPECT_FALSE(EnPline.OpenPline(m[1]));
    EXPECT_NEAR(double(EnPline.Length(m[1])), 40.0, 1e-9);
}

TEST_F(AreaTest, RayHitPline) {
    TObjHeader* p = Add(Pline({10, -5}, {{{10, 5}}, {{20, 5}, -GeomPi}}));  // the arc bulges up to y = 10
    Osy X;
    EXPECT_TRUE(RayHitPline({0, 0}, {100, 0}, p, X));
    EXPECT_TRUE(Near(X, {10, 0}));
    EXPECT_FALSE(RayHitPline({0, 11}, {100, 11}, p, X));
    EXPECT_TRUE(RayHitPline({15, 20}, {15, 0}, p, X));
    EXPECT_TRUE(Near(X, {15, 10}, 1e-9L));
}

TEST_F(AreaTest, AreaJoinOfGroupsSharingASide) {
    auto group = [&](TObjHeader* sq) {
        TObjHeader *s = nullptr, *e = nullptr;
        AppendObj(sq, s, e);
        return AppendObj(MakeGroup(false, s, e), G, GE);
    };
    group(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));   // its right side runs up
    group(Poly({{10, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 0}}));  // its left side runs down
    group(Poly({{50, 0}, {60, 0}, {60, 10}, {50, 10}, {50, 0}}));  // apart
    group(Poly({{30, 0}, {30, 10}, {20, 10}, {20, 0}, {30, 0}}));  // clockwise, beside the second
    AreaJoin(G, GE);
    EXPECT_EQ(CheckObjList(G, GE), "");
    ASSERT_EQ(Count(G), 2);
    int joined = 0;
    for (TObjHeader* g = G; g; g = g->Next) {
        ASSERT_EQ(g->Type, ObjGroup);
        EXPECT_EQ(g->Layer, 5);
        std::vector<TObjHeader*> m = Members(g);
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(AsGroup(g)->Count, 1);
        if (BoxIs(m[0], {0, 0}, {30, 10})) {
            ++joined;
            EXPECT_FALSE(EnPline.OpenPline(m[0]));
            EXPECT_NEAR(double(EnPline.Length(m[0])), 80.0, 1e-9);
        }
    }
    EXPECT_EQ(joined, 1);
}

TEST_F(AreaTest, MergeSharedDropsTheCommonSide) {
    Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    Add(Poly({{10, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 0}}));
    MergeShared(L, LE);
    ASSERT_EQ(Count(L), 1);
    EXPECT_FALSE(EnPline.OpenPline(L));
    EXPECT_NEAR(double(EnPline.Length(L)), 60.0, 1e-9);
}

TEST_F(AreaTest, EmptyInputs) {
    SelectBorder(L, LE);
    EXPECT_EQ(L, nullptr);
    EXPECT_EQ(SelectArea({0, 0}, L, LE), nullptr);
    AreaJoin(G, GE);
    EXPECT_EQ(G, nullptr);
}

}  // namespace
